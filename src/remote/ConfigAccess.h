// How the remote layer reads and writes the installation's configuration keys without depending
// on the local database: the application passes its configuration store in as two callbacks.
#pragma once

#include <QString>
#include <functional>

namespace tv::remote {

using ConfigRead = std::function<QString(const QString& key)>;
/// Stores a key with an empty long value (the store's ADD_CONFIG).
using ConfigWrite = std::function<void(const QString& key, const QString& value)>;

} // namespace tv::remote
