// How far the installation trusts the laboratory's certificate: always checked, against the
// system's CAs plus one extra CA file the installation names (or keeps beside the program), and
// switched off only by an explicit TLS.VERIFY of "F".
#pragma once

#include "remote/ConfigAccess.h"

namespace tv::remote {

class HttpClient;

/// The extra CA kept beside the program when TLS.CAFILE names none.
inline constexpr char kDefaultCaFileName[] = "lab-ca.pem";

/// TLS.CAFILE (a relative path is taken from `appFolder`) or `appFolder`/lab-ca.pem when present;
/// TLS.VERIFY "F" turns checking off.
void applyTlsSettings(const ConfigRead& config, const QString& appFolder, HttpClient& http);

} // namespace tv::remote
