// A seeded demo laboratory for the benchmarks that talk to `tallyvane-lab`. Seeding tens of
// thousands of reports takes a minute, so the data folder is made once under the build folder
// and reused; its clock is fixed at the first moment when the asked number of normal-channel
// reports of account 1001 lies in a first since-last download's window.
#pragma once

#include <QDateTime>
#include <QProcess>
#include <QString>

namespace tv::bench {

class DemoLab {
public:
    DemoLab() = default;
    ~DemoLab() { stop(); }
    DemoLab(const DemoLab&) = delete;
    DemoLab& operator=(const DemoLab&) = delete;

    /// Finds the cached data folder for at least `reports` rows, or seeds it; false with `error` filled.
    bool prepare(int reports, QString* error);
    /// The rows a since-last download gets at the fixed clock: `reports`, or one or two more.
    int rows() const { return m_rows; }

    /// Starts the service on a free loopback port with the fixed clock; false with `error` filled.
    bool start(QString* error);
    void stop();

    QString dataDir() const { return m_dataDir; }
    QDateTime clock() const { return m_clock; }
    QString certificate() const;
    /// https://127.0.0.1:N, as a server list names it.
    QString root() const { return m_root; }
    /// The URL the client's requests are sent under (server root + service path).
    QString serviceUrl() const { return m_root + QStringLiteral("/orvalis/qtx80z.dll"); }
    /// CPU seconds the running service has used so far (user + system).
    double serviceCpuSeconds() const;

    /// The statement of a since-last download of account 1001's normal channel into an empty store.
    static QString sinceLastStatement(const QDateTime& now);

private:
    QString m_dataDir;
    QDateTime m_clock;
    int m_rows = 0;
    QString m_root;
    QProcess m_process;
};

} // namespace tv::bench
