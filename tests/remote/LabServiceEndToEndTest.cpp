// The client against our own laboratory service, started on a free loopback port: what one side
// writes the other reads back exactly, through the real HTTPS, authentication and codecs.
#include "support/RemoteFixture.h"

#include <QProcess>

using namespace tv::remote;
using namespace tv::remote::test;

/// One service for the whole suite: starting it creates its database, the slow part.
class LabServiceEndToEndTest : public RemoteFixture {
protected:
    static void SetUpTestSuite()
    {
        RemoteFixture::SetUpTestSuite();
        s_labDir = new QTemporaryDir;
        s_lab = new QProcess;
        s_lab->setProgram(QStringLiteral(TV_LAB_BINARY));
        s_lab->setArguments({"--port", "0", "--data", s_labDir->filePath("lab")});
        s_lab->setStandardErrorFile(s_labDir->filePath("requests.log"));
        s_lab->start();
        QByteArray out;
        while (s_lab->waitForStarted(10000) && !out.contains('\n') && s_lab->waitForReadyRead(60000))
            out += s_lab->readLine();
        if (out.startsWith("listening on https://127.0.0.1:"))
            s_root = QString::fromLatin1(out.trimmed().mid(13));
    }

    static void TearDownTestSuite()
    {
        s_lab->terminate();
        if (!s_lab->waitForFinished(10000))
            s_lab->kill();
        delete s_lab;
        delete s_labDir;
    }

    void SetUp() override
    {
        ASSERT_FALSE(s_root.isEmpty()) << "tallyvane-lab did not start";
        writeList({"[INIT]", "MaxAddr=1", "[1]", "MAIN=" + s_root, "WEB.SERVICE=/orvalis/qtx80z.dll"});
    }

    RemoteClient& labClient(const QString& password = QStringLiteral("portal!quinceleaf361"))
    {
        return client([&](RemoteConfig& config) {
            config.http.caFile = s_labDir->filePath("lab/lab-cert.pem");
            config.http.password = password;
        });
    }

    static inline QTemporaryDir* s_labDir = nullptr;
    static inline QProcess* s_lab = nullptr;
    static inline QString s_root;
};

TEST_F(LabServiceEndToEndTest, ScriptWrittenTextComesBackExactly)
{
    RemoteClient& c = labClient();
    const QString select = "SELECT IDX, ACCOUNT, TITLE, MESS FROM CUSTOMER_MESSAGE where ACCOUNT=4242";
    c.remoteQuery(select, true);
    ASSERT_TRUE(c.gotData());
    EXPECT_EQ(c.vt().rows.size(), 0); // no rows, but the columns
    EXPECT_EQ(c.vt().fieldIndex("MESS"), 3);
    EXPECT_EQ(c.lastServer(), s_root + "/orvalis/qtx80z.dll");

    const QString text = QString::fromUtf8("it's 100% <ok> & \"fine\" = +é€ #{}|\\^~[]?!/:$*\r\nline two\ttab");
    QString quoted = text;
    quoted.replace("'", "''");
    c.remoteScript("INSERT INTO CUSTOMER_MESSAGE (ACCOUNT, WDATE, FROM_USER, TITLE, MESS, MTYPE) VALUES "
                   "(4242, '12/01/2026 10:11:12', 'front desk', 'Special characters', '" + quoted + "', 'MSG');",
                   true);
    ASSERT_TRUE(c.gotData());
    c.remoteQuery(select, false);
    ASSERT_TRUE(c.gotData());
    ASSERT_EQ(c.vt().rows.size(), 1);
    EXPECT_EQ(c.vt().value(0, "MESS").toString(), text);
    EXPECT_EQ(c.vt().value(0, "ACCOUNT").toInt(), 4242);
    EXPECT_GT(c.vt().value(0, "IDX").toInt(), 0);
    EXPECT_TRUE(m_notices.isEmpty());
}

TEST_F(LabServiceEndToEndTest, RefusedStatementsAndCredentialsFail)
{
    RemoteClient& c = labClient();
    c.remoteScript("DELETE FROM CUSTOMER_MESSAGE", true);
    EXPECT_FALSE(c.gotData());
    EXPECT_EQ(m_notices, (QList<QPair<QString, QString>>{{"Connection Fail", "Try later"}}));

    m_notices.clear();
    RemoteClient& wrong = labClient("not the password");
    wrong.remoteQuery("SELECT ACCOUNT FROM LABACCOUNTS", true);
    EXPECT_FALSE(wrong.gotData());
    EXPECT_EQ(m_notices.value(0).first, "Check your Internet conecction");
}
