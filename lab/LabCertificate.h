// The service's TLS identity: a self-signed certificate (CA:TRUE, names 127.0.0.1 and
// localhost) made once with GnuTLS and kept in the data folder, so a client can trust the
// certificate file itself as its CA file across restarts.
#pragma once

#include <QByteArray>
#include <QString>

namespace tv::lab {

struct LabIdentity {
    QByteArray certificatePem;
    QByteArray keyPem;
    QString error; ///< empty on success
};

/// Loads DIR/lab-cert.pem and DIR/lab-key.pem, or creates both when either is missing.
LabIdentity loadOrCreateIdentity(const QString& dataDir);

} // namespace tv::lab
