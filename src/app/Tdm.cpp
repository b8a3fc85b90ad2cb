#include "app/Tdm.h"

#include "app/StoreNotice.h"
#include "store/LocalDatabase.h"
#include "store/SchemaUpdater.h"

#include <QDir>

namespace tv::app {

namespace {

std::optional<int> readInteger(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

const QString kBuiltInUser = QStringLiteral("DUNLOW");

} // namespace

Tdm::Tdm(QString appFolder, NoticeSink& notices, UserStore& users)
    : AppFolder(std::move(appFolder)), m_notices(notices), m_users(users)
{
    if (!AppFolder.endsWith(QLatin1Char('/')))
        AppFolder += QLatin1Char('/');
}

Tdm::~Tdm()
{
    DataModuleDestroy();
}

bool Tdm::DataModuleCreate()
{
    m_log.clear();
    ReferenceMode = false;
    NewReferenceResults = false;
    FileRelease = QStringLiteral("10.0");
    log(QStringLiteral("installation folder: %1").arg(QDir::toNativeSeparators(AppFolder)));
    PrintedFilter.clear();
    runHook(hooks.writeDefaultServerList, QStringLiteral("server list"));
    if (ReadUserEntry(kBuiltInUser).isEmpty()) {
        m_users.writeEntry(kBuiltInUser, kBuiltInUser);
        log(QStringLiteral("user store: entry DUNLOW written"));
    }
    runHook(hooks.loadExportProgram, QStringLiteral("export program"));
    if (!openStore() || !updateSchema())
        return false;

    if (failed(ibDB.execute(QStringLiteral("UPDATE CONFIG SET VVALUE='NO-VALUE' WHERE VVALUE IS NULL")),
               QStringLiteral("read")))
        return false;
    runHook(hooks.applyProxySettings, QStringLiteral("proxy settings"));
    LastServer.clear();

    Account = GetConfig(QStringLiteral("USER.ACCOUNT"));
    const std::optional<int> account = readInteger(Account);
    if (!account || *account == 0) {
        log(QStringLiteral("account: none stored (\"%1\"); setting up the account").arg(Account));
        if (failed(SetUpAccount(), QStringLiteral("written")))
            return false;
    } else {
        log(QStringLiteral("account: %1").arg(Account));
    }

    const int days = readInteger(GetConfig(QStringLiteral("DATA.ACTIVE"))).value_or(30);
    const QDate oldest = today().addDays(-days);
    if (failed(ibDB.executeProcedure(QStringLiteral("DEL_OLD"), {oldest}), QStringLiteral("cleaned up")))
        return false;
    log(QStringLiteral("retention: %1 days, reports downloaded before %2 removed")
            .arg(days)
            .arg(oldest.toString(QStringLiteral("MM/dd/yyyy"))));

    const QString x = GetConfig(QStringLiteral("PRINT.XOFFSET"));
    XOffsetText = (x.isEmpty() ? QStringLiteral("0") : x) + QLatin1String("/16");
    // A stored offset that is not a number must not stop the start-up: it counts as 0.
    YOffsetText = QString::number(-readInteger(GetConfig(QStringLiteral("PRINT.YOFFSET"))).value_or(0)) +
                  QLatin1String("/16");
    log(QStringLiteral("print offsets: %1, %2").arg(XOffsetText, YOffsetText));
    ExportPath = GetConfig(QStringLiteral("EXPORT.PATH"));
    log(QStringLiteral("export folder: %1").arg(ExportPath.isEmpty() ? QStringLiteral("(none)") : ExportPath));
    return true;
}

bool Tdm::openStore()
{
    const store::OpenOutcome opened = store::openDatabase(ibDB, AppFolder);
    if (!opened.ok) {
        const Notice notice = storeFailureNotice(opened, QStringLiteral("opened"), opened.location);
        ShowNotice(notice.instruction, notice.content);
        log(QStringLiteral("database: %1 could not be opened").arg(QDir::toNativeSeparators(opened.location)));
        return false;
    }
    log(QStringLiteral("database: %1 %2")
            .arg(opened.created ? QStringLiteral("created") : QStringLiteral("opened"),
                 QDir::toNativeSeparators(opened.location)));
    return true;
}

bool Tdm::updateSchema()
{
    store::SchemaUpdater updater(ibDB.location());
    store::StoreResult result = updater.runUpdateStep(1);
    if (result.ok)
        result = updater.runUpdateStep(2);
    if (updater.updated()) {
        m_notices.showTimedNotice(QStringLiteral("TallyvaneWeb"), QStringLiteral("Your App had been updated"), 7);
        log(QStringLiteral("schema: updated"));
    } else if (result.ok) {
        log(QStringLiteral("schema: up to date"));
    }
    return !failed(result, QStringLiteral("updated"));
}

store::StoreResult Tdm::SetUpAccount()
{
    const auto store = [this](const char* key, const QString& value) {
        return config.addConfig(QString::fromLatin1(key), value, QString());
    };
    for (const auto& [key, value] : {std::pair{"USER.ACCOUNT", "0000"}, std::pair{"DATA.FOLDER", "LAB0000"},
                                     std::pair{"USER.NAME", "NO-NAME"}, std::pair{"USER.ONHOLD", "F"},
                                     std::pair{"DATA.ACTIVE", "1"}})
        if (store::StoreResult r = store(key, QString::fromLatin1(value)); !r.ok)
            return r;
    const std::optional<AccountSetup> setup = askAccount ? askAccount() : std::nullopt;
    if (setup) {
        const QList<std::pair<const char*, QString>> values = {
            {"USER.ACCOUNT", setup->account},
            {"DATA.FOLDER", QLatin1String("LAB") + setup->account},
            {"USER.NAME", setup->customer},
            {"USER.ONHOLD", QStringLiteral("F")},
            {"DATA.ACTIVE", QString::number(setup->daysKept)},
        };
        for (const auto& [key, value] : values)
            if (store::StoreResult r = store(key, value); !r.ok)
                return r;
        log(QStringLiteral("account set up: %1 \"%2\", reports kept %3 days")
                .arg(setup->account, setup->customer)
                .arg(setup->daysKept));
    } else {
        log(QStringLiteral("account set up: defaults kept (account 0000)"));
    }
    m_users.writeEntry(kBuiltInUser, kBuiltInUser);
    return ibDB.executeProcedure(QStringLiteral("DEL_OLD"), {today()});
}

void Tdm::DataModuleDestroy()
{
    ibDB.close();
}

void Tdm::ShowNotice(const QString& instruction, const QString& content)
{
    m_notices.showNotice(instruction, content);
}

QString Tdm::ReadUserEntry(const QString& name) const
{
    return m_users.readEntry(name);
}

QString Tdm::ReplaceText(const QString& source, const QString& find, const QString& replacement)
{
    QString out = source;
    return find.isEmpty() ? out : out.replace(find, replacement, Qt::CaseInsensitive);
}

QString Tdm::GetConfig(const QString& key)
{
    const store::TextResult read = config.getConfig(key);
    failed(read, QStringLiteral("read"));
    return read.text;
}

QString Tdm::GetConfigIni(const QString& key)
{
    const store::TextResult read = config.getConfigIni(key);
    failed(read, QStringLiteral("read"));
    return read.text;
}

bool Tdm::failed(const store::StoreResult& result, const QString& action)
{
    if (result.ok)
        return false;
    const Notice notice = storeFailureNotice(result, action, ibDB.location());
    ShowNotice(notice.instruction, notice.content);
    log(QStringLiteral("stopped: the database could not be %1").arg(action));
    return true;
}

void Tdm::runHook(const std::function<void(Tdm&)>& hook, const QString& what)
{
    if (!hook) {
        log(QStringLiteral("%1: not part of this build").arg(what));
        return;
    }
    hook(*this);
    log(QStringLiteral("%1: done").arg(what));
}

} // namespace tv::app
