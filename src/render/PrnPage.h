// PRN_PAGE, the print page object report programs draw with: 31 methods acting on one page
// printer. Positions are inches from the paper corner plus the object's drawing offsets; every
// failure (and a failed OnNewPage run nested inside a call) becomes a run-time error of the script.
#pragma once

#include "script/Builtins.h"

#include <QPoint>
#include <functional>

namespace tv::page {
class PagePrinter;
}

namespace tv::render {

class PrintOutlet;

class PrnPage : public script::NativeObject {
public:
    PrnPage(page::PagePrinter& printer, PrintOutlet& outlet);

    script::Variant invoke(script::Context& cx, int id, script::Invoke kind, std::span<script::Variant> args) override;

    /// Called when a page handler nested in a call failed; the call then fails with this message.
    void failCurrentCall(const QString& message) { m_pendingError = message; }

    int offsetX() const { return m_offX; }
    int offsetY() const { return m_offY; }

private:
    void call(int id, std::span<script::Variant> args, script::Variant& result);
    QPoint position(double x, double y) const;
    void textXY(double x, double y, const QString& text, const QString& anchor);
    void printList(double x, double y, const QString& text, bool boxed);
    void image(const QString& path, double x, double y, double width, double height);
    void setMargins(double top, double left, double bottom, double right);
    double getMargin(const QString& name) const;
    void selectPrinter(const QString& name);
    void printPage();
    QString formatDate(const QString& when, const QString& pattern) const;
    void imageWmf(const QString& path);

    page::PagePrinter& m_printer;
    PrintOutlet& m_outlet;
    int m_offX = 0;
    int m_offY = 0;
    QString m_pendingError;
};

} // namespace tv::render
