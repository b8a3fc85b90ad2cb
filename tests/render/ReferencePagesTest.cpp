#include "render/ReferencePages.h"

#include <gtest/gtest.h>

using namespace tv::render;

TEST(reference_pages, split)
{
    struct Case {
        const char* text;
        QStringList pages;
    } cases[] = {
        {"||AAAA||BBBB||", {"AAAA", "BBBB"}},
        {"||AAAA||BBBB", {"AAAA"}}, // text after the last separator is ignored
        {"AAAA||BBBB||", {"AAAA||BBBB||"}},
        {"||AAAA||||BBBB||", {"AAAA", "BBBB"}}, // an empty page is skipped, the split goes on
        {"||||", {}},
        {"||A||B||C||D||E||F||G||H||", {"A", "B", "C", "D", "E", "F", "G", "H"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitReferencePages(c.text), c.pages) << c.text;
}

TEST(reference_pages, join_and_decode_round_trip)
{
    const QList<QByteArray> pictures = {QByteArray("\xD7\xCD\xC6\x9A page one", 14), QByteArray(300, '\x01')};
    const QStringList pages = splitReferencePages(joinReferencePages(pictures));
    ASSERT_EQ(pages.size(), 2);
    for (int k = 0; k < 2; ++k)
        EXPECT_EQ(decodePageText(pages[k]), pictures[k]);
}

TEST(reference_pages, decode_rejects_non_base64)
{
    EXPECT_EQ(decodePageText("QUJD\r\nREVG"), QByteArray("ABCDEF"));
    for (const char* bad : {"", "not*base64", "QUJD REVG"})
        EXPECT_FALSE(decodePageText(bad)) << bad;
}
