#include "intake/CopyRequest.h"

#include "intake/ChannelStore.h"
#include "store/InTransaction.h"

namespace tv::intake {

namespace {

// Timestamps of the store carry fractions the answer may round differently; a millisecond is
// the finest both sides keep.
bool sameMoment(const QDateTime& a, const QDateTime& b)
{
    return a.isValid() && b.isValid() && a.date() == b.date() && a.time().msecsSinceStartOfDay() == b.time().msecsSinceStartOfDay();
}

bool updateStoredReport(store::Connection& db, store::Channel channel, const remote::Rowset& vt,
                        const StoredReportKey& key, QString* error)
{
    const store::ChannelNames& names = store::channelNames(channel);
    const QVariantList header{textValue(vt, 0, QStringLiteral("NAME")),
                              textValue(vt, 0, QStringLiteral("SEX")),
                              textValue(vt, 0, QStringLiteral("AGEU")),
                              textValue(vt, 0, QStringLiteral("PHYSICIAN")),
                              textValue(vt, 0, QStringLiteral("LOCATION")),
                              textValue(vt, 0, QStringLiteral("ROOM")),
                              textValue(vt, 0, QStringLiteral("EXLABID")),
                              textValue(vt, 0, QStringLiteral("DESCRIPTION")),
                              textValue(vt, 0, QStringLiteral("SS")),
                              dateTimeValue(vt, 0, QStringLiteral("BDATE")),
                              dateTimeValue(vt, 0, QStringLiteral("PROCESS")),
                              integerValue(vt, 0, QStringLiteral("AGE")),
                              key.labId,
                              key.genericCode};
    return store::inTransaction(db, error, [&](QString* failure) {
        return store::succeeded(db.execute(markUnprintedStatement(channel, key.labId, key.genericCode)), failure) &&
               store::succeeded(
                   db.execute(QStringLiteral("UPDATE %1 SET NAME=?, SEX=?, AGEU=?, PHYSICIAN=?, LOCATION=?, ROOM=?, "
                                             "EXLABID=?, DESCRIPTION=?, SS=?, BDATE=?, PROCESS=?, AGE=? "
                                             "WHERE LABID=? and GENERICCODE=?")
                                  .arg(names.table),
                              header),
                   failure) &&
               store::succeeded(db.executeProcedure(names.addReport, reportValues(vt, 0, names.carriesHl7)), failure);
    });
}

} // namespace

RefreshOutcome refreshReport(IntakeContext& c, store::Channel channel, const StoredReportKey& key, QString* error)
{
    if (key.labId == 0 || key.genericCode.isEmpty())
        return RefreshOutcome::Skipped;
    c.remote.remoteQuery(refreshStatement(channel, key.labId, key.genericCode, c.account), true);
    if (!c.remote.gotData())
        return RefreshOutcome::NoAnswer;
    const remote::Rowset& vt = c.remote.vt();
    if (vt.rows.isEmpty())
        return RefreshOutcome::NotAtLaboratory;
    // The header is written under the stored key and the program under the answer's: they must agree.
    *error = reportRowProblem(vt, 0, store::channelNames(channel).carriesHl7);
    if (error->isEmpty() && (integerValue(vt, 0, QStringLiteral("LABID")) != key.labId ||
                             textValue(vt, 0, QStringLiteral("GENERICCODE")) != key.genericCode))
        *error = QStringLiteral("the laboratory answered with another report than %1 %2")
                     .arg(key.labId)
                     .arg(key.genericCode);
    if (!error->isEmpty())
        return RefreshOutcome::StoreFailed;
    if (sameMoment(dateTimeValue(vt, 0, QStringLiteral("PROCESS")), key.process))
        return RefreshOutcome::Unchanged;
    return updateStoredReport(c.db, channel, vt, key, error) ? RefreshOutcome::Updated : RefreshOutcome::StoreFailed;
}

bool searchLabReports(IntakeContext& c, store::Channel channel, const QString& value, CopySearchKind kind)
{
    c.remote.remoteQuery(copySearchStatement(channel, kind, value, c.account), true);
    return c.remote.gotData();
}

bool addRequestedReport(IntakeContext& c, store::Channel channel, int row, const QDateTime& batch, QString* error)
{
    const remote::Rowset& vt = c.remote.vt();
    if (row < 0 || row >= vt.rows.size()) {
        *error = QStringLiteral("no search result to add");
        return false;
    }
    const StoreOutcome outcome = storeRequestedCopy(c.db, channel, vt, row, batch);
    *error = outcome.error;
    return outcome.error.isEmpty();
}

} // namespace tv::intake
