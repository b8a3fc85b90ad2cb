#include "store/LocalDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace tv::store;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(local_database_test, server_txt_names_the_store)
{
    struct Case {
        const char* content;  // nullptr: no server.txt
        const char* expected; // nullptr: WEBDAV.FDB in the folder
    };
    const Case cases[] = {
        {nullptr, nullptr},
        {"", nullptr},
        {"other=x\r\n", nullptr},
        {"server=\r\n", nullptr},
        {"SERVER=/data/lab.fdb\r\n", "/data/lab.fdb"},
        {"# shared store\nServer=db1:/srv/tv/WEBDAV.FDB", "db1:/srv/tv/WEBDAV.FDB"},
        {"server=a=b \n", "a=b "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content ? c.content : "(no file)");
        QTemporaryDir dir;
        if (c.content)
            writeFile(dir.filePath(kServerFileName), c.content);
        const QString expected = c.expected ? QString::fromUtf8(c.expected) : dir.filePath(kDefaultDatabaseName);
        EXPECT_EQ(databaseLocation(dir.path()), expected);
    }
}

TEST(local_database_test, tells_server_locations_from_paths)
{
    EXPECT_TRUE(isServerLocation(QStringLiteral("db1:/srv/tv/WEBDAV.FDB")));
    EXPECT_TRUE(isServerLocation(QStringLiteral("db1/3051:C:\\tv\\WEBDAV.FDB")));
    EXPECT_FALSE(isServerLocation(QStringLiteral("/srv/tv/WEB:DAV.FDB")));
    EXPECT_FALSE(isServerLocation(QStringLiteral("C:\\tv\\WEBDAV.FDB")));
    EXPECT_FALSE(isServerLocation(QStringLiteral("WEBDAV.FDB")));
}

TEST(local_database_test, new_installation_gets_the_full_schema_once)
{
    QTemporaryDir dir;
    Connection db;
    const OpenOutcome first = openDatabase(db, dir.path());
    ASSERT_TRUE(first.ok) << first.message.toStdString();
    EXPECT_TRUE(first.created);
    const QueryResult objects = db.select(QStringLiteral(
        "SELECT COUNT(*) FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME IN ('ADD_CONFIG', 'ADD_PATIENT', "
        "'ADD_REPORT', 'SET_PRINTED', 'GET_TODAY_BATCHS', 'ADD_MESS', 'DEL_OLD')"));
    ASSERT_TRUE(objects.ok);
    EXPECT_EQ(objects.rows.rows[0][0].toInt(), 7);
    const OpenOutcome second = openDatabase(db, dir.path());
    ASSERT_TRUE(second.ok);
    EXPECT_FALSE(second.created);
}

TEST(local_database_test, a_named_missing_file_is_not_created)
{
    QTemporaryDir dir;
    const QString named = dir.filePath(QStringLiteral("elsewhere/LAB.FDB"));
    writeFile(dir.filePath(kServerFileName), "server=" + named.toUtf8() + "\r\n");
    Connection db;
    const OpenOutcome outcome = openDatabase(db, dir.path());
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failure, StoreFailure::Missing);
    EXPECT_FALSE(QFile::exists(named));
    EXPECT_FALSE(QFile::exists(dir.filePath(kDefaultDatabaseName)));
}

TEST(local_database_test, a_damaged_file_is_reported_and_kept)
{
    QTemporaryDir dir;
    const QByteArray junk(20000, 'x');
    writeFile(dir.filePath(kDefaultDatabaseName), junk);
    Connection db;
    const OpenOutcome outcome = openDatabase(db, dir.path());
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failure, StoreFailure::Damaged) << outcome.message.toStdString();
    QFile file(dir.filePath(kDefaultDatabaseName));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), junk);
}

TEST(local_database_test, a_read_only_folder_is_reported)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    Connection db;
    const OpenOutcome outcome = openDatabase(db, dir.path());
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failure, StoreFailure::NoAccess) << outcome.message.toStdString();
}

TEST(local_database_test, a_read_only_store_file_is_reported)
{
    QTemporaryDir dir;
    Connection db;
    ASSERT_TRUE(openDatabase(db, dir.path()).ok);
    db.close();
    const QString file = dir.filePath(kDefaultDatabaseName);
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner));
    const OpenOutcome outcome = openDatabase(db, dir.path());
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failure, StoreFailure::NoAccess) << outcome.message.toStdString();
}
