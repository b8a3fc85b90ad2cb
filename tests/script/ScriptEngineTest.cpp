// The host API as the report renderer uses it: program texts added on top of each other, statements
// run in the global scope, a named object with global members, errors through the callback, limits.
#include "script/ScriptEngine.h"

#include "script/Builtins.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace tv::script;

namespace {

enum PageMember { kTextXY, kPrint, kPagePositionY, kNewPage, kFail };
const ClassInfo kPageInfo("PrintPage", {{"TextXY", kTextXY, 4, 4},
                                        {"Print", kPrint, 1, 1},
                                        {"PagePositionY", kPagePositionY, 0, 0},
                                        {"NewPage", kNewPage, 0, 0},
                                        {"Fail", kFail, 0, 0}});

// A stand-in for the print page object: records calls; NewPage re-enters the engine like the
// page printer's new-page event does.
class FakePage : public NativeObject {
public:
    FakePage() : NativeObject(kPageInfo) {}
    Variant invoke(Context&, int id, Invoke kind, std::span<Variant> args) override
    {
        if (kind != Invoke::Get) tv::script::raise(438);
        m_info.checkArgs(id, args.size());
        switch (id) {
        case kTextXY:
            calls << QStringLiteral("TextXY %1 %2 %3 %4")
                         .arg(args[0].toDouble())
                         .arg(args[1].toDouble())
                         .arg(args[2].toString(), args[3].toString());
            return {};
        case kPrint:
            calls << QStringLiteral("Print ") + args[0].toString();
            return {};
        case kPagePositionY:
            return Variant::fromDouble(1.5);
        case kNewPage:
            calls << QStringLiteral("NewPage");
            if (engine) engine->executeStatement(QStringLiteral("OnNewPage()"));
            return {};
        default:
            tv::script::raise(5, QStringLiteral("Unable to change bottom margin while printing"));
        }
    }
    QStringList calls;
    ScriptEngine* engine = nullptr;
};

struct Fixture : ::testing::Test {
    Fixture()
    {
        page = new FakePage;
        pageRef = page;
        engine.addObject(QStringLiteral("PRN_PAGE"), pageRef, true);
        engine.setErrorHandler([this](const ErrorInfo& e) { errors.push_back(e); });
    }
    ScriptEngine engine;
    FakePage* page;
    Ref<ScriptObject> pageRef;
    std::vector<ErrorInfo> errors;
};

} // namespace

TEST_F(Fixture, report_program_runs_main_with_globals_from_an_earlier_text)
{
    ASSERT_TRUE(
        engine.addCode(QStringLiteral("Dim PATNAME, RESULT, xOffSet\r\nPATNAME = \"DOE^JOHN\"\r\nRESULT = 5.25\r\n")));
    ASSERT_TRUE(engine.executeStatement(QStringLiteral("xOffSet=4/16")));
    ASSERT_TRUE(engine.addCode(QStringLiteral("Sub main(printed)\n"
                                              "    TextXY xOffSet + 1, 2, PATNAME, \"L\"\n"
                                              "    If printed Then PRN_PAGE.Print \"COPY\"\n"
                                              "    Print \"y=\" & PagePositionY() & \" r=\" & RESULT\n"
                                              "End Sub\n")));
    ASSERT_TRUE(engine.executeStatement(QStringLiteral("main(vbTrue)")));
    ASSERT_TRUE(engine.executeStatement(QStringLiteral("main(vbFalse)")));
    EXPECT_EQ(page->calls, QStringList({"TextXY 1.25 2 DOE^JOHN L", "Print COPY", "Print y=1.5 r=5.25",
                                        "TextXY 1.25 2 DOE^JOHN L", "Print y=1.5 r=5.25"}));
    EXPECT_TRUE(errors.empty());
    const auto v = engine.evaluate(QStringLiteral("PATNAME & \"!\""));
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->toString(), QStringLiteral("DOE^JOHN!"));
}

