#include "app/StrU.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tv::app;

TEST(stru_test, one_line_texts)
{
    EXPECT_EQ(stripLineBreaks(QStringLiteral("a\r\nb")), QStringLiteral("a b"));
    EXPECT_EQ(stripLineBreaks(QStringLiteral("a\rb")), QStringLiteral("ab"));
    EXPECT_EQ(stripLineBreaks(QStringLiteral("a\n\nb")), QStringLiteral("a  b"));
    EXPECT_EQ(removeChar(QStringLiteral("a-b-c"), u'-'), QStringLiteral("abc"));
    EXPECT_EQ(replaceChar(QStringLiteral("EXPORT_INI"), u'_', u'.'), QStringLiteral("EXPORT.INI"));
}

TEST(stru_test, split_text)
{
    struct Case {
        const char* text;
        QStringList items;
    };
    const Case cases[] = {
        {"", {}},
        {"|", {""}},
        {"a|b", {"a", "b"}},
        {"a|b|", {"a", "b"}},
        {"a||b", {"a", "", "b"}},
        {"|a", {"", "a"}},
        {" a | b ", {" a ", " b "}},
        {"Topics|https://help.example/a?b=1", {"Topics", "https://help.example/a?b=1"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitText(QString::fromUtf8(c.text), u'|'), c.items) << c.text;
}

class ini_test : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("EXPORT.INI")); }

    void write(const QByteArray& bytes)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray content() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    IniResult op(IniOp operation, const char* section, const char* key = "", const char* value = "")
    {
        return iniAccess(path(), QString::fromUtf8(section), QString::fromUtf8(key), operation,
                         QString::fromUtf8(value));
    }

    QTemporaryDir m_dir;
};

TEST_F(ini_test, reads_with_windows_semantics)
{
    write("; vendor file\r\nstray=outside\r\n[Export]\r\n  RepImage = C:\\EMR\\img\\ \r\nREPDATA=\"quoted\"\r\n"
          "repdata=second\r\nnoequals\r\n;REPIMAGEDATA=commented\r\n[export]\r\nLATE=1\r\n[Other]\r\nA=1\r\n");
    EXPECT_EQ(op(IniOp::Read, "EXPORT", "REPIMAGE").text, QStringLiteral("C:\\EMR\\img\\"));
    EXPECT_EQ(op(IniOp::Read, "export", "RepData").text, QStringLiteral("quoted"));
    EXPECT_EQ(op(IniOp::Read, "EXPORT", "LATE").text, QString());  // first section of that name wins
    EXPECT_EQ(op(IniOp::Read, "EXPORT", "REPIMAGEDATA").text, QString());
    EXPECT_EQ(op(IniOp::Read, "EXPORT", "stray").text, QString());
    EXPECT_TRUE(op(IniOp::SectionExists, "other").flag);
    EXPECT_FALSE(op(IniOp::SectionExists, "none").flag);
    EXPECT_TRUE(op(IniOp::KeyExists, "EXPORT", "repimage").flag);
    EXPECT_FALSE(op(IniOp::KeyExists, "EXPORT", "noequals").flag);
    EXPECT_EQ(op(IniOp::ReadSection, "EXPORT").text,
              QStringLiteral("RepImage = C:\\EMR\\img\\\r\nREPDATA=\"quoted\"\r\nrepdata=second\r\n"));
    EXPECT_EQ(op(IniOp::ReadSections, "").text, QStringLiteral("Export\r\nexport\r\nOther\r\n"));
    EXPECT_EQ(op(IniOp::ReadKeys, "Other").text, QStringLiteral("A\r\n"));
}

TEST_F(ini_test, missing_file_reads_empty_and_is_not_created)
{
    EXPECT_EQ(readIni(m_dir.path(), QStringLiteral("EXPORT"), QStringLiteral("EXPORT"), QStringLiteral("A")),
              QString());
    EXPECT_FALSE(op(IniOp::SectionExists, "EXPORT").flag);
    EXPECT_TRUE(op(IniOp::DeleteKey, "EXPORT", "A").ok);
    EXPECT_TRUE(op(IniOp::EraseSection, "EXPORT").ok);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(ini_test, writes_keep_the_rest_of_the_file)
{
    write("; keep me\r\n[EXPORT]\r\nREPIMAGE=\r\nREPDATA=x\r\n\r\n[HL7]\r\nEXTRAFIELDS=A,B\r\n");
    ASSERT_TRUE(op(IniOp::Write, "export", "repdata", "C:\\out").ok);
    ASSERT_TRUE(op(IniOp::Write, "EXPORT", "REPIMAGEDATA", "D:\\pics").ok);
    ASSERT_TRUE(op(IniOp::Write, "NEW", "K", "v").ok);
    EXPECT_EQ(content(), QByteArray("; keep me\r\n[EXPORT]\r\nREPIMAGE=\r\nrepdata=C:\\out\r\nREPIMAGEDATA=D:\\pics\r\n"
                                    "\r\n[HL7]\r\nEXTRAFIELDS=A,B\r\n[NEW]\r\nK=v\r\n"));
    EXPECT_EQ(op(IniOp::Read, "EXPORT", "REPDATA").text, QStringLiteral("C:\\out"));
    ASSERT_TRUE(op(IniOp::DeleteKey, "EXPORT", "REPIMAGE").ok);
    ASSERT_TRUE(op(IniOp::EraseSection, "hl7").ok);
    EXPECT_EQ(content(), QByteArray("; keep me\r\n[EXPORT]\r\nrepdata=C:\\out\r\nREPIMAGEDATA=D:\\pics\r\n"
                                    "\r\n[NEW]\r\nK=v\r\n"));
}

TEST_F(ini_test, writes_new_file_and_last_line_without_break)
{
    ASSERT_TRUE(op(IniOp::Write, "EXPORT", "REPIMAGE", "é").ok);
    EXPECT_EQ(content(), QByteArray("[EXPORT]\r\nREPIMAGE=\xe9\r\n"));
    write("[A]\nX=1");
    ASSERT_TRUE(op(IniOp::Write, "A", "Y", "2").ok);
    EXPECT_EQ(content(), QByteArray("[A]\nX=1\nY=2\n"));
}

TEST_F(ini_test, failed_write_is_reported_and_loses_nothing)
{
    const QString folder = m_dir.filePath(QStringLiteral("no/such/folder/EXPORT.INI"));
    const IniResult result =
        iniAccess(folder, QStringLiteral("A"), QStringLiteral("B"), IniOp::Write, QStringLiteral("C"));
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
}
