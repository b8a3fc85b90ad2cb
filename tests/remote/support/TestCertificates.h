// Self-signed certificates for the loopback tests, made once per test program with the openssl
// command: one for 127.0.0.1 (the server's own) and one naming another host (a wrong certificate).
#pragma once

#include <QByteArray>
#include <QString>

namespace tv::remote::test {

struct CertificatePair {
    QByteArray certPem;
    QByteArray keyPem;
    QString certPath; ///< the certificate as a file, to be trusted as an extra CA
};

/// A certificate valid for 127.0.0.1 (`forLoopback`) or for wrong.example; aborts the test on failure.
const CertificatePair& testCertificate(bool forLoopback = true);

} // namespace tv::remote::test
