#include "support/EndToEndFixture.h"

#include "../../store/StoreFixture.h"

#include "store/LocalDatabase.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

namespace tv::e2e {

void EndToEndFixture::SetUpTestSuite()
{
    static int argc = 1;
    static char name[] = "e2e";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
    s_dir = new QTemporaryDir;
    startLab(kLabNow);
    s_app = makeInstallation("office", 1001);
}

void EndToEndFixture::TearDownTestSuite()
{
    stopLab();
    delete s_dir;
    s_dir = nullptr;
}

void EndToEndFixture::startLab(const char* now)
{
    s_lab = new QProcess;
    s_lab->setProgram(QStringLiteral(TV_LAB_BINARY));
    s_lab->setArguments({"--port", "0", "--data", s_dir->filePath("lab"), "--demo", "--demo-reports", "200", "--now",
                         QLatin1String(now)});
    s_lab->setStandardErrorFile(s_dir->filePath("lab.log"), QIODevice::Append);
    s_lab->start();
    QByteArray out;
    while (s_lab->waitForStarted(10000) && !out.contains('\n') && s_lab->waitForReadyRead(120000))
        out += s_lab->readLine();
    s_root = out.startsWith("listening on https://127.0.0.1:") ? QString::fromLatin1(out.trimmed().mid(13)) : "";
    ASSERT_FALSE(s_root.isEmpty()) << "tallyvane-lab did not start: " << out.toStdString();
}

void EndToEndFixture::stopLab()
{
    if (!s_lab)
        return;
    s_lab->terminate();
    if (!s_lab->waitForFinished(10000))
        s_lab->kill();
    delete s_lab;
    s_lab = nullptr;
}

QString EndToEndFixture::makeInstallation(const QString& name, int account)
{
    const QString app = s_dir->filePath(name);
    const CommandRun init = run(app, {"init", "--account", QString::number(account), "--customer", "Demo " + name,
                                      "--days", "30"});
    EXPECT_EQ(init.status, 0) << init.err.toStdString() << init.out.toStdString();
    pointAtLab(app);
    const QString trusted = QDir(app).filePath("lab-ca.pem");
    QFile::remove(trusted);
    EXPECT_TRUE(QFile::copy(s_dir->filePath("lab/lab-cert.pem"), trusted));
    return app;
}

void EndToEndFixture::pointAtLab(const QString& app)
{
    QFile list(QDir(app).filePath("SERVERS_DNS_EMP.INI"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(("[INIT]\r\nMaxAddr=1\r\n[1]\r\nMAIN=" + s_root + "\r\nWEB.SERVICE=/orvalis/qtx80z.dll\r\n").toUtf8());
}

CommandRun EndToEndFixture::run(const QString& app, const QStringList& args, const char* now,
                                const CommandEnvironment& adjust)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TALLYVANE_NOW", QLatin1String(now));
    if (adjust)
        adjust(env);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TV_CLIENT_BINARY), QStringList{"--app-folder", app} + args);
    p.waitForFinished(300000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QStringList EndToEndFixture::rowsOf(store::Connection& db, const QString& sql)
{
    return store::testing::rowTexts(db, sql);
}

QStringList EndToEndFixture::local(const QString& sql, const QString& app)
{
    store::Connection db;
    EXPECT_TRUE(store::openDatabase(db, app).ok);
    return rowsOf(db, sql);
}

void EndToEndFixture::localExecute(const QString& sql, const QString& app)
{
    store::Connection db;
    ASSERT_TRUE(store::openDatabase(db, app).ok);
    const store::StoreResult done = db.execute(sql);
    ASSERT_TRUE(done.ok) << done.message.toStdString();
}

QStringList EndToEndFixture::labRows(const QString& sql)
{
    EXPECT_EQ(s_lab, nullptr) << "the laboratory still has its database open";
    store::Connection db;
    const store::StoreResult opened = db.open(s_dir->filePath("lab/LAB.FDB"));
    EXPECT_TRUE(opened.ok) << opened.message.toStdString();
    return rowsOf(db, sql);
}

int EndToEndFixture::labAnswerRows(const QString& sql)
{
    // The laboratory logs a request just after answering it.
    const QRegularExpression line(" rows=(\\d+) " + QRegularExpression::escape(sql) + "$",
                                  QRegularExpression::MultilineOption);
    for (QDeadlineTimer deadline(5000); !deadline.hasExpired(); QThread::msleep(20)) {
        QFile log(s_dir->filePath("lab.log"));
        const QRegularExpressionMatch match =
            line.match(log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString());
        if (match.hasMatch())
            return match.captured(1).toInt();
    }
    return -1;
}

} // namespace tv::e2e
