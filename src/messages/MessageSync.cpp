#include "messages/MessageSync.h"

#include "messages/MessageText.h"
#include "store/ConfigStore.h"
#include "store/InTransaction.h"

namespace tv::messages {

namespace {

bool storeMessages(MessageContext& c, QString* error)
{
    const remote::Rowset& vt = c.remote.vt();
    const QDate today = c.now().date();
    for (int row = 0; row < vt.rows.size(); ++row) {
        const QString text = composeStoredText(vt.value(row, QStringLiteral("FROM_USER")).toString(),
                                               vt.value(row, QStringLiteral("WDATE")).toDateTime(),
                                               vt.value(row, QStringLiteral("MESS")).toString());
        const QVariantList values{today, vt.value(row, QStringLiteral("TITLE")).toString(), text,
                                  vt.value(row, QStringLiteral("MTYPE")).toString(),
                                  vt.value(row, QStringLiteral("IDX")).toInt()};
        if (!store::succeeded(c.db.executeProcedure(QStringLiteral("ADD_MESS"), values), error))
            return false;
    }
    return vt.rows.isEmpty() ||
           store::succeeded(store::ConfigStore(c.db).addConfig(QStringLiteral("MAIL.MESSAGES"), QStringLiteral("T")),
                            error);
}

} // namespace

MessageFetch syncMessages(MessageContext& c, bool forceServerLookup)
{
    MessageFetch fetch;
    const store::QueryResult max = c.db.select(QStringLiteral("SELECT MAX(IDX) as MaxIDX FROM MESSAGES"));
    if (!store::succeeded(max, &fetch.error))
        return fetch;
    const QVariant maxIdx = max.rows.rows.isEmpty() ? QVariant() : max.rows.rows.first().value(0);
    c.remote.remoteQuery(fetchStatement(c.account, maxIdx.isNull() ? 0 : maxIdx.toInt()), forceServerLookup);
    if (!c.remote.gotData())
        return fetch;
    fetch.answered = true;
    if (store::inTransaction(c.db, &fetch.error, [&](QString* error) { return storeMessages(c, error); }))
        fetch.stored = int(c.remote.vt().rows.size());
    return fetch;
}

bool sendMessage(MessageContext& c, const QString& customerName, const QString& subject, const QString& message)
{
    c.remote.remoteScript(sendStatement(c.account, customerName, subject, message), true);
    return c.remote.gotData();
}

} // namespace tv::messages
