#include "store/LocalDatabase.h"

#include "store/FirebirdFile.h"
#include "store/SqlScript.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tv::store {

QString databaseLocation(const QString& appFolder)
{
    const QDir folder(appFolder);
    QFile file(folder.filePath(kServerFileName));
    if (file.open(QIODevice::ReadOnly)) {
        const QStringList lines = QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'));
        for (QString line : lines) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq < 0 || QStringView(line).first(eq).compare(QLatin1String("server"), Qt::CaseInsensitive) != 0)
                continue;
            const QString value = line.mid(eq + 1);
            if (!value.isEmpty())
                return value;
            break;
        }
    }
    return folder.filePath(kDefaultDatabaseName);
}

bool isServerLocation(const QString& location)
{
    const qsizetype colon = location.indexOf(QLatin1Char(':'));
    if (colon <= 1)  // no host, or a drive letter
        return false;
    const QStringView host = QStringView(location).first(colon);
    return !host.startsWith(u'/') && !host.startsWith(u'.') && !host.contains(u'\\');
}

OpenOutcome openDatabase(Connection& connection, const QString& appFolder)
{
    connection.close();
    OpenOutcome outcome;
    outcome.location = databaseLocation(appFolder);
    const bool isDefault = outcome.location == QDir(appFolder).filePath(kDefaultDatabaseName);
    if (!isServerLocation(outcome.location) && !QFileInfo::exists(outcome.location)) {
        if (!isDefault) {
            static_cast<StoreResult&>(outcome) =
                StoreResult::fail(QStringLiteral("The database file %1 does not exist.").arg(outcome.location),
                                  StoreFailure::Missing);
            return outcome;
        }
        QString error;
        if (!createFirebirdDatabase(outcome.location, kStoreUser, kStorePassword, &error)) {
            static_cast<StoreResult&>(outcome) = StoreResult::fail(error, StoreFailure::NoAccess);
            return outcome;
        }
        outcome.created = true;
        // Each DDL statement commits; synchronous writes would make a first start take seconds.
        setForcedWrites(outcome.location, kStoreUser, kStorePassword, false, nullptr);
        StoreResult built = connection.open(outcome.location);
        if (built.ok)
            built = runSqlScript(connection, schemaScript(QStringLiteral("CreateSchema")));
        connection.close();
        if (built.ok && !setForcedWrites(outcome.location, kStoreUser, kStorePassword, true, &error))
            built = StoreResult::fail(error);
        if (built.ok)
            built = connection.open(outcome.location);
        if (!built.ok) {
            // A half-built store would look like a damaged installation at the next start.
            connection.close();
            QFile::remove(outcome.location);
            static_cast<StoreResult&>(outcome) = built;
        }
        return outcome;
    }
    static_cast<StoreResult&>(outcome) = connection.open(outcome.location);
    return outcome;
}

QString schemaScript(const QString& name)
{
    QFile file(QStringLiteral(":/store/%1.sql").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace tv::store
