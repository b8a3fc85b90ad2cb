// Creating a Firebird database file. Qt's QIBASE driver can open a database but not
// create one, so this one call goes to the client library directly.
#pragma once

#include <QString>

namespace tv::store {

/// Creates an empty database at `location` (a path for the embedded engine, or
/// "host:/path" for a server) with character set NONE. Returns false and fills `error`
/// with the engine's message when the file cannot be created.
bool createFirebirdDatabase(const QString& location, const QString& user, const QString& password, QString* error);

/// Switches the engine's synchronous writes of the database at `location` on or off. Off is
/// only for building a new, still empty database, where a crash loses nothing.
bool setForcedWrites(const QString& location, const QString& user, const QString& password, bool on,
                     QString* error);

} // namespace tv::store
