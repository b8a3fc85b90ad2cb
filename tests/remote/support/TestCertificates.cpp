#include "TestCertificates.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tv::remote::test {

namespace {

CertificatePair makeCertificate(const QString& dir, const QString& name, const QString& subjectAltName)
{
    const QString cert = dir + "/" + name + "-cert.pem";
    const QString key = dir + "/" + name + "-key.pem";
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
                   key, "-out", cert, "-days", "2", "-subj", "/CN=" + name, "-addext",
                   "subjectAltName=" + subjectAltName});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
        ADD_FAILURE() << "openssl failed: " << openssl.readAllStandardError().toStdString();
    CertificatePair pair;
    QFile certFile(cert);
    QFile keyFile(key);
    if (certFile.open(QIODevice::ReadOnly))
        pair.certPem = certFile.readAll();
    if (keyFile.open(QIODevice::ReadOnly))
        pair.keyPem = keyFile.readAll();
    pair.certPath = cert;
    return pair;
}

} // namespace

const CertificatePair& testCertificate(bool forLoopback)
{
    static QTemporaryDir dir;
    static const CertificatePair loopback = makeCertificate(dir.path(), "127.0.0.1", "IP:127.0.0.1");
    static const CertificatePair wrong = makeCertificate(dir.path(), "wrong.example", "DNS:wrong.example");
    return forLoopback ? loopback : wrong;
}

} // namespace tv::remote::test
