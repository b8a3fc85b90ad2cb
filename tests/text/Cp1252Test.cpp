#include "text/Cp1252.h"

#include <gtest/gtest.h>

using namespace tv::text;

TEST(Cp1252Test, KnownTextsBothWays)
{
    const QString text = QString::fromUtf8("Müller € “quoted” é Œ™");
    const QByteArray bytes = toCp1252(text);
    EXPECT_EQ(bytes, QByteArray("M\xfcller \x80 \x93quoted\x94 \xe9 \x8c\x99"));
    EXPECT_EQ(fromCp1252(bytes), text);
}

TEST(Cp1252Test, EveryByteComesBackUnchanged)
{
    QByteArray all(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        all[b] = char(b);
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);
}

TEST(Cp1252Test, CharactersWithoutACodeBecomeQuestionMarks)
{
    EXPECT_EQ(toCp1252(QString::fromUtf8("a\u0100b\u4e2dc\U0001F600")), QByteArray("a?b?c??"));
    bool mapped = true;
    EXPECT_EQ(cp1252Byte(u'\u0100', &mapped), '?');
    EXPECT_FALSE(mapped);
    EXPECT_EQ(cp1252Byte(u'?', &mapped), '?');
    EXPECT_TRUE(mapped);
    EXPECT_EQ(uint8_t(cp1252Byte(u'\u20ac', &mapped)), 0x80);
    EXPECT_TRUE(mapped);
}
