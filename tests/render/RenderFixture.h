// Shared set-up of the rendering tests: a GUI application for font measurement, a renderer that
// records its notices, and helpers to run statements and read the recorded page operations.
#pragma once

#include "page/PagePrinter.h"
#include "render/ReportRenderer.h"
#include "script/ScriptEngine.h"

#include <QFile>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace tv::render::testing {

inline void ensureGuiApplication()
{
    static int argc = 1;
    static char name[] = "render_test";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) new QGuiApplication(argc, argv);
}

inline QString readSource(const QString& relativePath)
{
    QFile file(qEnvironmentVariable("TV_SOURCE_DIR") + QLatin1Char('/') + relativePath);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relativePath.toStdString();
    return QString::fromLatin1(file.readAll());
}

struct Notice {
    QString instruction;
    QString content;
};

class RenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }

    explicit RenderTest(PrintOutlet* outlet = nullptr)
        : m_renderer(
              [this](const QString& i, const QString& c) {
                  m_notices.push_back({i, c});
              },
              outlet)
    {
    }

    /// Loads a page script made of `body` plus an empty OnNewPage unless the body has one.
    void loadScript(const QString& body)
    {
        QString text = body;
        if (!text.contains(QLatin1String("OnNewPage"), Qt::CaseInsensitive))
            text += QLatin1String("\r\nSub OnNewPage()\r\nEnd Sub\r\n");
        ASSERT_TRUE(m_renderer.setPageScript(text)) << lastNotice().toStdString();
    }
    bool run(const QString& statement) { return m_renderer.runReportStatement(statement); }
    script::Variant value(const QString& expression)
    {
        return m_renderer.reportEngine().evaluate(expression).value_or(script::Variant());
    }
    page::PagePrinter& printer() { return m_renderer.pagePrinter(); }
    const std::vector<page::PageOp>& ops(int page = 1) { return printer().document().pages.at(page - 1).ops; }
    std::vector<page::PageOp> ops(int page, page::OpKind kind)
    {
        std::vector<page::PageOp> found;
        for (const page::PageOp& op : ops(page))
            if (op.kind == kind) found.push_back(op);
        return found;
    }
    QString lastNotice() const { return m_notices.empty() ? QString() : m_notices.back().instruction; }

    std::vector<Notice> m_notices;
    ReportRenderer m_renderer;
};

} // namespace tv::render::testing
