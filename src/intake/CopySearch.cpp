#include "intake/CopySearch.h"

#include "store/SqlLiteral.h"

namespace tv::intake {

QString workDateValue(const QDate& date)
{
    return date.toString(QStringLiteral("MM/dd/yyyy"));
}

std::optional<QString> copyNameValue(const QString& paternal, const QString& maternal, const QString& name)
{
    const QString p = paternal.trimmed();
    const QString m = maternal.trimmed();
    const QString n = name.trimmed();
    if (!p.isEmpty() && !m.isEmpty())
        return QStringLiteral("%1 %2, %3").arg(p, m, n).trimmed();
    if (!p.isEmpty() && !n.isEmpty())
        return QStringLiteral("%1, %2").arg(p, n).trimmed();
    return std::nullopt;
}

QString copySearchStatement(store::Channel channel, CopySearchKind kind, const QString& value, int account)
{
    const QString base = QStringLiteral("SELECT * FROM %1 WHERE ACCOUNT=%2 AND ")
                             .arg(store::channelNames(channel).remoteView)
                             .arg(account);
    switch (kind) {
    case CopySearchKind::WorkDate:
        return base + QStringLiteral("WDATE=") + store::quoteSql(value);
    case CopySearchKind::LabId:
        if (const std::optional<int> labId = store::readWholeNumber(value))
            return base + QStringLiteral("LABID=") + QString::number(*labId);
        return base + QStringLiteral("MEDONEID=") + store::quoteSql(value);
    case CopySearchKind::Name:
        break;
    }
    return base + QStringLiteral("NAME like ") + store::quoteSql(value + QLatin1Char('%'));
}

QString refreshStatement(store::Channel channel, int labId, const QString& genericCode, int account)
{
    return QStringLiteral("SELECT * FROM %1 WHERE (LABID=%2) and (GENERICCODE=%3) and (account=%4)")
        .arg(store::channelNames(channel).remoteView, QString::number(labId), store::quoteSql(genericCode),
             QString::number(account));
}

QString markUnprintedStatement(store::Channel channel, int labId, const QString& genericCode)
{
    return QStringLiteral("UPDATE %1 SET PRINTED=NULL WHERE (LABID=%2) and (GENERICCODE=%3)")
        .arg(store::channelNames(channel).table, QString::number(labId), store::quoteSql(genericCode));
}

} // namespace tv::intake
