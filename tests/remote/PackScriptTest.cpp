#include "remote/PackScript.h"

#include "remote/FormEncoding.h"

#include <gtest/gtest.h>

using namespace tv::remote;

TEST(PackScriptTest, QuotedPrintableRules)
{
    struct Case {
        QByteArray in;
        QByteArray out;
    };
    const Case cases[] = {
        {"abc XYZ 09 <>?~", "abc XYZ 09 <>?~"},
        {"a=b", "a=3Db"},
        {"\r\n", "\r\n"},
        {"x\ry", "x=0Dy"},
        {"\r\r\n", "=0D\r\n"},
        {"\n\r", "=0A=0D"},
        {"end \r\n", "end \r\n"}, // a blank before a line break stays
        {QByteArray("\x00\x1f\x7f\x80\xff\t", 6), "=00=1F=7F=80=FF=09"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(quotedPrintableEncode(c.in), c.out) << c.in.toHex().constData();
        const UnpackResult back = quotedPrintableDecode(c.out);
        ASSERT_TRUE(back.ok);
        EXPECT_EQ(back.data, c.in);
    }
    const QByteArray longLine(5000, 'a');
    EXPECT_EQ(quotedPrintableEncode(longLine), longLine); // no soft line breaks
}

TEST(PackScriptTest, QuotedPrintableDecoderRejectsBrokenEscapes)
{
    for (const QByteArray bad : {"=", "abc=", "=4", "=G0", "x=\r\n"})
        EXPECT_FALSE(quotedPrintableDecode(bad).ok) << bad.constData();
    EXPECT_EQ(quotedPrintableDecode("=3d=3D").data, "==");
}

TEST(PackScriptTest, EveryByteValueSurvivesPackingAndTheForm)
{
    QByteArray all;
    for (int round = 0; round < 3; ++round) {
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
    }
    all += "\r\nUPDATE T SET A='x' WHERE B=1;\r\n";
    const QByteArray packed = packScript(all);
    for (const char c : packed) {
        const auto b = static_cast<unsigned char>(c);
        EXPECT_TRUE((b >= 32 && b <= 126) || b == '\r' || b == '\n') << int(b);
    }
    const FormDecodeResult form = formDecode(formEncode({{"SQL", packed}}));
    ASSERT_TRUE(form.ok);
    const UnpackResult r = unpackScript(form.fields.at(0).value);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.data, all);
}

TEST(PackScriptTest, UnpackRejectsTextThatIsNotAPackedScript)
{
    EXPECT_FALSE(unpackScript("UPDATE T SET A=1").ok);
    EXPECT_FALSE(unpackScript(packScript("UPDATE T SET A=1").chopped(6)).ok);
}
