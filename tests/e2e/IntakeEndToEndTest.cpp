// The whole intake path through the programs themselves: tallyvane-lab --demo on loopback with
// its clock fixed, and the tallyvane commands on fresh installations that trust its certificate.
// The tests run in order on one laboratory: later ones build on what earlier ones stored.
#include "support/EndToEndFixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSysInfo>

using namespace tv::e2e;

namespace {

// A day and an hour after the start: the demo's CBCD of 26000001 is released again by then.
const char* const kLaterNow = "2026-12-12T11:00:00";
const QString kService = QStringLiteral("Call PLOM customer service for details.");

class IntakeEndToEndTest : public EndToEndFixture {
protected:
    static QStringList userKeys(const QString& app)
    {
        return local("SELECT VNAME, VVALUE FROM CONFIG WHERE VNAME STARTING WITH 'USER.' ORDER BY 1", app);
    }
    static bool hasFile(const QString& app, const char* name) { return QFile::exists(QDir(app).filePath(name)); }
    /// Each file of the installation folder but the store, with a digest of its bytes.
    static QStringList folderFiles(const QString& app)
    {
        QStringList out;
        for (const QFileInfo& file : QDir(app).entryInfoList(QDir::Files, QDir::Name)) {
            QFile f(file.filePath());
            if (file.suffix() != "FDB" && f.open(QIODevice::ReadOnly))
                out << file.fileName() + ' ' + QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex();
        }
        return out;
    }
};

CommandEnvironment userNamed(const QString& name)
{
    return [name](QProcessEnvironment& env) {
        env.remove("USERNAME");
        env.insert("USER", name);
    };
}

} // namespace

TEST_F(IntakeEndToEndTest, AFirstStartSyncsDownloadsListsAndAsks)
{
    const CommandRun sync = run(s_app, {"sync"}, kLabNow, userNamed("office.admin"));
    ASSERT_EQ(sync.status, 0) << sync.out.toStdString() << sync.err.toStdString();
    EXPECT_TRUE(sync.out.contains("account 1001: ")) << sync.out.toStdString();
    EXPECT_FALSE(local("SELECT VVALUE FROM CONFIG WHERE VNAME='USER.LABNAME'").value(0).isEmpty());
    EXPECT_TRUE(QFile::exists(QDir(s_app).filePath("EXPORT.INI")));
    EXPECT_EQ(local("SELECT COUNT(*) FROM CONFIG WHERE VNAME='SYSTEM.PAGE' AND VARINI IS NOT NULL"),
              QStringList{"1"});

    const CommandRun first = tallyvane({"download", "--since-last"});
    ASSERT_EQ(first.status, 0) << first.out.toStdString() << first.err.toStdString();
    EXPECT_TRUE(first.out.contains("26000001")) << first.out.toStdString();
    EXPECT_EQ(local("SELECT COUNT(DISTINCT DBATCH) FROM EXTERNAL_REPORT"), QStringList{"1"});
    EXPECT_EQ(local("SELECT COUNT(*) FROM EXTERNAL_REPORT_LC WHERE LABID=26000003 AND HL7 IS NOT NULL"),
              QStringList{"1"});
    EXPECT_EQ(local("SELECT COUNT(*) FROM EXTERNAL_REPORT WHERE LABID IN (26000004, 26000005)"), QStringList{"0"});
    const QStringList before = local("SELECT LABID, GENERICCODE, PROCESS, DBATCH FROM EXTERNAL_REPORT ORDER BY 1, 2");

    const CommandRun second = tallyvane({"download"});
    ASSERT_EQ(second.status, 0) << second.err.toStdString();
    EXPECT_EQ(local("SELECT LABID, GENERICCODE, PROCESS, DBATCH FROM EXTERNAL_REPORT ORDER BY 1, 2"), before);

    const CommandRun list = tallyvane({"list", "--labid", "26000002"});
    EXPECT_EQ(list.status, 0);
    EXPECT_TRUE(list.out.contains("O'NEIL, JOHN")) << list.out.toStdString();
    const CommandRun refused = tallyvane({"list", "--labid", "26000002 OR 1=1"});
    EXPECT_EQ(refused.status, 1);
    const CommandRun byName = tallyvane({"list", "--name", "RIVERA LOPEZ"});
    EXPECT_TRUE(byName.out.contains("26000001")) << byName.out.toStdString();
    const CommandRun reference = tallyvane({"list", "--reference"});
    EXPECT_TRUE(reference.out.contains("26000003")) << reference.out.toStdString();

    const CommandRun refresh = tallyvane({"refresh", "26000002", "LIPID"});
    EXPECT_EQ(refresh.status, 0) << refresh.err.toStdString();
    EXPECT_TRUE(refresh.out.contains("unchanged")) << refresh.out.toStdString();

    const CommandRun status = tallyvane({"status", "--labid", "26000004"});
    EXPECT_EQ(status.status, 0) << status.err.toStdString();
    EXPECT_TRUE(status.out.contains("Waiting")) << status.out.toStdString();
    const CommandRun processed = tallyvane({"status", "--labid", "26000005"});
    EXPECT_TRUE(processed.out.contains("Processed")) << processed.out.toStdString();
    const CommandRun refusedStatus = tallyvane({"status", "--name", "", "RIVERA", "ANA"});
    EXPECT_TRUE(refusedStatus.out.contains("LASTNAME missing")) << refusedStatus.out.toStdString();
}

