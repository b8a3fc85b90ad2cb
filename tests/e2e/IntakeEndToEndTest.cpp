// The whole intake path through the programs themselves: tallyvane-lab --demo on loopback with
// its clock fixed, and the tallyvane commands on a fresh installation that trusts its certificate.
#include "store/Connection.h"
#include "store/LocalDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char* const kLabNow = "2026-12-11T10:00:00";

struct CommandRun {
    int status = -1;
    QString out;
    QString err;
};

class IntakeEndToEndTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "e2e";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
        s_dir = new QTemporaryDir;
        startLab(kLabNow);
        s_app = s_dir->filePath("office");
        const CommandRun init = tallyvane({"init", "--account", "1001", "--customer", "Demo Family Practice", "--days", "30"});
        ASSERT_EQ(init.status, 0) << init.err.toStdString() << init.out.toStdString();
        QFile list(QDir(s_app).filePath("SERVERS_DNS_EMP.INI"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write(("[INIT]\r\nMaxAddr=1\r\n[1]\r\nMAIN=" + s_root + "\r\nWEB.SERVICE=/orvalis/qtx80z.dll\r\n").toUtf8());
        list.close();
        QFile::remove(QDir(s_app).filePath("lab-ca.pem"));
        ASSERT_TRUE(QFile::copy(s_dir->filePath("lab/lab-cert.pem"), QDir(s_app).filePath("lab-ca.pem")));
    }

    static void TearDownTestSuite()
    {
        stopLab();
        delete s_dir;
    }

    static void startLab(const char* now)
    {
        s_lab = new QProcess;
        s_lab->setProgram(QStringLiteral(TV_LAB_BINARY));
        s_lab->setArguments({"--port", "0", "--data", s_dir->filePath("lab"), "--demo", "--demo-reports", "200",
                             "--now", QLatin1String(now)});
        s_lab->setStandardErrorFile(s_dir->filePath("lab.log"), QIODevice::Append);
        s_lab->start();
        QByteArray out;
        while (s_lab->waitForStarted(10000) && !out.contains('\n') && s_lab->waitForReadyRead(120000))
            out += s_lab->readLine();
        s_root = out.startsWith("listening on https://127.0.0.1:") ? QString::fromLatin1(out.trimmed().mid(13)) : "";
        ASSERT_FALSE(s_root.isEmpty()) << "tallyvane-lab did not start: " << out.toStdString();
    }

    static void stopLab()
    {
        if (!s_lab)
            return;
        s_lab->terminate();
        if (!s_lab->waitForFinished(10000))
            s_lab->kill();
        delete s_lab;
        s_lab = nullptr;
    }

    static CommandRun tallyvane(const QStringList& args, const char* now = kLabNow)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TALLYVANE_NOW", QLatin1String(now));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TV_CLIENT_BINARY), QStringList{"--app-folder", s_app} + args);
        p.waitForFinished(300000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    /// Rows of a statement on the installation's store, each as its values joined by "|".
    static QStringList local(const QString& sql)
    {
        tv::store::Connection db;
        EXPECT_TRUE(tv::store::openDatabase(db, s_app).ok);
        const tv::store::QueryResult result = db.select(sql);
        EXPECT_TRUE(result.ok) << result.message.toStdString();
        QStringList out;
        for (const QVariantList& row : result.rows.rows) {
            QStringList cells;
            for (const QVariant& v : row)
                cells << (v.isNull() ? QStringLiteral("<null>") : v.toString());
            out << cells.join('|');
        }
        return out;
    }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline QProcess* s_lab = nullptr;
    static inline QString s_root;
    static inline QString s_app;
};

} // namespace

TEST_F(IntakeEndToEndTest, AFirstStartSyncsDownloadsListsAndAsks)
{
    const CommandRun sync = tallyvane({"sync"});
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
