// Where an installation's store lives and how it is opened: server.txt may name another file or
// a Firebird server ("host:/path"); otherwise it is WEBDAV.FDB in the installation folder, created
// with the full schema when a new installation has none. A named store is never created.
#pragma once

#include "store/Connection.h"

namespace tv::store {

inline const QString kDefaultDatabaseName = QStringLiteral("WEBDAV.FDB");
inline const QString kServerFileName = QStringLiteral("server.txt");

/// The value of server= in `appFolder`/server.txt (name without regard to case, value as
/// written), or `appFolder`/WEBDAV.FDB when the file, the line or the value is missing.
QString databaseLocation(const QString& appFolder);
/// True for a location the engine reaches over the network ("host:/path", "host/port:path").
bool isServerLocation(const QString& location);

struct OpenOutcome : StoreResult {
    QString location;
    bool created = false;  ///< a new installation's store was created just now
};

OpenOutcome openDatabase(Connection& connection, const QString& appFolder);

/// The text of a schema script kept with the program: "CreateSchema", "UpdateStep1", "UpdateStep2".
QString schemaScript(const QString& name);

} // namespace tv::store