TEST_F(IntakeEndToEndTest, MessagesArriveOnceAndCopiesAreAddedAsOneBatch)
{
    const CommandRun mail = tallyvane({"messages"});
    ASSERT_EQ(mail.status, 0) << mail.out.toStdString() << mail.err.toStdString();
    const CommandRun again = tallyvane({"messages"});
    EXPECT_TRUE(again.out.contains("new messages: 0")) << again.out.toStdString();
    EXPECT_EQ(local("SELECT COUNT(*) - COUNT(DISTINCT IDX) FROM MESSAGES"), QStringList{"0"});

    const CommandRun send = tallyvane({"messages", "--send", "Front desk", "Dr's results", "line one\nline two"});
    EXPECT_EQ(send.status, 0) << send.err.toStdString();

    // Reports of a working day beyond the since-last reach (7 days) come only as copies.
    const CommandRun copies = tallyvane({"copies", "add", "--date", "2026-11-30"}, "2026-12-11T10:05:00");
    ASSERT_EQ(copies.status, 0) << copies.out.toStdString() << copies.err.toStdString();
    EXPECT_TRUE(copies.out.contains("added as one batch")) << copies.out.toStdString();
    const int added = local("SELECT COUNT(*) FROM EXTERNAL_REPORT WHERE DBATCH='12/11/2026 10:05:00'").value(0).toInt();
    EXPECT_GT(added, 0);
    EXPECT_EQ(local("SELECT COUNT(*) FROM EXTERNAL_REPORT WHERE WDATE='11/30/2026'").value(0).toInt(), added);

    // A copy of a report already stored keeps it in its own batch.
    const CommandRun stored = tallyvane({"copies", "add", "--labid", "26000002"}, "2026-12-11T10:06:00");
    EXPECT_EQ(stored.status, 0) << stored.err.toStdString();
    EXPECT_EQ(local("SELECT COUNT(*) FROM EXTERNAL_REPORT WHERE LABID=26000002"), QStringList{"1"});
}

TEST_F(IntakeEndToEndTest, AnAccountOnHoldIsToldAndGoesOn)
{
    const QString app = makeInstallation("harbor", 1002);
    const CommandRun sync = run(app, {"sync"}, kLabNow, userNamed(" \tfront.desk \r"));
    ASSERT_EQ(sync.status, 0) << sync.out.toStdString() << sync.err.toStdString();
    EXPECT_TRUE(sync.out.contains("notice: User account on HOLD - " + kService)) << sync.out.toStdString();
    EXPECT_FALSE(sync.out.contains("Account disabled"));
    EXPECT_TRUE(userKeys(app).contains("USER.WEBDATAENTRY|Y")) << userKeys(app).join(", ").toStdString();

    const CommandRun download = run(app, {"download", "--since-last"});
    EXPECT_EQ(download.status, 0) << download.err.toStdString();
    EXPECT_GT(local("SELECT COUNT(*) FROM EXTERNAL_REPORT", app).value(0).toInt(), 0);
    EXPECT_EQ(local("SELECT COUNT(*) FROM EXTERNAL_REPORT WHERE ACCOUNT <> 1002", app), QStringList{"0"});
}

