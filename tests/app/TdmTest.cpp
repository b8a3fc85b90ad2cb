#include "../store/StoreFixture.h"
#include "RecordedNotices.h"
#include "app/Tdm.h"

#include <QDir>
#include <QFile>

using namespace tv;
using app::Tdm;
using app::testing::RecordedNotices;

namespace {

const QDate kToday(2024, 5, 6);

class tdm_test : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(store::testing::copyTemplateStore(m_dir.path())); }

    std::unique_ptr<Tdm> start(std::optional<app::AccountSetup> setup = std::nullopt, bool* asked = nullptr)
    {
        auto tdm = std::make_unique<Tdm>(m_dir.path(), m_notices, m_users);
        tdm->today = [] { return kToday; };
        tdm->askAccount = [setup, asked] {
            if (asked)
                *asked = true;
            return setup;
        };
        m_started = tdm->DataModuleCreate();
        return tdm;
    }

    /// Runs `sql` on the installation's store while no data module holds it.
    store::Rows query(const QString& sql, const QVariantList& params = {})
    {
        store::Connection db;
        EXPECT_TRUE(db.open(QDir(m_dir.path()).filePath(store::kDefaultDatabaseName)).ok);
        const store::QueryResult r = db.select(sql, params);
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        return r.rows;
    }

    void exec(const QString& sql, const QVariantList& params = {})
    {
        store::Connection db;
        ASSERT_TRUE(db.open(QDir(m_dir.path()).filePath(store::kDefaultDatabaseName)).ok);
        const store::StoreResult r = db.execute(sql, params);
        ASSERT_TRUE(r.ok) << r.message.toStdString();
    }

    void setConfig(const QString& key, const QVariant& value)
    {
        exec(QStringLiteral("UPDATE OR INSERT INTO CONFIG (VNAME, VVALUE) VALUES (?, ?) MATCHING (VNAME)"),
             {key, value});
    }

    void addDownloaded(int labId, const QDate& day)
    {
        exec(QStringLiteral("INSERT INTO EXTERNAL_REPORT (LABID, GENERICCODE, DBATCH) VALUES (?, 'CBC', ?)"),
             {labId, QDateTime(day, QTime(12, 0))});
    }

    QList<int> storedLabIds()
    {
        QList<int> ids;
        for (const QVariantList& row : query(QStringLiteral("SELECT LABID FROM EXTERNAL_REPORT ORDER BY LABID")).rows)
            ids.append(row[0].toInt());
        return ids;
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_home;
    RecordedNotices m_notices;
    app::UserStore m_users{m_home.filePath(QStringLiteral("users.ini"))};
    bool m_started = false;
};

} // namespace

TEST_F(tdm_test, first_start_builds_everything_and_tells_once)
{
    QFile::remove(QDir(m_dir.path()).filePath(store::kDefaultDatabaseName));
    bool asked = false;
    auto first = start(app::AccountSetup{QStringLiteral("1001"), QStringLiteral("Demo Practice"), 30}, &asked);
    ASSERT_TRUE(m_started) << m_notices.notices.join('\n').toStdString();
    EXPECT_TRUE(asked);
    EXPECT_EQ(m_notices.timed, QStringList{QStringLiteral("TallyvaneWeb | Your App had been updated | 7")});
    EXPECT_TRUE(first->Account.isEmpty());  // the value read before the set-up
    EXPECT_EQ(first->GetConfig(QStringLiteral("USER.ACCOUNT")), QStringLiteral("1001"));
    EXPECT_EQ(first->GetConfig(QStringLiteral("DATA.FOLDER")), QStringLiteral("LAB1001"));
    EXPECT_EQ(first->GetConfig(QStringLiteral("DATA.ACTIVE")), QStringLiteral("30"));
    EXPECT_EQ(first->ReadUserEntry(QStringLiteral("DUNLOW")), QStringLiteral("DUNLOW"));
    first.reset();

    asked = false;
    auto second = start(std::nullopt, &asked);
    ASSERT_TRUE(m_started);
    EXPECT_FALSE(asked);
    EXPECT_EQ(m_notices.timed.size(), 1);
    EXPECT_EQ(second->Account, QStringLiteral("1001"));
    EXPECT_TRUE(m_notices.notices.isEmpty());
}

TEST_F(tdm_test, empty_config_unattended_keeps_defaults_and_clears_old_reports)
{
    addDownloaded(1, kToday.addDays(-1));
    addDownloaded(2, kToday);
    auto tdm = start();
    ASSERT_TRUE(m_started);
    for (const auto& [key, value] : {std::pair{"USER.ACCOUNT", "0000"}, std::pair{"DATA.FOLDER", "LAB0000"},
                                     std::pair{"USER.NAME", "NO-NAME"}, std::pair{"USER.ONHOLD", "F"},
                                     std::pair{"DATA.ACTIVE", "1"}})
        EXPECT_EQ(tdm->GetConfig(QString::fromLatin1(key)), QString::fromLatin1(value)) << key;
    tdm.reset();
    EXPECT_EQ(storedLabIds(), QList<int>{2});
}

TEST_F(tdm_test, account_0000_sets_up_again_at_every_start)
{
    setConfig(QStringLiteral("USER.ACCOUNT"), QStringLiteral("0000"));
    for (int i = 0; i < 2; ++i) {
        bool asked = false;
        start(std::nullopt, &asked);
        EXPECT_TRUE(asked) << "start " << i;
    }
}

