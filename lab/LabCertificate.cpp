#include "lab/LabCertificate.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cstring>
#include <ctime>
#include <gnutls/crypto.h>
#include <gnutls/gnutls.h>
#include <gnutls/x509.h>

namespace tv::lab {

namespace {

const char* const certificateName = "lab-cert.pem";
const char* const keyName = "lab-key.pem";

QString gnutlsError(const char* step, int code)
{
    return QStringLiteral("certificate: %1 failed: %2").arg(QLatin1String(step), QLatin1String(gnutls_strerror(code)));
}

bool writeFile(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(permissions) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

QByteArray takeDatum(gnutls_datum_t& datum)
{
    QByteArray bytes(reinterpret_cast<const char*>(datum.data), static_cast<qsizetype>(datum.size));
    gnutls_free(datum.data);
    return bytes;
}

// Owns the two GnuTLS objects so every early return frees them.
struct Parts {
    gnutls_x509_privkey_t key = nullptr;
    gnutls_x509_crt_t crt = nullptr;
    ~Parts()
    {
        if (crt) gnutls_x509_crt_deinit(crt);
        if (key) gnutls_x509_privkey_deinit(key);
    }
};

LabIdentity createIdentity()
{
    LabIdentity identity;
    Parts p;
    int rc = gnutls_x509_privkey_init(&p.key);
    if (rc == 0)
        rc = gnutls_x509_privkey_generate(p.key, GNUTLS_PK_ECDSA, GNUTLS_CURVE_TO_BITS(GNUTLS_ECC_CURVE_SECP256R1), 0);
    if (rc < 0) return {{}, {}, gnutlsError("key generation", rc)};
    if ((rc = gnutls_x509_crt_init(&p.crt)) < 0) return {{}, {}, gnutlsError("init", rc)};

    unsigned char serial[16];
    gnutls_rnd(GNUTLS_RND_NONCE, serial, sizeof serial);
    serial[0] &= 0x7f; // serial numbers are positive
    const time_t now = time(nullptr);
    const unsigned char loopback[4] = {127, 0, 0, 1};
    const char* const commonName = "tallyvane-lab";
    const char* const organisation = "Tallyvane demo laboratory";
    const char* const localhost = "localhost";

    struct Step {
        const char* name;
        int rc;
    };
    const Step steps[] = {
        {"version", gnutls_x509_crt_set_version(p.crt, 3)},
        {"serial", gnutls_x509_crt_set_serial(p.crt, serial, sizeof serial)},
        // Validity follows the real clock, never the injectable one: TLS peers check real time.
        {"activation", gnutls_x509_crt_set_activation_time(p.crt, now - 24 * 3600)},
        {"expiration", gnutls_x509_crt_set_expiration_time(p.crt, now + 10L * 365 * 24 * 3600)},
        {"common name",
         gnutls_x509_crt_set_dn_by_oid(p.crt, GNUTLS_OID_X520_COMMON_NAME, 0, commonName, strlen(commonName))},
        {"organisation", gnutls_x509_crt_set_dn_by_oid(p.crt, GNUTLS_OID_X520_ORGANIZATION_NAME, 0, organisation,
                                                       strlen(organisation))},
        {"dns name", gnutls_x509_crt_set_subject_alt_name(p.crt, GNUTLS_SAN_DNSNAME, localhost, strlen(localhost),
                                                          GNUTLS_FSAN_APPEND)},
        {"ip address", gnutls_x509_crt_set_subject_alt_name(p.crt, GNUTLS_SAN_IPADDRESS, loopback, sizeof loopback,
                                                            GNUTLS_FSAN_APPEND)},
        {"basic constraints", gnutls_x509_crt_set_basic_constraints(p.crt, 1, -1)},
        {"key usage", gnutls_x509_crt_set_key_usage(p.crt, GNUTLS_KEY_DIGITAL_SIGNATURE | GNUTLS_KEY_KEY_CERT_SIGN)},
        {"purpose", gnutls_x509_crt_set_key_purpose_oid(p.crt, GNUTLS_KP_TLS_WWW_SERVER, 0)},
        {"public key", gnutls_x509_crt_set_key(p.crt, p.key)},
    };
    for (const Step& step : steps) {
        if (step.rc < 0) return {{}, {}, gnutlsError(step.name, step.rc)};
    }
    unsigned char keyId[64];
    size_t keyIdSize = sizeof keyId;
    if ((rc = gnutls_x509_crt_get_key_id(p.crt, 0, keyId, &keyIdSize)) < 0 ||
        (rc = gnutls_x509_crt_set_subject_key_id(p.crt, keyId, keyIdSize)) < 0)
        return {{}, {}, gnutlsError("key id", rc)};
    if ((rc = gnutls_x509_crt_sign2(p.crt, p.crt, p.key, GNUTLS_DIG_SHA256, 0)) < 0)
        return {{}, {}, gnutlsError("signing", rc)};

    gnutls_datum_t datum{};
    if ((rc = gnutls_x509_crt_export2(p.crt, GNUTLS_X509_FMT_PEM, &datum)) < 0)
        return {{}, {}, gnutlsError("certificate export", rc)};
    identity.certificatePem = takeDatum(datum);
    if ((rc = gnutls_x509_privkey_export2(p.key, GNUTLS_X509_FMT_PEM, &datum)) < 0)
        return {{}, {}, gnutlsError("key export", rc)};
    identity.keyPem = takeDatum(datum);
    return identity;
}

} // namespace

LabIdentity loadOrCreateIdentity(const QString& dataDir)
{
    const QDir dir(dataDir);
    const QString certificatePath = dir.filePath(QLatin1String(certificateName));
    const QString keyPath = dir.filePath(QLatin1String(keyName));
    QFile certificateFile(certificatePath);
    QFile keyFile(keyPath);
    if (certificateFile.exists() && keyFile.exists()) {
        if (!certificateFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly))
            return {{}, {}, QStringLiteral("cannot read %1 or %2").arg(certificatePath, keyPath)};
        return {certificateFile.readAll(), keyFile.readAll(), {}};
    }
    LabIdentity identity = createIdentity();
    if (!identity.error.isEmpty()) return identity;
    QString error;
    if (!writeFile(keyPath, identity.keyPem, QFileDevice::ReadOwner | QFileDevice::WriteOwner, &error) ||
        !writeFile(certificatePath, identity.certificatePem,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther,
                   &error))
        return {{}, {}, error};
    return identity;
}

} // namespace tv::lab