TEST_F(IntakeEndToEndTest, ADisabledAccountIsToldAndTheCheckEnds)
{
    const QString app = makeInstallation("westside", 1003);
    // Without USER or USERNAME the connection log still names the system's user.
    const CommandRun sync = run(app, {"sync"}, kLabNow, [](QProcessEnvironment& env) {
        env.remove("USER");
        env.remove("USERNAME");
    });
    EXPECT_EQ(sync.status, 3) << sync.out.toStdString() << sync.err.toStdString();
    EXPECT_TRUE(sync.out.contains("notice: Account disabled - " + kService)) << sync.out.toStdString();
    EXPECT_FALSE(sync.out.contains("User account on HOLD"));
    EXPECT_EQ(sync.err.trimmed(), "tallyvane sync: the account is disabled");
    // The account's data arrived all the same (the next start checks again).
    EXPECT_TRUE(userKeys(app).contains("USER.WEBDATAENTRY|N"));
    EXPECT_TRUE(hasFile(app, "EXPORT.INI"));
}

TEST_F(IntakeEndToEndTest, AnAccountTheLaboratoryDoesNotKnowGetsNoKeysNorFilesButTheRestRuns)
{
    const QString app = makeInstallation("unknown", 4040);
    const QStringList keys = userKeys(app);
    const QStringList files = folderFiles(app);
    const CommandRun sync = run(app, {"sync"}, kLabNow, userNamed("nobody.known"));
    EXPECT_EQ(sync.status, 0) << sync.out.toStdString() << sync.err.toStdString();
    EXPECT_FALSE(sync.out.contains("notice:")) << sync.out.toStdString();
    EXPECT_EQ(userKeys(app), keys);
    EXPECT_EQ(folderFiles(app), files);
    EXPECT_EQ(local("SELECT VVALUE FROM CONFIG WHERE VNAME='PROGRAM.WR'", app), QStringList{"10.0"});
    EXPECT_EQ(local("SELECT COUNT(*) FROM CONFIG WHERE VNAME='SYSTEM.PAGE' AND VARINI IS NOT NULL", app),
              QStringList{"1"});

    const CommandRun download = run(app, {"download", "--since-last"});
    EXPECT_EQ(download.status, 0) << download.err.toStdString();
    EXPECT_TRUE(download.out.contains("notice: No Results Available - Search Date :Fri, December/11/2026"))
        << download.out.toStdString();
    EXPECT_TRUE(download.out.contains("notice: No Reference Lab Results available")) << download.out.toStdString();
    EXPECT_EQ(local("SELECT COUNT(*) FROM EXTERNAL_REPORT", app), QStringList{"0"});
}

TEST_F(IntakeEndToEndTest, TheLaboratoryHoldsEachStartsConnectionLogAndTheReportedVersion)
{
    stopLab();
    QProcess id;
    id.start("id", {"-un"});
    ASSERT_TRUE(id.waitForFinished(10000));
    const QString systemUser = QString::fromLocal8Bit(id.readAllStandardOutput()).trimmed();
    const QString computer = "Brenix|" + QSysInfo::machineHostName() + "|10";
    EXPECT_EQ(labRows("SELECT ACCOUNT, CON_TIME, COMPUTER, WUSER FROM CLIENT_CONN ORDER BY ACCOUNT"),
              (QStringList{"1001|2026-12-11 10:00:00|" + computer + "|office.admin",
                           "1002|2026-12-11 10:00:00|" + computer + "|front.desk",
                           "1003|2026-12-11 10:00:00|" + computer + "|" + systemUser,
                           "4040|2026-12-11 10:00:00|" + computer + "|nobody.known"}));
    EXPECT_EQ(labRows("SELECT ACCOUNT, VER_WR FROM LABACCOUNTS ORDER BY ACCOUNT"),
              (QStringList{"1001|10.0", "1002|10.0", "1003|10.0"}));
}

