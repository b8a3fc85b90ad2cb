#include "store/Connection.h"

#include "store/FbStatement.h"
#include "store/FbStatus.h"
#include "text/Cp1252.h"

#include <QHash>

namespace tv::store {

struct Connection::Private {
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    bool explicitTransaction = false;
    QString location;
    // Prepared once per text while an explicit transaction runs (a download repeats the same two
    // procedure calls thousands of times); dropped when it ends, so no statement outlives a schema
    // change made by another attachment between transactions, and none pile up over a long session.
    QHash<QString, std::shared_ptr<FbStatement>> statements;

    /// A read-only read-committed transaction writes nothing when it ends: reads cost no disk sync.
    StoreResult start(bool readOnly = false)
    {
        static const char writeTpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                        isc_tpb_rec_version, isc_tpb_wait};
        static const char readTpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed, isc_tpb_rec_version,
                                       isc_tpb_wait};
        const char* tpb = readOnly ? readTpb : writeTpb;
        const short size = short(readOnly ? sizeof readTpb : sizeof writeTpb);
        ISC_STATUS_ARRAY status{};
        isc_start_transaction(status, &tr, 1, &db, size, tpb);
        return fbResult(status);
    }

    StoreResult finish(bool commit)
    {
        ISC_STATUS_ARRAY status{};
        if (commit)
            isc_commit_transaction(status, &tr);
        else
            isc_rollback_transaction(status, &tr);
        if (commit && fbFailed(status)) {
            const StoreResult failed = fbResult(status);
            ISC_STATUS_ARRAY ignored{};
            isc_rollback_transaction(ignored, &tr);
            tr = 0;
            return failed;
        }
        tr = 0;
        return {};
    }

    StoreResult run(const QString& sql, const QVariantList& params, Rows* rows)
    {
        if (!db)
            return StoreResult::fail(QStringLiteral("The local database is not open."));
        const bool own = !explicitTransaction;
        if (own) {
            // Selects outside a transaction only read (a selectable procedure that writes needs one).
            if (StoreResult started = start(rows != nullptr); !started.ok)
                return started;
        }
        StoreResult result = runIn(sql, params, rows);
        if (own) {
            const StoreResult ended = finish(result.ok);
            if (result.ok && !ended.ok)
                result = ended;
        }
        return result;
    }

    StoreResult runIn(const QString& sql, const QVariantList& params, Rows* rows)
    {
        std::shared_ptr<FbStatement> statement = statements.value(sql);
        if (!statement) {
            statement = std::make_shared<FbStatement>();
            if (StoreResult prepared = statement->prepare(&db, &tr, text::toCp1252(sql)); !prepared.ok)
                return prepared;
        }
        StoreResult result = statement->run(&db, &tr, params, rows);
        if (statement->isDdl()) {
            // Statements prepared before a change of the schema may hold on to what changed.
            statements.clear();
        } else if (explicitTransaction) {
            statements.insert(sql, statement);
        }
        return result;
    }

    /// Ends the explicit transaction, and with it the statements kept for it.
    StoreResult end(bool commit)
    {
        explicitTransaction = false;
        statements.clear();
        return finish(commit);
    }
};

int Rows::columnIndex(QStringView name) const
{
    for (int i = 0; i < columns.size(); ++i)
        if (QStringView(columns[i]).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Rows::value(int row, QStringView column) const
{
    const int index = columnIndex(column);
    if (index < 0 || row < 0 || row >= rows.size())
        return {};
    return rows[row].value(index);
}

Connection::Connection() : d(std::make_unique<Private>()) {}

Connection::~Connection()
{
    close();
}

StoreResult Connection::open(const QString& location)
{
    close();
    const QByteArray user = kStoreUser.toUtf8();
    const QByteArray password = kStorePassword.toUtf8();
    const QByteArray charset("NONE");
    QByteArray dpb;
    dpb.append(char(isc_dpb_version1));
    for (const auto& [tag, value] : {std::pair{isc_dpb_user_name, &user}, std::pair{isc_dpb_password, &password},
                                     std::pair{isc_dpb_lc_ctype, &charset}}) {
        dpb.append(char(tag));
        dpb.append(char(value->size()));
        dpb.append(*value);
    }
    const QByteArray path = location.toLocal8Bit();
    ISC_STATUS_ARRAY status{};
    isc_attach_database(status, short(path.size()), path.constData(), &d->db, short(dpb.size()), dpb.constData());
    if (fbFailed(status)) {
        d->db = 0;
        return fbResult(status);
    }
    d->location = location;
    return {};
}

void Connection::close()
{
    if (!d->db)
        return;
    if (d->tr)
        d->finish(false);
    d->explicitTransaction = false;
    d->statements.clear();
    ISC_STATUS_ARRAY status{};
    isc_detach_database(status, &d->db);
    d->db = 0;
}

bool Connection::isOpen() const
{
    return d->db != 0;
}

const QString& Connection::location() const
{
    return d->location;
}

StoreResult Connection::execute(const QString& sql, const QVariantList& params)
{
    return d->run(sql, params, nullptr);
}

QueryResult Connection::select(const QString& sql, const QVariantList& params)
{
    QueryResult result;
    static_cast<StoreResult&>(result) = d->run(sql, params, &result.rows);
    return result;
}

StoreResult Connection::executeProcedure(const QString& name, const QVariantList& params)
{
    if (params.isEmpty())
        return execute(QStringLiteral("EXECUTE PROCEDURE ") + name);
    QStringList marks;
    marks.fill(QStringLiteral("?"), params.size());
    return execute(QStringLiteral("EXECUTE PROCEDURE %1(%2)").arg(name, marks.join(QLatin1Char(','))), params);
}

StoreResult Connection::beginTransaction()
{
    if (!d->db)
        return StoreResult::fail(QStringLiteral("The local database is not open."));
    if (d->explicitTransaction)
        return StoreResult::fail(QStringLiteral("A transaction is already running."));
    StoreResult started = d->start();
    d->explicitTransaction = started.ok;
    return started;
}

StoreResult Connection::commit()
{
    if (!d->explicitTransaction)
        return StoreResult::fail(QStringLiteral("No transaction is running."));
    return d->end(true);
}

void Connection::rollback()
{
    if (!d->explicitTransaction)
        return;
    d->end(false);
}

bool Connection::inTransaction() const
{
    return d->explicitTransaction;
}

} // namespace tv::store
