// A fresh, up-to-date store in a temporary folder. Building one costs seconds (every DDL
// statement commits to disk), so one is built per test program and each test gets a copy.
#pragma once

#include "store/Connection.h"
#include "store/LocalDatabase.h"
#include "store/SchemaUpdater.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tv::store::testing {

/// Path of a store made by openDatabase and both update steps, built on first use.
inline QString templateStore()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        Connection db;
        const OpenOutcome opened = openDatabase(db, dir.path());
        db.close();
        SchemaUpdater updater(opened.location);
        if (!opened.ok || !updater.runUpdateStep(1).ok || !updater.runUpdateStep(2).ok)
            return QString();
        return opened.location;
    }();
    return path;
}

/// The rows of `sql` as "a|b|c" lines: "<null>" for nulls, moments to the second.
inline QStringList rowTexts(Connection& db, const QString& sql)
{
    const QueryResult result = db.select(sql);
    EXPECT_TRUE(result.ok) << result.message.toStdString() << "\n" << sql.toStdString();
    QStringList out;
    for (const QVariantList& row : result.rows.rows) {
        QStringList cells;
        for (const QVariant& v : row)
            cells << (v.isNull()                              ? QStringLiteral("<null>")
                      : v.typeId() == QMetaType::QDateTime ? v.toDateTime().toString("yyyy-MM-dd HH:mm:ss")
                                                             : v.toString());
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

/// Puts a copy of the template store into `folder` as its WEBDAV.FDB.
inline bool copyTemplateStore(const QString& folder)
{
    const QString source = templateStore();
    const QString target = QDir(folder).filePath(kDefaultDatabaseName);
    return !source.isEmpty() && QFile::copy(source, target) &&
           QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(copyTemplateStore(m_dir.path()));
        const OpenOutcome opened = openDatabase(m_db, folder());
        ASSERT_TRUE(opened.ok) << opened.message.toStdString();
    }

    QString folder() const { return m_dir.path() + QLatin1Char('/'); }

    void exec(const QString& sql, const QVariantList& params = {})
    {
        const StoreResult r = m_db.execute(sql, params);
        ASSERT_TRUE(r.ok) << r.message.toStdString() << "\n" << sql.toStdString();
    }

    Rows select(const QString& sql, const QVariantList& params = {})
    {
        const QueryResult r = m_db.select(sql, params);
        EXPECT_TRUE(r.ok) << r.message.toStdString() << "\n" << sql.toStdString();
        return r.rows;
    }

    QTemporaryDir m_dir;
    Connection m_db;
};

} // namespace tv::store::testing