TEST_F(IntakeEndToEndTest, ALaterClockBringsAReReleasedReportBackUnprintedAndKeepsTheOthersPrinted)
{
    stopLab();
    startLab(kLaterNow);
    pointAtLab(s_app);
    localExecute("UPDATE EXTERNAL_REPORT SET PRINTED = '2026-12-11 10:30:00'");
    const QString state = "SELECT LABID, GENERICCODE, PROCESS, PRINTED, DSTATUS FROM EXTERNAL_REPORT ORDER BY 1, 2";
    const QStringList before = local(state);
    ASSERT_TRUE(before.contains(QRegularExpression("^26000001\\|CBCD\\|2026-12-10 .*\\|2026-12-11 10:30:00\\|D$")))
        << before.join("\n").toStdString();

    const CommandRun download = tallyvane({"download", "--since-last"}, kLaterNow);
    ASSERT_EQ(download.status, 0) << download.out.toStdString() << download.err.toStdString();
    EXPECT_TRUE(download.out.contains("26000001")) << download.out.toStdString();
    const QStringList after = local(state);
    EXPECT_TRUE(after.contains("26000001|CBCD|2026-12-12 10:00:00|<null>|U")) << after.join("\n").toStdString();
    // A report released again is unprinted; every other one keeps its printed time and status.
    QHash<QString, QString> byReport;
    for (const QString& row : after)
        byReport.insert(row.section('|', 0, 1), row);
    int again = 0;
    for (const QString& row : before) {
        const QString now = byReport.value(row.section('|', 0, 1));
        if (now.section('|', 2, 2) == row.section('|', 2, 2)) {
            EXPECT_EQ(now, row);
        } else {
            EXPECT_TRUE(now.endsWith("|<null>|U")) << now.toStdString();
            ++again;
        }
    }
    EXPECT_GT(before.size() - again, before.size() / 2);
}

TEST_F(IntakeEndToEndTest, StatAndDailyDownloadsFetchTheReleasesOfTheirWindows)
{
    // The since-last downloads before stored every release of the last days, and the laboratory
    // stands at the later clock: each window's answer must be exactly the stored reports released
    // within it.
    const struct {
        QStringList args;
        const char* sqlWindow;
        const char* localWindow;
    } windows[] = {
        {{"--stat"}, "'12/12/2026 05:30' AND '12/12/2026 11:15:00'", "'2026-12-12 05:30' AND '2026-12-12 11:15'"},
        {{"--day", "2026-12-11"},
         "'12/10/2026 05:30' AND '12/11/2026 05:30'",
         "'2026-12-10 05:30' AND '2026-12-11 05:30'"},
    };
    for (const auto& w : windows) {
        SCOPED_TRACE(w.args.join(' ').toStdString());
        const CommandRun download = tallyvane(QStringList{"download"} + w.args, kLaterNow);
        EXPECT_EQ(download.status, 0) << download.out.toStdString() << download.err.toStdString();
        const int answered = labAnswerRows(QStringLiteral("SELECT * FROM V_EXTERNAL_REPORT_V2 R WHERE (R.PROCESS "
                                                          "BETWEEN %1) AND (R.ACCOUNT=1001)")
                                               .arg(QLatin1String(w.sqlWindow)));
        EXPECT_GT(answered, 0);
        EXPECT_TRUE(download.out.contains(QStringLiteral("results: %1 stored of %1 received").arg(answered)))
            << download.out.toStdString();
        EXPECT_EQ(local(QStringLiteral("SELECT COUNT(*) FROM EXTERNAL_REPORT WHERE PROCESS BETWEEN %1")
                            .arg(QLatin1String(w.localWindow))),
                  QStringList{QString::number(answered)});
    }
}
