#include "store/LocalDatabase.h"
#include "store/SchemaUpdater.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tv::store;

namespace {

class schema_updater_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        const OpenOutcome opened = openDatabase(m_db, m_dir.path());
        ASSERT_TRUE(opened.ok) << opened.message.toStdString();
        m_location = opened.location;
    }

    bool has(const QString& type, const QString& name)
    {
        static const QHash<QString, QString> catalogue = {
            {"table", "SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = ?"},
            {"procedure", "SELECT COUNT(*) FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME = ?"},
            {"index", "SELECT COUNT(*) FROM RDB$INDICES WHERE RDB$INDEX_NAME = ?"},
            {"trigger", "SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = ?"},
        };
        const QueryResult r = m_db.select(catalogue.value(type), {name});
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        return r.ok && r.rows.rows[0][0].toInt() == 1;
    }

    /// Runs both steps as start-up does; true when the "updated" notice would be shown.
    bool runBothSteps()
    {
        SchemaUpdater updater(m_location);
        EXPECT_TRUE(updater.runUpdateStep(1).ok);
        EXPECT_TRUE(updater.runUpdateStep(2).ok);
        return updater.updated();
    }

    QTemporaryDir m_dir;
    Connection m_db;
    QString m_location;
};

} // namespace

TEST_F(schema_updater_test, store_without_twins_gets_every_object_and_one_notice)
{
    EXPECT_FALSE(has("table", "EXTERNAL_REPORT_LC"));
    EXPECT_TRUE(runBothSteps());
    EXPECT_TRUE(has("table", "EXTERNAL_REPORT_LC"));
    EXPECT_TRUE(has("index", "I_EXTERNAL_REPORT_LC_LABID"));
    EXPECT_TRUE(has("index", "I_EXTERNAL_REPORT_LC_WDATE"));
    EXPECT_TRUE(has("trigger", "EXTERNAL_REPORT_LC_NEW"));
    for (const char* procedure : {"ADD_REPORT_LC", "ADD_PATIENT_LC", "GET_TODAY_BATCHS_LC", "SET_PRINTED_LC"})
        EXPECT_TRUE(has("procedure", procedure)) << procedure;
}

TEST_F(schema_updater_test, current_store_runs_nothing)
{
    ASSERT_TRUE(runBothSteps());
    EXPECT_FALSE(runBothSteps());
}

TEST_F(schema_updater_test, store_with_table_but_no_batch_procedure_runs_step_two_only)
{
    ASSERT_TRUE(runBothSteps());
    m_db.close();
    {
        Connection db;
        ASSERT_TRUE(db.open(m_location).ok);
        ASSERT_TRUE(db.execute("DROP PROCEDURE SET_PRINTED_LC").ok);
        ASSERT_TRUE(db.execute("DROP PROCEDURE GET_TODAY_BATCHS_LC").ok);
    }
    EXPECT_TRUE(runBothSteps());
    ASSERT_TRUE(m_db.open(m_location).ok);
    EXPECT_TRUE(has("procedure", "GET_TODAY_BATCHS_LC"));
    EXPECT_TRUE(has("procedure", "SET_PRINTED_LC"));
}

TEST_F(schema_updater_test, only_the_marker_is_looked_up)
{
    ASSERT_TRUE(runBothSteps());
    ASSERT_TRUE(m_db.execute("DROP PROCEDURE SET_PRINTED_LC").ok);
    EXPECT_FALSE(runBothSteps());
    EXPECT_FALSE(has("procedure", "SET_PRINTED_LC"));
}

TEST_F(schema_updater_test, failed_script_still_counts_as_updated)
{
    // A stray object of the same name makes step 1's script fail part-way.
    ASSERT_TRUE(m_db.execute("CREATE PROCEDURE ADD_PATIENT_LC AS BEGIN EXIT; END").ok);
    SchemaUpdater updater(m_location);
    const StoreResult step = updater.runUpdateStep(1);
    EXPECT_FALSE(step.ok);
    EXPECT_TRUE(updater.updated());
    EXPECT_TRUE(has("table", "EXTERNAL_REPORT_LC"));  // statements before the failure stay
}
