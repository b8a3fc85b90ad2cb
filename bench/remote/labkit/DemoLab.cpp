#include "labkit/DemoLab.h"

#include "intake/DownloadWindow.h"
#include "lab/DemoSeeder.h"
#include "lab/LabDatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <cstdio>
#include <unistd.h>

namespace tv::bench {

namespace {

// The demo spreads its reports over two weeks, most for 1001 and three in four on the normal
// channel: about 0.31 of them fall in one account's since-last window, so this many seeded
// reports put a little over 10,000 in the window at the seeding clock and a little under at
// that day's start. The clock is then moved within that day to hit the count exactly.
constexpr int kDemoReports = 32500;
const QDateTime kSeedClock(QDate(2026, 12, 11), QTime(10, 0));
const char* const kClockFile = "clock.txt";
const char* const kClockFormat = "yyyy-MM-ddTHH:mm:ss";

// Rows of the since-last answer the service gives at `clock`, counted by its own database.
int windowRows(const QString& dataDir, const QDateTime& clock, QString* error)
{
    lab::LabDatabase database;
    if (!database.open(dataDir, lab::LabClock(clock), error)) return -1;
    QSqlQuery query(database.database());
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM (%1) D").arg(DemoLab::sinceLastStatement(clock))) ||
        !query.next()) {
        *error = QStringLiteral("cannot count the window's rows");
        return -1;
    }
    return query.value(0).toInt();
}

// Within one day the window's start stands still, so the count only grows with the clock: the
// earliest second of the seeding day at which at least `reports` rows are released. The demo
// releases on whole minutes, a few reports at a time, so the count may pass `reports` by one or two.
QDateTime clockFor(const QString& dataDir, int reports, int* rows, QString* error)
{
    qint64 low = QDateTime(kSeedClock.date(), QTime(0, 0)).toSecsSinceEpoch();
    qint64 high = kSeedClock.toSecsSinceEpoch();
    const int atLow = windowRows(dataDir, QDateTime::fromSecsSinceEpoch(low), error);
    const int atHigh = windowRows(dataDir, kSeedClock, error);
    if (atLow < 0 || atHigh < 0) return {};
    if (atLow > reports || atHigh < reports) {
        *error = QStringLiteral("the demo puts %1 to %2 rows in the window on its last day, not %3: change "
                                "kDemoReports")
                     .arg(atLow)
                     .arg(atHigh)
                     .arg(reports);
        return {};
    }
    while (low < high) {
        const qint64 middle = low + (high - low) / 2;
        const int count = windowRows(dataDir, QDateTime::fromSecsSinceEpoch(middle), error);
        if (count < 0) return {};
        if (count < reports)
            low = middle + 1;
        else
            high = middle;
    }
    const QDateTime clock = QDateTime::fromSecsSinceEpoch(low);
    *rows = windowRows(dataDir, clock, error);
    return *rows < 0 ? QDateTime() : clock;
}

bool seed(const QString& dataDir, QString* error)
{
    lab::LabDatabase database;
    if (!database.open(dataDir, lab::LabClock(kSeedClock), error)) return false;
    const lab::DemoSeedResult seeded = lab::seedDemoLaboratory(database.database(), kSeedClock, kDemoReports);
    if (!seeded.ok) *error = seeded.error;
    return seeded.ok;
}

} // namespace

bool DemoLab::prepare(int reports, QString* error)
{
    m_dataDir = QStringLiteral(TV_BENCH_CACHE "/demo-lab-%1").arg(reports);
    QFile clockFile(QDir(m_dataDir).filePath(QLatin1String(kClockFile)));
    if (clockFile.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> saved = clockFile.readAll().trimmed().split(' ');
        m_clock = QDateTime::fromString(QString::fromLatin1(saved.value(0)), QLatin1String(kClockFormat));
        m_rows = saved.value(1).toInt();
        if (m_clock.isValid() && m_rows >= reports) return true;
        clockFile.close();
    }
    std::fprintf(stderr, "seeding the demo laboratory in %s (once, about a minute)\n", qPrintable(m_dataDir));
    QDir(m_dataDir).removeRecursively();
    if (!QDir().mkpath(m_dataDir) || !seed(m_dataDir, error)) return false;
    m_clock = clockFor(m_dataDir, reports, &m_rows, error);
    if (!m_clock.isValid() || !clockFile.open(QIODevice::WriteOnly)) return false;
    clockFile.write(m_clock.toString(QLatin1String(kClockFormat)).toLatin1() + ' ' + QByteArray::number(m_rows));
    return true;
}

bool DemoLab::start(QString* error)
{
    m_process.setProgram(QStringLiteral(TV_LAB_BINARY));
    m_process.setArguments(
        {"--port", "0", "--data", m_dataDir, "--demo", "--now", m_clock.toString(QLatin1String(kClockFormat))});
    m_process.setStandardErrorFile(QDir(m_dataDir).filePath(QStringLiteral("requests.log")), QIODevice::Append);
    m_process.start();
    QByteArray line;
    while (m_process.waitForStarted(10000) && !line.contains('\n') && m_process.waitForReadyRead(120000))
        line += m_process.readLine();
    const QByteArray prefix = "listening on ";
    if (!line.startsWith(prefix)) {
        *error = QStringLiteral("tallyvane-lab did not start (see %1/requests.log)").arg(m_dataDir);
        stop();
        return false;
    }
    m_root = QString::fromLatin1(line.mid(prefix.size()).trimmed());
    return true;
}

void DemoLab::stop()
{
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.terminate();
    if (!m_process.waitForFinished(15000)) m_process.kill();
    m_process.waitForFinished(5000);
}

QString DemoLab::certificate() const
{
    return QDir(m_dataDir).filePath(QStringLiteral("lab-cert.pem"));
}

double DemoLab::serviceCpuSeconds() const
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(m_process.processId()));
    if (!stat.open(QIODevice::ReadOnly)) return 0;
    // Fields after the command's closing parenthesis, from the state on: utime and stime are the 12th and 13th.
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) return 0;
    return double(fields[11].toLongLong() + fields[12].toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

QString DemoLab::sinceLastStatement(const QDateTime& now)
{
    const QDateTime start = intake::lastProcessFloor(QDateTime(), now.date());
    const intake::DownloadWindow window = intake::downloadWindow(intake::DownloadMode::SinceLast, {}, now, start);
    return intake::downloadStatement(store::Channel::Normal, window, 1001);
}

} // namespace tv::bench