TEST_F(Fixture, errors_reach_the_callback_with_place_and_text_before_the_call_fails)
{
    ASSERT_TRUE(engine.addCode(QStringLiteral("Sub main(p)\n  x = 1\n  y = x / 0\nEnd Sub\n")));
    EXPECT_FALSE(engine.executeStatement(QStringLiteral("main(vbTrue)")));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].number, 11);
    EXPECT_EQ(errors[0].description, QStringLiteral("Division by zero"));
    EXPECT_EQ(errors[0].source, QStringLiteral("Microsoft VBScript runtime error"));
    EXPECT_EQ(errors[0].line, 3);
    EXPECT_EQ(errors[0].column, 3);
    EXPECT_EQ(errors[0].sourceLine, QStringLiteral("  y = x / 0"));

    EXPECT_FALSE(engine.addCode(QStringLiteral("x = 1\nIf x Then\n")));
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_TRUE(errors[1].compileError);
    EXPECT_EQ(errors[1].source, QStringLiteral("Microsoft VBScript compilation error"));
    EXPECT_EQ(errors[1].line, 3);

    // A host method's failure becomes a run-time error of the script with the method's message.
    EXPECT_FALSE(engine.executeStatement(QStringLiteral("Fail")));
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[2].description, QStringLiteral("Unable to change bottom margin while printing"));
    // Calling an entry point that was never defined fails too.
    EXPECT_FALSE(engine.executeStatement(QStringLiteral("Init()")));
    EXPECT_EQ(errors.size(), 4u);
}

TEST_F(Fixture, host_methods_may_reenter_the_engine)
{
    page->engine = &engine;
    ASSERT_TRUE(
        engine.addCode(QStringLiteral("Dim pages\nSub OnNewPage()\n pages = pages + 1\n Print \"header\"\nEnd Sub\n"
                                      "Sub main(p)\n NewPage\n NewPage\n Print pages\nEnd Sub\n")));
    ASSERT_TRUE(engine.executeStatement(QStringLiteral("main(vbFalse)")));
    EXPECT_EQ(page->calls, QStringList({"NewPage", "Print header", "NewPage", "Print header", "Print 2"}));
}

TEST_F(Fixture, endless_loops_and_recursion_stop_with_an_error_and_the_engine_stays_usable)
{
    engine.setTimeout(std::chrono::milliseconds(100));
    EXPECT_FALSE(engine.executeStatement(QStringLiteral("On Error Resume Next\nDo\n x = x + 1\nLoop")));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].description.contains(QStringLiteral("timed out")));

    engine.setTimeout(std::chrono::milliseconds(10000));
    EXPECT_FALSE(engine.executeStatement(QStringLiteral("Function f(n)\n f = f(n + 1)\nEnd Function\nf 1")));
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[1].number, 28);
    EXPECT_EQ(errors[1].description, QStringLiteral("Out of stack space"));

    ASSERT_TRUE(engine.executeStatement(QStringLiteral("y = 2")));
    EXPECT_EQ(engine.evaluate(QStringLiteral("y * 3"))->toLong(), 6);
}

TEST_F(Fixture, hostile_texts_give_compile_errors)
{
    const QStringList texts = {QString(100000, u'(') + QStringLiteral("1") + QString(100000, u')'),
                               QStringLiteral("x = ") + QStringLiteral("-").repeated(100000) + QStringLiteral("1"),
                               QStringLiteral("If 1 Then\n").repeated(5000),
                               QStringLiteral("x = 1") + QString(5000, u'0'),
                               QStringLiteral("x = a") + QStringLiteral("(1)").repeated(100000)};
    for (const QString& text : texts)
        EXPECT_FALSE(engine.addCode(text)) << text.left(40).toStdString();
    EXPECT_EQ(errors.size(), size_t(texts.size()));
    for (const ErrorInfo& e : errors)
        EXPECT_TRUE(e.compileError);
}

TEST_F(Fixture, reset_forgets_globals_and_objects)
{
    ASSERT_TRUE(engine.addCode(QStringLiteral("Dim a\na = 5\nFunction g()\n g = a\nEnd Function")));
    EXPECT_EQ(engine.evaluate(QStringLiteral("g()"))->toLong(), 5);
    engine.reset();
    EXPECT_FALSE(engine.executeStatement(QStringLiteral("g")));
    EXPECT_TRUE(engine.evaluate(QStringLiteral("a"))->isEmpty());
    EXPECT_FALSE(engine.executeStatement(QStringLiteral("TextXY 1, 1, \"x\", \"L\"")));
}

TEST(script_engine, class_terminate_runs_when_the_last_reference_goes)
{
    ScriptEngine engine;
    ASSERT_TRUE(engine.addCode(
        QStringLiteral("Dim log\nClass C\n Sub Class_Terminate()\n  log = log & \"T\"\n End Sub\nEnd Class\n"
                       "Set a = New C\nSet b = a\nSet a = Nothing\nlog = log & \"-\"\nSet b = Nothing\n"
                       "Sub f()\n Dim c\n Set c = New C\nEnd Sub\nf\n")));
    EXPECT_EQ(engine.evaluate(QStringLiteral("log"))->toString(), QStringLiteral("-TT"));
}
