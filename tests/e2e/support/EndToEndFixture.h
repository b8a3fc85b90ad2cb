// The programs themselves on loopback: one tallyvane-lab --demo per suite, its clock fixed (and
// moved only by a restart on the same data), and tallyvane installations that trust its
// certificate and run their commands with the client's clock fixed too.
#pragma once

#include "store/Connection.h"

#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace tv::e2e {

/// The laboratory's clock at the suite's start.
inline const char* const kLabNow = "2026-12-11T10:00:00";

struct CommandRun {
    int status = -1;
    QString out;
    QString err;
};

/// Changes a command's environment before it starts.
using CommandEnvironment = std::function<void(QProcessEnvironment&)>;

class EndToEndFixture : public ::testing::Test {
protected:
    /// Starts the laboratory at `kLabNow` and makes the installation of account 1001 (`s_app`).
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    /// Starts the laboratory on the suite's data folder with its clock standing at `now`.
    static void startLab(const char* now);
    static void stopLab();
    /// A new installation in folder `name` for `account`, keeping 30 days.
    static QString makeInstallation(const QString& name, int account);
    /// Names the running laboratory in the installation's server list (each start takes a new port).
    static void pointAtLab(const QString& app);

    static CommandRun run(const QString& app, const QStringList& args, const char* now = kLabNow,
                          const CommandEnvironment& adjust = {});
    static CommandRun tallyvane(const QStringList& args, const char* now = kLabNow) { return run(s_app, args, now); }

    /// Rows of a statement, each as its values joined by "|" (moments as yyyy-mm-dd hh:nn:ss).
    static QStringList rowsOf(store::Connection& db, const QString& sql);
    /// ... on the installation's store.
    static QStringList local(const QString& sql, const QString& app = s_app);
    static void localExecute(const QString& sql, const QString& app = s_app);
    /// ... on the laboratory's own database, which only a stopped laboratory leaves free.
    static QStringList labRows(const QString& sql);
    /// How many rows the laboratory's log says it answered `sql` with (-1 when it did not log it).
    static int labAnswerRows(const QString& sql);

    static inline QTemporaryDir* s_dir = nullptr;
    static inline QProcess* s_lab = nullptr;
    static inline QString s_root; ///< the running laboratory's base address
    static inline QString s_app;  ///< the installation of account 1001
};

} // namespace tv::e2e
