// A private CUPS scheduler for tests: its own configuration, spool, logs and socket in a temporary
// folder, so nothing depends on (or changes) the machine's printing set-up, with one cups-pdf
// queue whose PDF files land in that folder. The cups-pdf backend runs as root and reads its
// settings only from /etc/cups, so the queue's settings file there carries a name of its own and
// is removed again.
#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace tv::testing {

class CupsDaemon {
public:
    CupsDaemon() = default;
    ~CupsDaemon();
    CupsDaemon(const CupsDaemon&) = delete;
    CupsDaemon& operator=(const CupsDaemon&) = delete;

    /// Starts the scheduler and adds the PDF queue `queue`; empty when it runs, else why it cannot.
    QString start(const QString& queue);
    void stop();

    /// For CUPS_SERVER: clients that use it talk to this scheduler only.
    QString socketPath() const { return m_dir.filePath(QStringLiteral("run/cups.sock")); }
    /// The environment of a client program of this scheduler.
    QProcessEnvironment clientEnvironment() const;
    QString outputFolder() const { return m_dir.filePath(QStringLiteral("out")); }

    /// Waits until the queue has no job left to do and at least `pdfCount` PDF files exist;
    /// false after `timeoutMs`.
    bool waitForPdfs(int pdfCount, int timeoutMs);
    /// The PDF files made so far, full paths, by name.
    QStringList pdfs() const;
    void removePdfs();
    /// The scheduler's and the backend's log tails, for failure messages.
    QString logTail() const;

private:
    QString run(const QString& program, const QStringList& args, int* exitCode = nullptr) const;

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    QString m_queue;
    QString m_backendConfig;
};

} // namespace tv::testing
