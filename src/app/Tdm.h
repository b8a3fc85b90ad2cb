// The data module: one object, created before any window, that owns the store connection and
// the shared state every operation reads, and runs the start-up steps in their fixed order.
// Steps that belong to other layers (server list, export program, proxy) are hooks the program
// fills before start-up; an empty hook is skipped and says so in the start-up log.
#pragma once

#include "app/NoticeSink.h"
#include "app/UserStore.h"
#include "store/ConfigStore.h"
#include "store/Connection.h"

#include <QDate>
#include <QStringList>
#include <functional>
#include <optional>

namespace tv::app {

class Tdm;

struct TdmHooks {
    std::function<void(Tdm&)> writeDefaultServerList;  ///< step 5
    std::function<void(Tdm&)> loadExportProgram;       ///< step 7: EXPORT.DAT or the built-in program
    std::function<void(Tdm&)> applyProxySettings;      ///< step 11
};

/// What a new installation is told about itself (SetUpAccount step 2).
struct AccountSetup {
    QString account;   ///< a non-zero whole number
    QString customer;  ///< USER.NAME
    int daysKept = 1;  ///< DATA.ACTIVE
};

class Tdm {
public:
    Tdm(QString appFolder, NoticeSink& notices, UserStore& users);
    ~Tdm();

    TdmHooks hooks;
    /// Asked once when the installation has no account; nothing keeps the defaults (unattended).
    std::function<std::optional<AccountSetup>()> askAccount;
    std::function<QDate()> today = [] { return QDate::currentDate(); };

    /// Runs the start-up steps; false when one failed (its notice has been shown, later steps skipped).
    bool DataModuleCreate();
    void DataModuleDestroy();
    /// Stores the account defaults and then the installation's own values.
    store::StoreResult SetUpAccount();

    void ShowNotice(const QString& instruction, const QString& content);
    QString ReadUserEntry(const QString& name) const;
    /// Every occurrence of `find`, compared without regard to case.
    static QString ReplaceText(const QString& source, const QString& find, const QString& replacement);

    /// Reads that fail show their notice and give empty text.
    QString GetConfig(const QString& key);
    QString GetConfigIni(const QString& key);

    NoticeSink& notices() { return m_notices; }
    UserStore& users() { return m_users; }
    /// One line per start-up step: what it did.
    const QStringList& startupLog() const { return m_log; }

    store::Connection ibDB;
    store::ConfigStore config{ibDB};

    // Shared state read by every operation.
    QString FileRelease;
    QString AppFolder;  ///< ends with a separator
    QString Account;
    QString ExportPath;
    QString LastServer;
    QString XOffsetText;
    QString YOffsetText;
    bool ReferenceMode = false;
    bool NewReferenceResults = false;
    QString PrintedFilter;
    QString ExtraFieldsInit;

private:
    bool openStore();
    bool updateSchema();
    bool failed(const store::StoreResult& result, const QString& action);
    void runHook(const std::function<void(Tdm&)>& hook, const QString& what);
    void log(const QString& line) { m_log.append(line); }

    NoticeSink& m_notices;
    UserStore& m_users;
    QStringList m_log;
};

} // namespace tv::app
