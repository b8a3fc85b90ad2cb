#include "store/ConfigStore.h"

#include "store/SqlLiteral.h"

namespace tv::store {

namespace {

bool isBlank(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() > ' ')
            return false;
    return true;
}

} // namespace

TextResult ConfigStore::getConfig(const QString& key) const
{
    TextResult result;
    const QueryResult rows =
        m_connection.select(QStringLiteral("SELECT * FROM CONFIG C WHERE C.VNAME=") + quoteSql(key));
    static_cast<StoreResult&>(result) = rows;
    if (!rows.ok || rows.rows.rows.isEmpty())
        return result;
    result.text = rows.rows.value(0, u"VVALUE").toString();
    if (isBlank(result.text))
        result.text = rows.rows.value(0, u"VARINI").toString();
    return result;
}

TextResult ConfigStore::getConfigIni(const QString& key) const
{
    TextResult result;
    const QueryResult rows =
        m_connection.select(QStringLiteral("SELECT VARINI FROM CONFIG C WHERE C.VNAME=") + quoteSql(key));
    static_cast<StoreResult&>(result) = rows;
    if (rows.ok && !rows.rows.rows.isEmpty())
        result.text = rows.rows.rows.first().value(0).toString();
    return result;
}

StoreResult ConfigStore::addConfig(const QString& key, const QString& value, const QString& longValue) const
{
    return m_connection.executeProcedure(QStringLiteral("ADD_CONFIG"), {key, value, longValue});
}

} // namespace tv::store
