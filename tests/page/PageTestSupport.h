// Shared helpers of the page tests: a GUI application for font measuring (offscreen platform)
// and compact views of recorded operations.
#pragma once

#include "page/PagePrinter.h"

#include <QGuiApplication>
#include <vector>

namespace tv::page::test {

inline void ensureGuiApp()
{
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "page_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

struct TextAt {
    QString text;
    int x;
    int y;
    bool operator==(const TextAt&) const = default;
};

inline std::vector<TextAt> textsOf(const Page& page)
{
    std::vector<TextAt> out;
    for (const PageOp& op : page.ops) {
        if (op.kind == OpKind::Text) out.push_back({op.text, op.from.x(), op.from.y()});
    }
    return out;
}

inline void PrintTo(const TextAt& t, std::ostream* os)
{
    *os << '"' << t.text.toStdString() << "\" at (" << t.x << ", " << t.y << ')';
}

} // namespace tv::page::test
