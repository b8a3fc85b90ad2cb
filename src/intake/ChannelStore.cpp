#include "intake/ChannelStore.h"

#include "store/InTransaction.h"

namespace tv::intake {

namespace {

// One report through the channel's header and report procedures, once the row was found fit;
// a failure names the report it stopped at.
bool storeReport(store::Connection& db, const store::ChannelNames& names, const ReportRow& row, QString* error)
{
    *error = row.problem;
    if (!error->isEmpty())
        return false;
    if (store::succeeded(db.executeProcedure(names.addPatient, row.header), error) &&
        store::succeeded(db.executeProcedure(names.addReport, row.report), error))
        return true;
    *error = QStringLiteral("report %1 %2: %3").arg(row.header.at(0).toString(), row.header.at(13).toString(), *error);
    return false;
}

} // namespace

StoreOutcome storeChannelRows(store::Connection& db, store::Channel channel, const remote::Rowset& rows,
                              const QDateTime& batch)
{
    const store::ChannelNames& names = store::channelNames(channel);
    StoreOutcome outcome;
    int stored = 0;
    const ReportColumns columns(rows, names.carriesHl7);
    const bool ok = store::inTransaction(db, &outcome.error, [&](QString* error) {
        for (int row = 0; row < rows.rows.size(); ++row) {
            if (!storeReport(db, names, columns.read(row, batch), error))
                return false;
            ++stored;
        }
        return true;
    });
    outcome.stored = ok ? stored : 0;
    return outcome;
}

StoreOutcome storeRequestedCopy(store::Connection& db, store::Channel channel, const remote::Rowset& rows, int row,
                                const QDateTime& batch)
{
    const store::ChannelNames& names = store::channelNames(channel);
    ReportRow copy = ReportColumns(rows, names.carriesHl7).read(row, batch, AbsentPrinted::Null);
    if (!names.carriesHl7)
        copy.report[2] = copy.report.at(2).toString() + QLatin1String("\r\n");
    StoreOutcome outcome;
    const bool ok = store::inTransaction(db, &outcome.error, [&](QString* error) {
        if (!storeReport(db, names, copy, error))
            return false;
        // The reference channel sets no printed time.
        return names.carriesHl7 ||
               store::succeeded(db.execute(QStringLiteral("UPDATE %1 SET PRINTED=? WHERE LABID=? and GENERICCODE=?")
                                               .arg(names.table),
                                           {copy.header.at(16), copy.header.at(0), copy.header.at(13)}),
                                error);
    });
    outcome.stored = ok ? 1 : 0;
    return outcome;
}

bool newestStoredProcess(store::Connection& db, store::Channel channel, QDateTime* newest, QString* error)
{
    const store::QueryResult answer =
        db.select(QStringLiteral("select max(process) as aMaxDate from %1").arg(store::channelNames(channel).table));
    if (!store::succeeded(answer, error))
        return false;
    const QVariant value = answer.rows.rows.isEmpty() ? QVariant() : answer.rows.rows.first().value(0);
    *newest = value.isNull() ? QDateTime() : value.toDateTime();
    return true;
}

} // namespace tv::intake
