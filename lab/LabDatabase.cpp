#include "lab/LabDatabase.h"

#include "lab/LabSchema.h"
#include "store/FirebirdFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <ibase.h>

namespace tv::lab {

namespace {

const char* const user = "SYSDBA";
const char* const password = "masterkey";

bool run(QSqlQuery& query, const QString& sql, QString* error)
{
    if (query.exec(sql)) return true;
    *error = QStringLiteral("%1\n  in: %2").arg(query.lastError().text(), sql.left(200));
    return false;
}

// A stand-in service need not wait for the disk on every commit; the setting lives in the file.
void turnOffForcedWrites(const QString& path)
{
    const QByteArray location = path.toLocal8Bit();
    const char dpb[] = {
        isc_dpb_version1, isc_dpb_force_write, 1, 0, isc_dpb_user_name, 6, 'S', 'Y', 'S', 'D', 'B', 'A'};
    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;
    if (isc_attach_database(status, 0, location.constData(), &db, sizeof dpb, dpb) == 0)
        isc_detach_database(status, &db);
}

} // namespace

LabDatabase::~LabDatabase()
{
    if (m_connection.isEmpty()) return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool LabDatabase::open(const QString& dataDir, const LabClock& clock, QString* error)
{
    const QString path = QFileInfo(QDir(dataDir).filePath(QStringLiteral("LAB.FDB"))).absoluteFilePath();
    const bool fresh = !QFileInfo::exists(path);
    if (fresh && !tv::store::createFirebirdDatabase(path, QLatin1String(user), QLatin1String(password), error))
        return false;
    if (fresh) turnOffForcedWrites(path);

    m_connection = QStringLiteral("tallyvane-lab");
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), m_connection);
    db.setDatabaseName(path);
    db.setUserName(QLatin1String(user));
    db.setPassword(QLatin1String(password));
    if (!db.open()) {
        *error = QStringLiteral("cannot open %1: %2").arg(path, db.lastError().text());
        return false;
    }
    QSqlQuery query(db);
    if (fresh) {
        // DDL commits one by one: later statements refer to the objects made before them.
        for (const QString& statement : labSchemaStatements()) {
            if (!run(query, statement, error)) return false;
        }
    }
    if (clock.isFixed()) {
        const QString now = clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!run(query,
                 QStringLiteral("SELECT RDB$SET_CONTEXT('USER_SESSION', 'LAB_NOW', '%1') FROM RDB$DATABASE").arg(now),
                 error))
            return false;
        query.next(); // the function runs when its row is fetched
        query.finish();
    }
    return true;
}

QSqlDatabase LabDatabase::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool LabDatabase::isEmpty() const
{
    QSqlQuery query(database());
    return query.exec(QStringLiteral("SELECT COUNT(*) FROM LABACCOUNTS")) && query.next() &&
           query.value(0).toInt() == 0;
}

} // namespace tv::lab
