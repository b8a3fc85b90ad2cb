#include "render/FontString.h"

#include "page/PageFonts.h"

#include <gtest/gtest.h>

using namespace tv::render;
using tv::page::FontSpec;

TEST(font_string, fields)
{
    FontSpec start;
    start.name = "Arial";
    start.size = 9;
    start.italic = true;
    struct Case {
        const char* text;
        QString name;
        int size;
        bool bold, italic, underline;
        tv::page::ColourValue colour;
    } cases[] = {
        {",14", "Arial", 14, false, true, false, start.colour}, // leading comma keeps the name
        {"Times New Roman,,B", "Times New Roman", 9, true, true, false, start.colour},
        {"Courier New,10,*,*", "Courier New", 10, false, false, false, 0x000000},
        {",,*BU,Red", "Arial", 9, true, false, true, 0x0000FF},            // "Red" is read as clRed
        {",,,$FF0000", "Arial", 9, false, true, false, 0xFF0000},          // BGR: blue
        {",,bx,clNavy", "Arial", 9, false, true, false, 0x800000},         // lower-case styles are ignored
        {",\"12\",\"I U\"", "Arial", 12, false, true, true, start.colour}, // quoted fields
        {"Arial,8 B", "Arial", 8, true, true, false, start.colour},        // a blank ends a field
    };
    for (const Case& c : cases) {
        FontSpec font = start;
        EXPECT_EQ(applyFontString(c.text, font), QString()) << c.text;
        EXPECT_EQ(font.name, c.name) << c.text;
        EXPECT_EQ(font.size, c.size) << c.text;
        EXPECT_EQ(font.bold, c.bold) << c.text;
        EXPECT_EQ(font.italic, c.italic) << c.text;
        EXPECT_EQ(font.underline, c.underline) << c.text;
        EXPECT_EQ(font.colour, c.colour) << c.text;
    }
}

TEST(font_string, errors_keep_earlier_fields)
{
    FontSpec font;
    EXPECT_FALSE(applyFontString("Arial", font).isEmpty()); // no comma at all
    EXPECT_FALSE(applyFontString("", font).isEmpty());
    EXPECT_EQ(font, FontSpec());

    EXPECT_EQ(applyFontString("Arial,big,B", font), "'big' is not a valid integer value");
    EXPECT_EQ(font.name, "Arial"); // the name was taken before the size failed
    EXPECT_FALSE(font.bold);

    EXPECT_EQ(applyFontString(",12,B,Mauve", font), "'clMauve' is not a valid colour");
    EXPECT_EQ(font.size, 12);
    EXPECT_TRUE(font.bold);
    EXPECT_FALSE(applyFontString(",,,255", font).isEmpty()); // "cl" is put in front of a plain number
}
