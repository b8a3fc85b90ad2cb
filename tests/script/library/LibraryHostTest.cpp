// The library's promises to a host: a script that writes too much or runs too long is stopped
// with an error that On Error Resume Next cannot swallow, and the engine stays usable; dialogs go
// to the host's handlers; objects outside the library cannot be created.

#include "script/ScriptEngine.h"
#include "script/library/FileAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tv::script;

namespace {

class LibraryHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_engine.setErrorHandler([this](const ErrorInfo& e) { m_errors.push_back(e); });
    }

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // After a stopped script the same engine still runs statements and keeps its globals.
    void expectUsable()
    {
        ASSERT_TRUE(m_engine.executeStatement(QStringLiteral("afterwards = 40 + 2")));
        const std::optional<Variant> v = m_engine.evaluate(QStringLiteral("afterwards"));
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(v->toLong(), 42);
    }

    QTemporaryDir m_dir;
    ScriptEngine m_engine;
    std::vector<ErrorInfo> m_errors;
};

TEST_F(LibraryHost, GigabyteWriterStopsAtTheOutputLimit)
{
    m_engine.setOutputLimit(1 << 20);
    const QString code = QStringLiteral(R"(On Error Resume Next
Set fso = CreateObject("Scripting.FileSystemObject")
Set f = fso.CreateTextFile("%1", True)
s = String(65536, "x")
For i = 1 To 16384
    f.Write s
Next
f.Close
reached = True
)").arg(path("big.txt"));
    EXPECT_FALSE(m_engine.addCode(code));
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_LE(QFileInfo(path("big.txt")).size(), 1 << 20);
    EXPECT_TRUE(m_engine.evaluate(QStringLiteral("IsEmpty(reached)"))->toBoolean());
    expectUsable();
}

TEST_F(LibraryHost, CopiedFilesCountAgainstTheOutputLimit)
{
    m_engine.setOutputLimit(1 << 20);
    const QString code = QStringLiteral(R"(Set fso = CreateObject("Scripting.FileSystemObject")
Set f = fso.CreateTextFile("%1")
f.Write String(400000, "y")
f.Close
fso.CopyFile "%1", "%2"
fso.CopyFile "%1", "%3"
)").arg(path("a.txt"), path("b.txt"), path("c.txt"));
    EXPECT_FALSE(m_engine.addCode(code));
    EXPECT_TRUE(QFileInfo::exists(path("b.txt")));
    EXPECT_FALSE(QFileInfo::exists(path("c.txt")));
    expectUsable();
}

TEST_F(LibraryHost, EndlessLoopsInLibraryCallsTimeOut)
{
    m_engine.setTimeout(std::chrono::milliseconds(300));
    EXPECT_FALSE(m_engine.executeStatement(QStringLiteral(
        "On Error Resume Next : Do : s = Replace(String(1000, \"a\"), \"a\", \"b\") : Loop")));
    ASSERT_EQ(m_errors.size(), 1u);
    expectUsable();
}

TEST_F(LibraryHost, DialogsGoToTheHostHandlers)
{
    QString seen;
    m_engine.setMessageBoxHandler([&](const QString& prompt, int buttons, const QString& title) {
        seen = QStringLiteral("%1|%2|%3").arg(prompt).arg(buttons).arg(title);
        return 6;
    });
    std::optional<QString> answer = QStringLiteral("typed");
    m_engine.setInputBoxHandler([&](const QString&, const QString&, const QString&) { return answer; });

    EXPECT_EQ(m_engine.evaluate(QStringLiteral("MsgBox(\"Delete?\", vbYesNo, \"Export\")"))->toLong(), 6);
    EXPECT_EQ(seen, QStringLiteral("Delete?|4|Export"));
    EXPECT_EQ(m_engine.evaluate(QStringLiteral("InputBox(\"Password\")"))->toString(), QStringLiteral("typed"));
    answer.reset();
    EXPECT_EQ(m_engine.evaluate(QStringLiteral("InputBox(\"Password\")"))->toString(), QString());
}

TEST_F(LibraryHost, OtherObjectsAreRefusedWithTheirName)
{
    EXPECT_FALSE(m_engine.executeStatement(QStringLiteral("Set sh = CreateObject(\"WScript.Shell\")")));
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_EQ(m_errors[0].number, 429);
    EXPECT_TRUE(m_errors[0].description.contains(QStringLiteral("'WScript.Shell'")));
    expectUsable();
}

TEST_F(LibraryHost, FileAccessCanBeSwitchedOff)
{
    tv::script::lib::setFileAccessAllowed(false);
    const bool created = m_engine.executeStatement(QStringLiteral("Set fso = CreateObject(\"Scripting.FileSystemObject\")"));
    tv::script::lib::setFileAccessAllowed(true);
    EXPECT_FALSE(created);
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_EQ(m_errors[0].number, 70);
    EXPECT_TRUE(m_engine.executeStatement(QStringLiteral("Set fso = CreateObject(\"Scripting.FileSystemObject\")")));
}

} // namespace
