#include "page/PageColour.h"

#include <gtest/gtest.h>

using namespace tv::page;

namespace {

TEST(PageColourTest, colour_texts)
{
    const struct {
        const char* text;
        std::optional<ColourValue> value;
    } cases[] = {
        {"clRed", 0x0000FF},
        {"CLRED", 0x0000FF},
        {"clNavy", 0x800000},
        {"clNone", 0x1FFFFFFF},
        {"clWindowText", 0x80000008},
        {"clInfoBk", 0x80000018},
        {"255", 255},
        {"$FF0000", 0xFF0000},
        {"$ff", 0xFF},
        {"-1", 0xFFFFFFFF},
        {"Red", std::nullopt},
        {"", std::nullopt},
        {"$", std::nullopt},
        {"$123456789", std::nullopt},
        {"12abc", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseColour(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(PageColourTest, values_resolve_to_drawing_colours)
{
    EXPECT_EQ(resolveColour(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(resolveColour(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(resolveColour(kColourWindowText), QColor(0, 0, 0));
    EXPECT_EQ(resolveColour(0x80000005), QColor(255, 255, 255)); // clWindow
    EXPECT_EQ(resolveColour(kColourNone).alpha(), 0);
}

} // namespace
