#include "messages/MessageText.h"

#include "store/SqlLiteral.h"

#include <QLocale>

namespace tv::messages {

QString fetchStatement(int account, int maxIdx)
{
    return QStringLiteral("SELECT * FROM CUSTOMER_MESSAGE CM WHERE ((CM.ACCOUNT=%1) OR (CM.ACCOUNT=0)) AND "
                          "(CM.RS='S') AND (IDX>%2)")
        .arg(QString::number(account), QString::number(maxIdx));
}

QString composeStoredText(const QString& fromUser, const QDateTime& written, const QString& body)
{
    QString date = QLocale::c().toString(written, QStringLiteral("ddd, MMM/dd/yyyy hh:mm AP"));
    date.replace(QLatin1String("AM"), QLatin1String("am"));
    date.replace(QLatin1String("PM"), QLatin1String("pm"));
    return QStringLiteral("FROM :") + fromUser + QStringLiteral("\r\nDATE :") + date + QStringLiteral("\r\n\r\n") +
           body;
}

QString flattenMessage(const QString& text)
{
    QString flat = text;
    flat.remove(QLatin1Char('\r'));
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return flat;
}

QString sendStatement(int account, const QString& customerName, const QString& subject, const QString& message)
{
    return QStringLiteral("INSERT INTO CUSTOMER_MESSAGE(ACCOUNT,WDATE,FROM_USER,TITLE,MESS,MTYPE) VALUES "
                          "(%1,CURRENT_TIMESTAMP,%2,%3,%4,'U')")
        .arg(QString::number(account), store::quoteSql(customerName), store::quoteSql(subject),
             store::quoteSql(flattenMessage(message)));
}

} // namespace tv::messages
