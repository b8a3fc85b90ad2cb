// Test helpers: a running `tallyvane-lab` on a free loopback port in a folder the test names,
// and one HTTPS exchange with it through libcurl, trusting only the lab's own certificate.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace tv::lab::test {

class LabProcess {
public:
    ~LabProcess() { stop(); }

    /// Starts the binary with --port 0 --data `dataDir` and `extra`; false when it does not come up.
    bool start(const QString& dataDir, const QStringList& extra);
    void stop();
    QString root() const { return m_root; } ///< https://127.0.0.1:N
    QString certificate() const { return m_dataDir + QStringLiteral("/lab-cert.pem"); }

private:
    QProcess m_process;
    QString m_root;
    QString m_dataDir;
};

enum class Auth { None, Basic, Digest };

struct Exchange {
    long status = 0;
    QByteArray headers;
    QByteArray body;
    QString error; ///< transport failure
};

/// One request: `method` to root + `path` with `body` as a form body (a GET carries it too).
Exchange exchange(const LabProcess& lab, const char* method, const QString& path, const QByteArray& body,
                  Auth auth = Auth::Basic, const QString& password = QStringLiteral("portal!quinceleaf361"));

} // namespace tv::lab::test
