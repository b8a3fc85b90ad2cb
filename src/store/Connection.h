// One connection to a Firebird database through the client library itself: texts travel as
// the exact Windows-1252 bytes of a character-set-NONE database (Qt's driver would send UTF-8),
// and engine failures come back classified, so callers can tell "in use" from "damaged".
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace tv::store {

inline const QString kStoreUser = QStringLiteral("SYSDBA");
inline const QString kStorePassword = QStringLiteral("plumtree9");

enum class StoreFailure { None, InUse, Missing, Damaged, NoAccess, Other };

struct StoreResult {
    bool ok = true;
    QString message;  ///< the engine's text when !ok
    StoreFailure failure = StoreFailure::None;

    static StoreResult fail(QString text, StoreFailure kind = StoreFailure::Other)
    {
        return {false, std::move(text), kind};
    }
};

/// A whole answer, fetched at once. Values: QString (text, text blob), QByteArray (binary blob),
/// int / qlonglong / double, QDate, QTime, QDateTime (local time), bool; null = invalid QVariant.
struct Rows {
    QStringList columns;
    QList<QVariantList> rows;

    int columnIndex(QStringView name) const;  ///< case-insensitive; -1 when absent
    QVariant value(int row, QStringView column) const;
};

struct QueryResult : StoreResult {
    Rows rows;
};

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    /// Attaches to `location` (a file path, or "host:/path" for a server) as the store's user.
    StoreResult open(const QString& location);
    void close();
    bool isOpen() const;
    const QString& location() const;

    /// Runs one statement; outside an explicit transaction it commits (or rolls back) on its own.
    /// Parameters are "?" markers, filled in order.
    StoreResult execute(const QString& sql, const QVariantList& params = {});
    /// Outside an explicit transaction a select runs read-only.
    QueryResult select(const QString& sql, const QVariantList& params = {});
    /// "EXECUTE PROCEDURE name(?, …)" with the values in their positional order.
    StoreResult executeProcedure(const QString& name, const QVariantList& params);

    StoreResult beginTransaction();
    StoreResult commit();
    void rollback();
    bool inTransaction() const;

    struct Private;

private:
    std::unique_ptr<Private> d;
};

} // namespace tv::store
