#include "CupsDaemon.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <unistd.h>

namespace tv::testing {

namespace {

const char* const kBackend = "/usr/lib/cups/backend/cups-pdf";
const char* const kPpd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
const char* const kBackendConfigFolder = "/etc/cups";

bool writeText(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

QString tail(const QString& path, int lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QStringList all = QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'));
    return all.mid(qMax(0, int(all.size()) - lines)).join(QLatin1Char('\n'));
}

} // namespace

CupsDaemon::~CupsDaemon()
{
    stop();
}

QString CupsDaemon::start(const QString& queue)
{
    if (geteuid() != 0) return QStringLiteral("a private cupsd with the cups-pdf backend needs root");
    const QString cupsd = QStandardPaths::findExecutable(QStringLiteral("cupsd"), {"/usr/sbin", "/sbin"});
    if (cupsd.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("lpadmin"), {"/usr/sbin"}).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("lpstat")).isEmpty())
        return QStringLiteral("CUPS is not installed (packages cups, cups-client)");
    if (!QFileInfo(QString::fromLatin1(kBackend)).isFile() || !QFileInfo(QString::fromLatin1(kPpd)).isFile())
        return QStringLiteral("the cups-pdf backend is not installed (package printer-driver-cups-pdf)");
    if (!m_dir.isValid()) return QStringLiteral("no temporary folder");

    // The filters run as user lp, who must reach the spool inside the folder.
    const QDir root(m_dir.path());
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                            QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    for (const char* sub : {"etc/ppd", "spool/tmp", "run", "cache", "log", "out", "pdfspool"})
        root.mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(root.filePath(QStringLiteral("spool/tmp")), QFile::Permissions(0x7777));

    const QString conf = root.filePath(QStringLiteral("etc/cupsd.conf"));
    const QString files = root.filePath(QStringLiteral("etc/cups-files.conf"));
    const bool written =
        writeText(conf, QStringLiteral("Listen %1\nLogLevel debug\nWebInterface No\nBrowsing No\nDefaultAuthType None\n"
                                       "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                       "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                            .arg(socketPath())) &&
        writeText(files, QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                                        "StateDir %1/run\nCacheDir %1/cache\nAccessLog %1/log/access_log\n"
                                        "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\n"
                                        "Printcap %1/run/printcap\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                                        "User lp\nGroup lp\nSystemGroup root\n")
                             .arg(m_dir.path()));
    if (!written) return QStringLiteral("cannot write the scheduler's configuration");

    // The device URI cups-pdf:/<tag> makes the backend read /etc/cups/cups-pdf-<tag>.conf.
    const QString tag = QStringLiteral("tvtest%1").arg(QCoreApplication::applicationPid());
    m_backendConfig = QStringLiteral("%1/cups-pdf-%2.conf").arg(QString::fromLatin1(kBackendConfigFolder), tag);
    if (!writeText(m_backendConfig, QStringLiteral("Out %1/out\nAnonDirName %1/out\nSpool %1/pdfspool\nLog %1/log\n"
                                                   "LogType 3\n")
                                        .arg(m_dir.path()))) {
        m_backendConfig.clear();
        return QStringLiteral("cannot write the cups-pdf settings in %1")
            .arg(QString::fromLatin1(kBackendConfigFolder));
    }

    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), conf, QStringLiteral("-s"), files});
    if (!m_cupsd.waitForStarted(5000)) return QStringLiteral("cupsd does not start: ") + m_cupsd.errorString();
    const QDeadlineTimer ready(15000);
    int status = 1;
    while (!ready.hasExpired() && m_cupsd.state() == QProcess::Running) {
        if (QFileInfo::exists(socketPath())) {
            run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &status);
            if (status == 0) break;
        }
        QThread::msleep(50);
    }
    if (status != 0)
        return QStringLiteral("cupsd did not come up:\n") + QString::fromLocal8Bit(m_cupsd.readAll()) + logTail();

    // Cairo renders the PostScript the backend needs (as Debian's cups-pdf notes advise for such a queue):
    // through ghostscript's ps2write the text of embedded fonts would no longer read back as text.
    m_queue = queue;
    const QString added = run(QStringLiteral("lpadmin"),
                              {QStringLiteral("-p"), queue, QStringLiteral("-E"), QStringLiteral("-v"),
                               QStringLiteral("cups-pdf:/") + tag, QStringLiteral("-P"), QString::fromLatin1(kPpd),
                               QStringLiteral("-o"), QStringLiteral("pdftops-renderer-default=pdftocairo")},
                              &status);
    if (status != 0) return QStringLiteral("lpadmin failed: ") + added;
    return {};
}

void CupsDaemon::stop()
{
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
    }
    if (!m_backendConfig.isEmpty()) QFile::remove(m_backendConfig);
    m_backendConfig.clear();
}

QProcessEnvironment CupsDaemon::clientEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), socketPath());
    return env;
}

QString CupsDaemon::run(const QString& program, const QStringList& args, int* exitCode) const
{
    QProcess process;
    process.setProcessEnvironment(clientEnvironment());
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QString path = QStandardPaths::findExecutable(program, {"/usr/sbin", "/usr/bin"});
    process.start(path.isEmpty() ? program : path, args);
    const bool ran = process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit;
    if (exitCode) *exitCode = ran ? process.exitCode() : -1;
    return QString::fromLocal8Bit(process.readAll());
}

bool CupsDaemon::waitForPdfs(int pdfCount, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        int status = 1;
        const QString pending = run(QStringLiteral("lpstat"), {QStringLiteral("-o"), m_queue}, &status);
        if (status == 0 && pending.trimmed().isEmpty() && pdfs().size() >= pdfCount) return true;
        QThread::msleep(100);
    }
    return false;
}

QStringList CupsDaemon::pdfs() const
{
    QStringList paths;
    const QDir out(outputFolder());
    for (const QString& name : out.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name))
        paths << out.filePath(name);
    return paths;
}

void CupsDaemon::removePdfs()
{
    for (const QString& path : pdfs())
        QFile::remove(path);
}

QString CupsDaemon::logTail() const
{
    QString text =
        QStringLiteral("\n--- cupsd error_log ---\n") + tail(m_dir.filePath(QStringLiteral("log/error_log")), 40);
    const QDir log(m_dir.filePath(QStringLiteral("log")));
    for (const QString& name : log.entryList({QStringLiteral("cups-pdf-*")}, QDir::Files))
        text += QStringLiteral("\n--- %1 ---\n").arg(name) + tail(log.filePath(name), 20);
    return text;
}

} // namespace tv::testing