TEST_F(tdm_test, retention_reads_data_active_or_thirty_days)
{
    struct Case {
        const char* active;
        QList<int> kept;  // reports 1..4 were downloaded 0, 1, 30 and 31 days ago
    };
    const Case cases[] = {{"1", {1, 2}}, {"abc", {1, 2, 3}}, {"", {1, 2, 3}}};
    setConfig(QStringLiteral("USER.ACCOUNT"), QStringLiteral("1001"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.active);
        exec(QStringLiteral("DELETE FROM EXTERNAL_REPORT"));
        setConfig(QStringLiteral("DATA.ACTIVE"), QString::fromLatin1(c.active));
        const int daysAgo[] = {0, 1, 30, 31};
        for (int i = 0; i < 4; ++i)
            addDownloaded(i + 1, kToday.addDays(-daysAgo[i]));
        start();
        ASSERT_TRUE(m_started);
        EXPECT_EQ(storedLabIds(), c.kept);
    }
}

TEST_F(tdm_test, offsets_export_path_and_null_values)
{
    struct Case {
        QVariant x, y;
        const char* xText;
        const char* yText;
    };
    const Case cases[] = {
        {QVariant(), QVariant(), "0/16", "0/16"},
        {QStringLiteral("2"), QStringLiteral("5"), "2/16", "-5/16"},
        {QStringLiteral("2"), QStringLiteral("abc"), "2/16", "0/16"},  // must not stop the start-up
    };
    setConfig(QStringLiteral("USER.ACCOUNT"), QStringLiteral("1001"));
    setConfig(QStringLiteral("EXPORT.PATH"), QStringLiteral("/exports/"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.yText);
        exec(QStringLiteral("DELETE FROM CONFIG WHERE VNAME STARTING WITH 'PRINT.'"));
        if (c.x.isValid())
            setConfig(QStringLiteral("PRINT.XOFFSET"), c.x);
        if (c.y.isValid())
            setConfig(QStringLiteral("PRINT.YOFFSET"), c.y);
        setConfig(QStringLiteral("MAIL.MESSAGES"), QVariant());
        auto tdm = start();
        ASSERT_TRUE(m_started);
        EXPECT_EQ(tdm->XOffsetText, QString::fromLatin1(c.xText));
        EXPECT_EQ(tdm->YOffsetText, QString::fromLatin1(c.yText));
        EXPECT_EQ(tdm->ExportPath, QStringLiteral("/exports/"));
        EXPECT_EQ(tdm->GetConfig(QStringLiteral("MAIL.MESSAGES")), QStringLiteral("NO-VALUE"));
    }
}

TEST_F(tdm_test, hooks_run_in_their_places)
{
    QStringList calls;
    Tdm tdm(m_dir.path(), m_notices, m_users);
    tdm.hooks.writeDefaultServerList = [&](Tdm& dm) {
        calls << QStringLiteral("servers open=%1").arg(dm.ibDB.isOpen());
    };
    tdm.hooks.loadExportProgram = [&](Tdm& dm) { calls << QStringLiteral("export open=%1").arg(dm.ibDB.isOpen()); };
    tdm.hooks.applyProxySettings = [&](Tdm& dm) {
        calls << QStringLiteral("proxy account=%1").arg(dm.Account.isEmpty() ? "unread" : "read");
    };
    ASSERT_TRUE(tdm.DataModuleCreate());
    EXPECT_EQ(calls, (QStringList{"servers open=0", "export open=0", "proxy account=unread"}));
}

TEST_F(tdm_test, unusable_store_stops_with_a_notice_and_loses_nothing)
{
    struct Case {
        const char* serverTxt;  // nullptr: damage WEBDAV.FDB instead
        const char* expected;
    };
    const Case cases[] = {
        {nullptr, "Restore it from a backup"},
        {"server=/no/such/folder/LAB.FDB\r\n", "server.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        m_notices.notices.clear();
        QTemporaryDir dir;
        const QByteArray junk(16384, '\x5a');
        QFile file(c.serverTxt ? dir.filePath(store::kServerFileName) : dir.filePath(store::kDefaultDatabaseName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.serverTxt ? QByteArray(c.serverTxt) : junk);
        file.close();
        Tdm tdm(dir.path(), m_notices, m_users);
        EXPECT_FALSE(tdm.DataModuleCreate());
        ASSERT_EQ(m_notices.notices.size(), 1);
        EXPECT_TRUE(m_notices.notices[0].startsWith(QLatin1String("The local database could not be opened")));
        EXPECT_TRUE(m_notices.notices[0].contains(QLatin1String(c.expected))) << m_notices.notices[0].toStdString();
        if (!c.serverTxt) {
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), junk);
        } else {
            EXPECT_FALSE(QFile::exists(dir.filePath(store::kDefaultDatabaseName)));
        }
    }
}

TEST(tdm_replace_text_test, ignores_case)
{
    EXPECT_EQ(Tdm::ReplaceText(QStringLiteral("SELECT * from external_report V WHERE V.X=1"),
                               QStringLiteral(" EXTERNAL_REPORT "), QStringLiteral(" EXTERNAL_REPORT_LC ")),
              QStringLiteral("SELECT * from EXTERNAL_REPORT_LC V WHERE V.X=1"));
    EXPECT_EQ(Tdm::ReplaceText(QStringLiteral("abc"), QString(), QStringLiteral("x")), QStringLiteral("abc"));
}
