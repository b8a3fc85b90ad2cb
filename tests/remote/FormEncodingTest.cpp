#include "remote/FormEncoding.h"

#include <gtest/gtest.h>

using namespace tv::remote;

TEST(FormEncodingTest, EscapesExactlyTheSpecialBytes)
{
    const QByteArray special = "+&*%<>#{}|\\^~[]'?!=/:$\"";
    for (int b = 0; b < 256; ++b) {
        const QByteArray in(1, char(b));
        const QByteArray out = formEscape(in);
        if (b == ' ')
            EXPECT_EQ(out, "+");
        else if (b >= 0x80 || (b != 0 && special.contains(char(b))))
            EXPECT_EQ(out, "%" + in.toHex().toUpper()) << b;
        else
            EXPECT_EQ(out, in) << b; // letters, digits, . - _ , ; @ ( ) ` and control bytes
    }
}

TEST(FormEncodingTest, JoinsFieldsInOrder)
{
    const QList<FormField> fields = {{"SQL", "select * from T where A='x y' and B<>1"}, {"DB", "10.0.0.5:ORVALIS"},
                                     {"ZIP", "ZIP"}};
    EXPECT_EQ(formEncode(fields),
              "SQL=select+%2A+from+T+where+A%3D%27x+y%27+and+B%3C%3E1&DB=10.0.0.5%3AORVALIS&ZIP=ZIP");
}

TEST(FormEncodingTest, DecodesWhatItEncodesForEveryByte)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QList<FormField> fields = {{"A&B=C", all}, {"", ""}, {"Z", "%+ =&"}};
    const FormDecodeResult r = formDecode(formEncode(fields));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.fields, fields);
}

TEST(FormEncodingTest, DecoderHandlesEdgesAndRejectsBadEscapes)
{
    EXPECT_TRUE(formDecode("").ok);
    EXPECT_TRUE(formDecode("").fields.isEmpty());
    const FormDecodeResult noValue = formDecode("FLAG&X=%41%62");
    ASSERT_TRUE(noValue.ok);
    EXPECT_EQ(noValue.fields, (QList<FormField>{{"FLAG", ""}, {"X", "Ab"}}));
    for (const QByteArray body : {"A=%", "A=%4", "A=%4G", "%ZZ=1", "A=1&B=x%"})
        EXPECT_FALSE(formDecode(body).ok) << body.constData();
}
