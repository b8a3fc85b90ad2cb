// The installation's settings: key-value rows of CONFIG, read afresh on every call (never
// cached, so a value written anywhere is seen by the next read) and written only through the
// ADD_CONFIG procedure.
#pragma once

#include "store/Connection.h"

namespace tv::store {

struct TextResult : StoreResult {
    QString text;
};

class ConfigStore {
public:
    explicit ConfigStore(Connection& connection) : m_connection(connection) {}

    /// The key's value as stored; its long value when the value is blank; empty without a row.
    TextResult getConfig(const QString& key) const;
    /// The key's long value; empty without a row.
    TextResult getConfigIni(const QString& key) const;
    /// Inserts the row or replaces the value and long value of an existing key.
    StoreResult addConfig(const QString& key, const QString& value, const QString& longValue = {}) const;

private:
    Connection& m_connection;
};

/// True only for exactly "T".
inline bool isFlagSet(const QString& value)
{
    return value == QLatin1String("T");
}

} // namespace tv::store
