#include "StoreFixture.h"
#include "store/ConfigStore.h"

using namespace tv::store;
using tv::store::testing::StoreFixture;

class config_store_test : public StoreFixture {
protected:
    ConfigStore config{m_db};
};

TEST_F(config_store_test, reads_value_or_blank_fallback)
{
    struct Case {
        const char* key;
        QVariant value;
        QVariant longValue;
        const char* expected;
    };
    const Case cases[] = {
        {"PLAIN", "abc", "", "abc"},
        {"KEPT.AS.IS", " x ", "long", " x "},
        {"BLANK", "   ", "abc", "abc"},
        {"CONTROLS", "\t\r\n", "abc", "abc"},
        {"NULL.VALUE", QVariant(), "from long", "from long"},
        {"NO-VALUE", "NO-VALUE", "abc", "NO-VALUE"},
        {"QUOTE'S", "quoted", "", "quoted"},
    };
    for (const Case& c : cases)
        exec(QStringLiteral("INSERT INTO CONFIG (VNAME, VVALUE, VARINI) VALUES (?, ?, ?)"),
             {QString::fromUtf8(c.key), c.value, c.longValue});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const TextResult read = config.getConfig(QString::fromUtf8(c.key));
        ASSERT_TRUE(read.ok) << read.message.toStdString();
        EXPECT_EQ(read.text, QString::fromUtf8(c.expected));
    }
    EXPECT_EQ(config.getConfigIni(QStringLiteral("KEPT.AS.IS")).text, QStringLiteral("long"));
    EXPECT_EQ(config.getConfigIni(QStringLiteral("QUOTE'S")).text, QString());
}

TEST_F(config_store_test, missing_key_reads_empty)
{
    const TextResult value = config.getConfig(QStringLiteral("NOT.THERE"));
    EXPECT_TRUE(value.ok);
    EXPECT_TRUE(value.text.isEmpty());
    EXPECT_TRUE(config.getConfigIni(QStringLiteral("NOT.THERE")).text.isEmpty());
}

TEST_F(config_store_test, add_config_replaces_without_growing)
{
    ASSERT_TRUE(config.addConfig(QStringLiteral("PRINT.XOFFSET"), QStringLiteral("3")).ok);
    ASSERT_TRUE(config.addConfig(QStringLiteral("PRINT.XOFFSET"), QStringLiteral("5"), QStringLiteral("x")).ok);
    EXPECT_EQ(config.getConfig(QStringLiteral("PRINT.XOFFSET")).text, QStringLiteral("5"));
    EXPECT_EQ(config.getConfigIni(QStringLiteral("PRINT.XOFFSET")).text, QStringLiteral("x"));
    EXPECT_EQ(select(QStringLiteral("SELECT COUNT(*) FROM CONFIG")).rows[0][0].toInt(), 1);
}

TEST_F(config_store_test, only_exact_t_is_a_set_flag)
{
    EXPECT_TRUE(isFlagSet(QStringLiteral("T")));
    for (const char* value : {"t", "F", "", " T", "TRUE"})
        EXPECT_FALSE(isFlagSet(QString::fromUtf8(value))) << value;
}
