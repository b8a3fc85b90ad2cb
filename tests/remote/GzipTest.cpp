#include "remote/Gzip.h"

#include <QList>

#include <gtest/gtest.h>

using namespace tv::remote;

namespace {

QByteArray sampleText()
{
    QByteArray text;
    for (int i = 0; i < 20000; ++i)
        text += "line " + QByteArray::number(i) + " of a report program\r\n";
    return text;
}

} // namespace

TEST(GzipTest, RoundTripsEmptySmallAndLargeInputs)
{
    QByteArray allBytes;
    for (int b = 0; b < 256; ++b)
        allBytes.append(char(b));
    for (const QByteArray& input : {QByteArray(), QByteArray("x"), allBytes, sampleText()}) {
        const QByteArray packed = gzipCompress(input);
        ASSERT_GE(packed.size(), 18);
        EXPECT_EQ(quint8(packed[0]), 0x1f);
        EXPECT_EQ(quint8(packed[1]), 0x8b);
        const GunzipResult r = gzipDecompress(packed);
        ASSERT_TRUE(r.ok) << r.message.toStdString();
        EXPECT_EQ(r.data, input);
    }
}

TEST(GzipTest, ReadsEveryMemberOfAMultiMemberStream)
{
    const GunzipResult r = gzipDecompress(gzipCompress("first ") + gzipCompress("") + gzipCompress("second"));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.data, "first second");
}

TEST(GzipTest, RejectsTruncatedEmptyAndForeignInput)
{
    const QByteArray packed = gzipCompress(sampleText());
    const QByteArray twoMembers = gzipCompress("a") + gzipCompress("b");
    const QList<QByteArray> bad = {
        QByteArray(),
        QByteArray("<xml>plain text</xml>"),
        packed.left(10),
        packed.left(packed.size() / 2),
        packed.left(packed.size() - 1), // size field cut short
        twoMembers.left(twoMembers.size() - 3),
        packed + QByteArray("junk after the member"),
    };
    for (const QByteArray& input : bad) {
        const GunzipResult r = gzipDecompress(input);
        EXPECT_FALSE(r.ok) << input.size();
        EXPECT_TRUE(r.data.isEmpty());
        EXPECT_FALSE(r.message.isEmpty());
    }
}
