// The customer's web proxy: six configuration keys, saved from the proxy panel and copied into
// the HTTP client at start-up and after every save. The configuration store is reached through
// two callbacks so this layer does not depend on the local database.
#pragma once

#include <QString>
#include <functional>

namespace tv::remote {

class HttpClient;

using ConfigRead = std::function<QString(const QString& key)>;
/// Stores a key with an empty long value (the store's ADD_CONFIG).
using ConfigWrite = std::function<void(const QString& key, const QString& value)>;

/// Unless PROXY.USE is exactly "T", leaves the client alone; otherwise copies server, user, password
/// and port (8080 when not an integer) into it.
void applyProxySettings(const ConfigRead& config, HttpClient& http);

/// Stores the six keys in their fixed order, then applies them.
void saveProxySettings(const ConfigRead& read, const ConfigWrite& write, HttpClient& http, const QString& server,
                       const QString& user, bool use, bool show, const QString& port, const QString& password);

} // namespace tv::remote
