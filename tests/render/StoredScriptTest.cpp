#include "render/StoredScript.h"

#include "render/PageScript.h"
#include "text/Cp1252.h"

#include <QMap>
#include <gtest/gtest.h>
#include <random>

using namespace tv::render;

TEST(stored_script, encoding_codes)
{
    EXPECT_EQ(encodingMethodOf("QP"), Encoding::QuotedPrintable);
    EXPECT_EQ(encodingMethodOf("64"), Encoding::Base64);
    EXPECT_EQ(encodingMethodOf("UE"), Encoding::UU);
    for (const char* other : {"", "qp", "ue", "UU", "B64", "XX"})
        EXPECT_EQ(encodingMethodOf(other), Encoding::None) << other;
}

TEST(stored_script, uu_known_forms)
{
    // "Cat" is one full group; a zero value is written as a back-quote, never a blank.
    EXPECT_EQ(uuEncode("Cat"), QByteArray("#0V%T\r\n`\r\n"));
    EXPECT_EQ(uuEncode(QByteArray("\0\0\0", 3)), QByteArray("#````\r\n`\r\n"));
    EXPECT_EQ(uuEncode("A"), QByteArray("!00\r\n`\r\n"));
    EXPECT_EQ(uuEncode("AB"), QByteArray("\"04(\r\n`\r\n"));
    EXPECT_EQ(uuEncode(""), QByteArray("`\r\n"));
    const QByteArray two = uuEncode(QByteArray(58, 'x'));
    const QList<QByteArray> lines = two.split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0].size(), 1 + 76 + 1); // length character, 19 groups, CR
    EXPECT_EQ(lines[0][0], 'Y');            // 57 + 32
    EXPECT_EQ(lines[1], QByteArray("!>`\r"));
}

TEST(stored_script, base64_lines)
{
    const QByteArray text = base64Lines(QByteArray(120, 'a'));
    const QList<QByteArray> lines = text.split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].size(), 77); // 76 characters and CR
    EXPECT_EQ(lines[1].size(), 77);
    EXPECT_FALSE(text.endsWith("\r\n"));
    EXPECT_EQ(base64Lines(QByteArray(57, 'a')).size(), 76);
}

TEST(stored_script, round_trips_arbitrary_bytes)
{
    std::mt19937 random(7);
    for (int size : {0, 1, 2, 3, 56, 57, 58, 114, 171, 1000, 4099}) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (char& c : bytes)
            c = char(random() & 0xFF);
        const QByteArray stored = encodeStoredScript(bytes);
        const auto back = decodeStoredScript(stored);
        ASSERT_TRUE(back) << size;
        EXPECT_EQ(*back, bytes) << size;
    }
}

TEST(stored_script, rejects_other_forms)
{
    const QByteArray good =
        encodeStoredScript("Sub main(printed)\r\n    BeginDoc\r\n    PrintLine \"x\"\r\n    EndDoc\r\nEnd Sub\r\n");
    ASSERT_TRUE(good.contains("\r\n"));
    ASSERT_TRUE(decodeStoredScript(good));
    const QByteArray bad[] = {
        "not base64 at all!",
        good + "\r\n",                                          // line break after the last line
        QByteArray(good).replace("\r\n", "\n"),                 // bare LF
        base64Lines("#0V%T\r\n"),                               // no terminating back-quote line
        base64Lines("#0V%T\n`\r\n"),                            // UU line ended by LF only
        base64Lines("#0V%\r\n`\r\n"),                           // short group
        base64Lines("#0 %T\r\n`\r\n"),                          // blank instead of back-quote
        base64Lines("!00\r\n!00\r\n`\r\n"),                     // a short line before the last
        base64Lines("Z" + QByteArray(80, '0') + "\r\n`\r\n"),   // more than 57 bytes a line
        QByteArray(encodeStoredScript("Cat")).replace("=", ""), // missing padding
    };
    for (const QByteArray& text : bad)
        EXPECT_FALSE(decodeStoredScript(text)) << text.constData();
}

namespace {

PageScript pageScriptFrom(const QMap<QString, QString>& config)
{
    return getPageScript([&](const QString& key) { return config.value(key); });
}

} // namespace

TEST(page_script, key_choice_and_decoding)
{
    const QString script = "Sub main(printed)\r\n  BeginDoc\r\n  EndDoc\r\nEnd Sub\r\n";
    const QString encoded = QString::fromLatin1(encodeStoredScript(script.toLatin1()));
    const QString plain = "' function\r\nSub main(p)\r\nEnd Sub";
    const QString twenty = "Sub main(p): End Sub";
    ASSERT_EQ(twenty.size(), 20);
    struct Case {
        const char* name;
        QMap<QString, QString> config;
        QString expected;
    } cases[] = {
        {"encoded in SYSTEM.PAGE", {{"SYSTEM.PAGE", encoded}, {"SCRIPT", plain}}, script},
        {"19 characters fall back to SCRIPT", {{"SYSTEM.PAGE", twenty.left(19)}, {"SCRIPT", encoded}}, script},
        {"20 characters used undecoded", {{"SYSTEM.PAGE", twenty}, {"SCRIPT", encoded}}, twenty},
        {"plain text holds function", {{"SYSTEM.PAGE", plain}}, plain},
        {"both missing", {}, QString()},
    };
    for (const Case& c : cases) {
        const PageScript result = pageScriptFrom(c.config);
        EXPECT_EQ(result.text, c.expected) << c.name;
        EXPECT_TRUE(result.error.isEmpty()) << c.name;
    }
}

TEST(page_script, damaged_text_is_an_error)
{
    const PageScript result = pageScriptFrom({{"SYSTEM.PAGE", "Sub main(p)\r\n  BeginDoc\r\nEnd Sub"}});
    EXPECT_TRUE(result.text.isEmpty());
    EXPECT_TRUE(result.error.contains("damaged"));
}

TEST(page_script, windows_1252_text_survives)
{
    const QString script = QString::fromUtf8("' Résumé – naïve\r\nSub main(p): End Sub\r\n");
    const QByteArray stored = encodeStoredScript(tv::text::toCp1252(script));
    EXPECT_EQ(pageScriptFrom({{"SYSTEM.PAGE", QString::fromLatin1(stored)}}).text, script);
}
