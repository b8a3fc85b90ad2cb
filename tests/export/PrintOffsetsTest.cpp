#include "export/PrintOffsets.h"

#include "../store/StoreFixture.h"

using namespace tv::exports;
using tv::store::testing::StoreFixture;

namespace {

class PrintOffsetsTest : public StoreFixture {
protected:
    tv::store::ConfigStore m_config{m_db};
};

TEST(OffsetTexts, vertical_text_is_negated)
{
    EXPECT_EQ(xOffsetText(3), "3/16");
    EXPECT_EQ(xOffsetText(-16), "-16/16");
    EXPECT_EQ(yOffsetText(5), "-5/16");
    EXPECT_EQ(yOffsetText(-2), "2/16");
    EXPECT_EQ(yOffsetText(0), "0/16");
}

TEST_F(PrintOffsetsTest, each_mode_keeps_its_own_keys)
{
    StoredOffsets read = readOffsets(m_config, false);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.x, 0);
    EXPECT_EQ(read.y, 0);

    ASSERT_TRUE(storeXOffset(m_config, false, -4).ok);
    ASSERT_TRUE(storeYOffset(m_config, false, 5).ok);
    ASSERT_TRUE(storeYOffset(m_config, true, 7).ok);
    EXPECT_EQ(m_config.getConfig("PRINT.YOFFSET").text, "5");
    EXPECT_EQ(m_config.getConfig("PRINT.YOFFSET.LC").text, "7");

    read = readOffsets(m_config, false);
    EXPECT_EQ(read.x, -4);
    EXPECT_EQ(read.y, 5);
    read = readOffsets(m_config, true);
    EXPECT_EQ(read.x, 0);
    EXPECT_EQ(read.y, 7);
}

TEST_F(PrintOffsetsTest, a_stored_value_that_is_no_integer_fails)
{
    ASSERT_TRUE(m_config.addConfig("PRINT.YOFFSET.LC", "2.5").ok);
    const StoredOffsets read = readOffsets(m_config, true);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.message.contains("2.5"));
}

} // namespace
