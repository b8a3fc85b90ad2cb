// Runs the tallyvane program itself, as scripts outside the project do.
#include "TallyvaneProcess.h"
#include "store/Connection.h"
#include "store/LocalDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tv;

namespace {

using tv::cli::testing::Outcome;

class tallyvane_command_test : public ::testing::Test {
protected:
    Outcome run(const QStringList& args) { return tv::cli::testing::runTallyvane(args, m_home.path()); }

    Outcome inFolder(QStringList args)
    {
        args.prepend(m_dir.path());
        args.prepend(QStringLiteral("--app-folder"));
        return run(args);
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_home;
};

} // namespace

TEST_F(tallyvane_command_test, init_then_config)
{
    const Outcome first = inFolder({"init", "--account", "1001", "--customer", "Demo Family Practice", "--days", "30"});
    ASSERT_EQ(first.status, 0) << first.out.toStdString() << first.err.toStdString();
    EXPECT_TRUE(first.out.contains(QLatin1String("database: created"))) << first.out.toStdString();
    EXPECT_TRUE(first.out.contains(QLatin1String("notice: TallyvaneWeb - Your App had been updated\n")));
    EXPECT_TRUE(
        first.out.contains(QLatin1String("account set up: 1001 \"Demo Family Practice\", reports kept 30 days")));
    EXPECT_TRUE(first.out.contains(QLatin1String("export program: done")));
    EXPECT_TRUE(QFile(QDir(m_dir.path()).filePath("EXPORT.DAT")).size() > 1000); // the built-in program, saved

    const Outcome second = inFolder({"init"});
    ASSERT_EQ(second.status, 0) << second.err.toStdString();
    EXPECT_FALSE(second.out.contains(QLatin1String("notice:"))) << second.out.toStdString();
    EXPECT_TRUE(second.out.contains(QLatin1String("schema: up to date")));
    EXPECT_TRUE(second.out.contains(QLatin1String("account: 1001")));

    EXPECT_EQ(inFolder({"config", "get", "USER.NAME"}).out, QStringLiteral("Demo Family Practice\n"));
    ASSERT_EQ(inFolder({"config", "set", "HELP.URL", " ", "Topics|https://help.example"}).status, 0);
    EXPECT_EQ(inFolder({"config", "get", "HELP.URL"}).out, QStringLiteral("Topics|https://help.example\n"));
    ASSERT_EQ(inFolder({"config", "set", "O'NEIL.KEY", "Ñandú"}).status, 0);
    EXPECT_EQ(inFolder({"config", "get", "O'NEIL.KEY"}).out, QStringLiteral("Ñandú\n"));
    EXPECT_EQ(inFolder({"config", "get", "NOT.THERE"}).out, QStringLiteral("\n"));
}

TEST_F(tallyvane_command_test, wrong_use_and_missing_installation)
{
    struct Case {
        QStringList args;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {{}, 2, "usage: tallyvane"},
        {{"bogus"}, 2, "unknown command"},
        {{"init", "--account", "abc", "--customer", "X", "--days", "3"}, 2, "--account must be"},
        {{"init", "--account", "12", "--customer", "X"}, 2, "--days must be"},
        {{"init", "--color", "red"}, 2, "unknown option"},
        {{"config", "get"}, 2, "config get KEY"},
        {{"config", "get", "USER.ACCOUNT"}, 1, "run init first"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Outcome result = c.args.isEmpty() ? run({}) : inFolder(c.args);
        EXPECT_EQ(result.status, c.status);
        EXPECT_TRUE(result.err.contains(QLatin1String(c.says))) << result.err.toStdString();
        EXPECT_FALSE(QFile::exists(QDir(m_dir.path()).filePath(store::kDefaultDatabaseName)));
    }
}

// The embedded engine lets one program at a time open a store file.
TEST_F(tallyvane_command_test, store_in_use_is_said_plainly)
{
    ASSERT_EQ(inFolder({"init"}).status, 0);
    store::Connection holder;
    ASSERT_TRUE(holder.open(QDir(m_dir.path()).filePath(store::kDefaultDatabaseName)).ok);

    const Outcome config = inFolder({"config", "get", "USER.ACCOUNT"});
    EXPECT_EQ(config.status, 1);
    EXPECT_TRUE(config.err.contains(QLatin1String("The local store is in use"))) << config.err.toStdString();
    EXPECT_EQ(config.err.count(QLatin1Char('\n')), 1);

    const Outcome init = inFolder({"init"});
    EXPECT_EQ(init.status, 1);
    EXPECT_TRUE(init.out.contains(QLatin1String("notice: The local store is in use - "))) << init.out.toStdString();
    EXPECT_TRUE(init.err.contains(QLatin1String("start-up stopped: The local store is in use")));
}
