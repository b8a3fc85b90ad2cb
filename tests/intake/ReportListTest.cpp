// The report list on a real store: listings, the printed filter, searches, batch tabs and the
// reference-laboratory switch.
#include "intake/ChannelStore.h"
#include "store/ReportList.h"
#include "support/IntakeFixture.h"

using namespace tv;
using namespace tv::intake;
using namespace tv::intake::test;
using store::Channel;
using store::PrintedFilter;

namespace {

const QDate kDay(2026, 12, 11);

class ReportListTest : public IntakeFixture {
protected:
    void SetUp() override
    {
        IntakeFixture::SetUp();
        ReportSpec perez{5001, "CBCD", QDateTime(kDay, QTime(8, 0))};
        ReportSpec lower{5002, "CMP14", QDateTime(kDay, QTime(8, 5))};
        lower.name = "perez rivera, ana";
        ReportSpec zeroBirth{5003, "LIPID", QDateTime(kDay, QTime(8, 10))};
        zeroBirth.name = "ADAMS, JOHN";
        zeroBirth.birthDate = QDate(1899, 12, 30);
        zeroBirth.workDate = QDate(2026, 12, 9);
        store({perez, lower}, Channel::Normal, QDateTime(kDay, QTime(9, 5, 3, 120)));
        store({zeroBirth}, Channel::Normal, QDateTime(kDay, QTime(14, 35, 10, 480)));
        store({{7001, "VITD", QDateTime(kDay, QTime(8, 0))}}, Channel::Reference, QDateTime(kDay, QTime(10, 0, 0)));
        ASSERT_TRUE(m_db.executeProcedure("SET_PRINTED", {5001, "CBCD"}).ok);
        m_list.setPickerDate(kDay);
    }

    void store(const QList<ReportSpec>& reports, Channel channel, const QDateTime& batch)
    {
        const StoreOutcome outcome =
            storeChannelRows(m_db, channel, reportRowset(reports, channel == Channel::Reference), batch);
        ASSERT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
    }

    QStringList labIds()
    {
        QStringList ids;
        for (int row = 0; row < m_list.rows().rows.size(); ++row)
            ids << m_list.rows().value(row, u"LABID").toString();
        return ids;
    }

    store::ReportList m_list{m_db};
};

} // namespace

TEST_F(ReportListTest, ListingsAndTheirTabs)
{
    ASSERT_TRUE(m_list.ListByBatchDate(kDay)) << m_list.error().toStdString();
    EXPECT_EQ(labIds(), (QStringList{"5003", "5001", "5002"}));
    EXPECT_EQ(m_list.tabs(), (QStringList{"All Records", "02:35:10 pm - 1 Recs", "09:05:03 am - 2 Recs"}));

    ASSERT_TRUE(m_list.chooseTab(2));
    EXPECT_EQ(labIds(), (QStringList{"5001", "5002"}));
    ASSERT_TRUE(m_list.chooseTab(0));
    EXPECT_EQ(labIds().size(), 3);

    ASSERT_TRUE(m_list.ListByWorkDate(QDate(2026, 12, 9)));
    EXPECT_EQ(labIds(), QStringList{"5003"});
    EXPECT_EQ(m_list.rows().value(0, u"bdate2"), QStringLiteral("  /  /    "));
    EXPECT_EQ(m_list.rows().value(0, u"AGEY"), QStringLiteral("56 Y"));

    m_list.setPickerDate(kDay.addDays(1));
    ASSERT_TRUE(m_list.ListByBatchDate(kDay.addDays(1)));
    EXPECT_TRUE(labIds().isEmpty());
    EXPECT_EQ(m_list.tabs(), QStringList{"All Records"});
}

TEST_F(ReportListTest, PrintedFilterAndSearchesResetIt)
{
    m_list.setPrintedFilter(PrintedFilter::Printed);
    ASSERT_TRUE(m_list.closeSearchPanel(true));
    EXPECT_EQ(labIds(), QStringList{"5001"});
    m_list.setPrintedFilter(PrintedFilter::NonPrinted);
    ASSERT_TRUE(m_list.closeSearchPanel(true));
    EXPECT_EQ(labIds(), (QStringList{"5003", "5002"}));

    ASSERT_TRUE(m_list.searchByName("PEREZ"));
    EXPECT_EQ(m_list.printedFilter(), PrintedFilter::All);
    EXPECT_EQ(labIds(), QStringList{"5001"});
    EXPECT_EQ(m_list.rows().value(0, u"bdate2"), QStringLiteral("Mar/05/1970"));

    ASSERT_TRUE(m_list.searchByName("O'BRIEN"));
    EXPECT_TRUE(labIds().isEmpty());

    ASSERT_TRUE(m_list.searchByLabId(" 5002 "));
    EXPECT_EQ(labIds(), QStringList{"5002"});
}

TEST_F(ReportListTest, ANonNumericSampleNumberIsRefusedWithoutSql)
{
    ASSERT_TRUE(m_list.ListByBatchDate(kDay));
    EXPECT_FALSE(m_list.searchByLabId("5001 OR 1=1"));
    EXPECT_EQ(m_list.error(), store::ReportList::kLabIdNotice);
    EXPECT_FALSE(m_list.isOpen());
    EXPECT_EQ(count("EXTERNAL_REPORT"), 3);
}

TEST_F(ReportListTest, TheReferenceSwitchSwapsTablesAndBatches)
{
    ASSERT_TRUE(m_list.switchReferenceMode(kDay));
    EXPECT_TRUE(m_list.referenceMode());
    EXPECT_EQ(labIds(), QStringList{"7001"});
    EXPECT_EQ(m_list.tabs(), (QStringList{"All Records", "10:00:00 am - 1 Recs"}));
    ASSERT_TRUE(m_list.searchByLabId("5001"));
    EXPECT_TRUE(labIds().isEmpty());
    ASSERT_TRUE(m_list.switchReferenceMode(kDay));
    EXPECT_FALSE(m_list.referenceMode());
    EXPECT_EQ(labIds().size(), 3);
}
