// The customer's web proxy: six configuration keys, saved from the proxy panel and copied into
// the HTTP client at start-up and after every save. The configuration store is reached through
// callbacks (ConfigAccess.h).
#pragma once

#include "remote/ConfigAccess.h"

namespace tv::remote {

class HttpClient;

/// Unless PROXY.USE is exactly "T", leaves the client alone; otherwise copies server, user, password
/// and port (8080 when not an integer) into it.
void applyProxySettings(const ConfigRead& config, HttpClient& http);

/// Stores the six keys in their fixed order, then applies them.
void saveProxySettings(const ConfigRead& read, const ConfigWrite& write, HttpClient& http, const QString& server,
                       const QString& user, bool use, bool show, const QString& port, const QString& password);

} // namespace tv::remote
