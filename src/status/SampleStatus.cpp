#include "status/SampleStatus.h"

#include "store/SqlLiteral.h"

#include <optional>

namespace tv::status {

namespace {

StatusStatement refused(const char* notice)
{
    return {QString(), QLatin1String(notice)};
}

StatusStatement byLabId(const StatusInput& input, const QString& base)
{
    const QString l = input.labId.trimmed();
    const QString e = input.exLabId.trimmed();
    if (l.isEmpty() && e.isEmpty())
        return refused("Enter Labid or ExLabID");
    QString inner;
    if (!l.isEmpty()) {
        const std::optional<int> number = store::readWholeNumber(l);
        inner = number ? QStringLiteral("LabID=") + QString::number(*number)
                       : QStringLiteral("MEDONEID=") + store::quoteSql(l);
        if (!e.isEmpty())
            inner += QStringLiteral(" and ExLabID=") + store::quoteSql(e);
    } else {
        inner = QStringLiteral("ExLabID=") + store::quoteSql(e);
    }
    return {base + QStringLiteral(" AND ") + inner, QString()};
}

StatusStatement byName(const StatusInput& input, const QString& base, const QDate& today)
{
    const QString p = input.paternal.trimmed();
    const QString m = input.maternal.trimmed();
    const QString n = input.name.trimmed();
    if (p.isEmpty())
        return refused("LASTNAME missing");
    if (m.isEmpty() && n.isEmpty())
        return refused("LASTNAME and NAME missing");
    QString pattern;
    if (m.isEmpty())
        pattern = QStringLiteral("%1, %2").arg(p, n);
    else if (!n.isEmpty())
        pattern = QStringLiteral("%1 %2, %3").arg(p, m, n);
    else
        pattern = QStringLiteral("%1 %2,").arg(p, m);
    return {base + QStringLiteral(" AND \"NAME\" LIKE ") + store::quoteSql(pattern + QLatin1Char('%')) +
                QStringLiteral(" AND WDATE>") + store::sqlDate(today.addDays(-7)),
            QString()};
}

} // namespace

StatusStatement sampleStatusStatement(StatusPage page, const StatusInput& input, int account, const QDate& today)
{
    const QString base = QStringLiteral("SELECT LABID,WDATE,NAME,SEX,GENERICCODE,DESCRIPTION,ENTRYSYS,PROCESSED,"
                                        "PRINTED,DEPTID2,BDATE,AGE,AGEU FROM V_REPORT_WEB WHERE ACCOUNT=") +
                         QString::number(account) + QLatin1Char(' ');
    switch (page) {
    case StatusPage::ByWorkDate:
        return {base + QStringLiteral(" AND WDATE=") + store::sqlDate(input.workDate), QString()};
    case StatusPage::ByLabId:
        return byLabId(input, base);
    case StatusPage::ByName:
        break;
    }
    return byName(input, base, today);
}

SampleState sampleState(const remote::Rowset& rows, int row)
{
    if (!rows.value(row, QStringLiteral("PRINTED")).isNull())
        return SampleState::Released;
    if (!rows.value(row, QStringLiteral("PROCESSED")).isNull())
        return SampleState::Processed;
    return SampleState::Waiting;
}

QString sampleStateText(SampleState state)
{
    switch (state) {
    case SampleState::Released:
        return QStringLiteral("Released");
    case SampleState::Processed:
        return QStringLiteral("Processed");
    case SampleState::Waiting:
        break;
    }
    return QStringLiteral("Waiting");
}

bool requestSampleStatus(remote::RemoteClient& remote, const remote::NoticeFn& notice, StatusPage page,
                         const StatusInput& input, int account, const QDate& today)
{
    const StatusStatement statement = sampleStatusStatement(page, input, account, today);
    if (statement.sql.isEmpty()) {
        notice(statement.notice, QString());
        return false;
    }
    remote.remoteQuery(statement.sql, false);
    return remote.gotData();
}

} // namespace tv::status
