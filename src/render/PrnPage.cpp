#include "render/PrnPage.h"

#include "page/PagePrinter.h"
#include "page/WmfReader.h"
#include "render/DateFormat.h"
#include "render/FontString.h"
#include "render/PrintOutlet.h"

#include <QFileInfo>
#include <QImage>
#include <utility>

namespace tv::render {

using script::Variant;

namespace {

enum Member {
    kBeginDoc = 1,
    kEndDoc,
    kTextXY,
    kTableFormat,
    kPrint,
    kPrintTable,
    kPrintLine,
    kNewPage,
    kNewLine,
    kFont,
    kLineSpacing,
    kPrintList,
    kMarginOffset,
    kImage,
    kSelectPrinter,
    kSelectedPrinter,
    kPrintPage,
    kSetMargins,
    kGetMargin,
    kPrintTitle,
    kLineTo,
    kMoveTo,
    kRectangle,
    kRoundRect,
    kPrintCols,
    kPagePositionY,
    kPagePositionX,
    kPenColor,
    kPenWidth,
    kFormatDate,
    kImageWmf,
};

const script::ClassInfo kPrnPageInfo("TPrnPage", {{"BeginDoc", kBeginDoc, 0, 0},
                                                  {"EndDoc", kEndDoc, 0, 0},
                                                  {"TextXY", kTextXY, 4, 4},
                                                  {"TableFormat", kTableFormat, 1, 1},
                                                  {"Print", kPrint, 1, 1},
                                                  {"PrintTable", kPrintTable, 1, 1},
                                                  {"PrintLine", kPrintLine, 1, 1},
                                                  {"NewPage", kNewPage, 0, 0},
                                                  {"NewLine", kNewLine, 0, 0},
                                                  {"Font", kFont, 1, 1},
                                                  {"LineSpacing", kLineSpacing, 1, 1},
                                                  {"PrintList", kPrintList, 4, 4},
                                                  {"MarginOffset", kMarginOffset, 2, 2},
                                                  {"Image", kImage, 5, 5},
                                                  {"SelectPrinter", kSelectPrinter, 1, 1},
                                                  {"SelectedPrinter", kSelectedPrinter, 0, 0},
                                                  {"PrintPage", kPrintPage, 0, 0},
                                                  {"SetMargins", kSetMargins, 4, 4},
                                                  {"GetMargin", kGetMargin, 1, 1},
                                                  {"PrintTitle", kPrintTitle, 1, 1},
                                                  {"LineTO", kLineTo, 2, 2},
                                                  {"MoveTO", kMoveTo, 2, 2},
                                                  {"Rectangle", kRectangle, 4, 4},
                                                  {"RoundRect", kRoundRect, 5, 5},
                                                  {"PrintCols", kPrintCols, 2, 2},
                                                  {"PagePositionY", kPagePositionY, 0, 0},
                                                  {"PagePositionX", kPagePositionX, 0, 0},
                                                  {"PenColor", kPenColor, 1, 1},
                                                  {"PenWidth", kPenWidth, 1, 1},
                                                  {"FormatDate", kFormatDate, 2, 2},
                                                  {"imageWMF", kImageWmf, 1, 1}});

// The run-time error a failing PRN_PAGE call raises; its description is the failure's message.
constexpr int kPrnPageError = 440;

[[noreturn]] void fail(const QString& message)
{
    script::raise(kPrnPageError, message);
}

void check(const page::PageStatus& status)
{
    if (!status.ok()) fail(status.error);
}

} // namespace

PrnPage::PrnPage(page::PagePrinter& printer, PrintOutlet& outlet)
    : NativeObject(kPrnPageInfo), m_printer(printer), m_outlet(outlet)
{
}

Variant PrnPage::invoke(script::Context&, int id, script::Invoke kind, std::span<Variant> args)
{
    if (kind != script::Invoke::Get) script::raise(438);
    m_info.checkArgs(id, args.size());
    m_pendingError.clear();
    Variant result;
    call(id, args, result);
    if (!m_pendingError.isEmpty()) fail(std::exchange(m_pendingError, QString()));
    return result;
}

QPoint PrnPage::position(double x, double y) const
{
    const page::PageDevice& device = m_printer.device();
    return {device.px(x) + m_offX, device.py(y) + m_offY};
}

void PrnPage::call(int id, std::span<Variant> a, Variant& result)
{
    page::PageCanvas& canvas = m_printer.canvas();
    const page::PageDevice& device = m_printer.device();
    const auto num = [&](int i) { return a[i].toDouble(); };
    const auto str = [&](int i) { return a[i].toString(); };
    switch (id) {
    case kBeginDoc:
        m_printer.beginDoc();
        break;
    case kEndDoc:
        m_printer.endDoc();
        break;
    case kTextXY:
        textXY(num(0), num(1), str(2), str(3));
        break;
    case kTableFormat:
        m_printer.setTableFormat(str(0));
        break;
    case kPrint:
        m_printer.write(str(0));
        break;
    case kPrintTable:
        check(m_printer.writeTableRow(str(0)));
        break;
    case kPrintLine:
        m_printer.writeLine(str(0));
        break;
    case kNewPage:
        m_printer.newPage();
        break;
    case kNewLine:
        m_printer.newLine();
        break;
    case kFont: {
        page::FontSpec font = m_printer.font();
        const QString error = applyFontString(str(0), font);
        m_printer.setFont(font);
        if (!error.isEmpty()) fail(error);
        break;
    }
    case kLineSpacing: {
        const QString ls = str(0);
        if (ls.startsWith(QLatin1Char('1')))
            m_printer.setLineSpacing(page::LineSpacing::Single);
        else if (ls.startsWith(QLatin1Char('2')))
            m_printer.setLineSpacing(page::LineSpacing::Double);
        else if (ls.startsWith(QLatin1Char('H')))
            m_printer.setLineSpacing(page::LineSpacing::OneAndHalf);
        break;
    }
    case kPrintList:
        printList(num(0), num(1), str(2), a[3].toBoolean());
        break;
    case kMarginOffset:
        m_offX = device.lx(num(0));
        m_offY = device.ly(num(1));
        break;
    case kImage:
        image(str(0), num(1), num(2), num(3), num(4));
        break;
    case kSelectPrinter:
        selectPrinter(str(0));
        break;
    case kSelectedPrinter:
        result = Variant(m_outlet.currentPrinter());
        break;
    case kPrintPage:
        printPage();
        break;
    case kSetMargins:
        setMargins(num(0), num(1), num(2), num(3));
        break;
    case kGetMargin:
        result = Variant::fromDouble(getMargin(str(0)));
        break;
    case kPrintTitle:
        m_printer.setTitle(str(0));
        break;
    case kLineTo:
        canvas.lineTo(position(num(0), num(1)));
        break;
    case kMoveTo:
        canvas.moveTo(position(num(0), num(1)));
        break;
    case kRectangle:
        canvas.rectangle(position(num(0), num(1)), position(num(2), num(3)));
        break;
    case kRoundRect:
        canvas.roundRect(position(num(0), num(1)), position(num(2), num(3)),
                         QSize(device.lx(num(4)), device.ly(num(4))));
        break;
    case kPrintCols:
        check(m_printer.writeTableRow(str(0), str(1)));
        break;
    case kPagePositionY:
        result = Variant::fromDouble(double(m_printer.textArea().top() + m_printer.cursorY()) / device.dpiY);
        break;
    case kPagePositionX:
        result = Variant::fromDouble(double(m_printer.textArea().left() + m_printer.cursorX()) / device.dpiX);
        break;
    case kPenColor:
        canvas.setPenColour(page::ColourValue(a[0].toLong()));
        break;
    case kPenWidth:
        canvas.setPenWidth(a[0].toLong());
        break;
    case kFormatDate:
        result = Variant(formatDate(str(0), str(1)));
        break;
    case kImageWmf:
        imageWmf(str(0));
        break;
    default:
        script::raise(438);
    }
}

void PrnPage::textXY(double x, double y, const QString& text, const QString& anchor)
{
    if (anchor.isEmpty()) return;
    page::PageCanvas& canvas = m_printer.canvas();
    QPoint at = position(x, y);
    const QChar a = anchor[0];
    if (a == QLatin1Char('R'))
        at.rx() -= canvas.textWidth(text);
    else if (a == QLatin1Char('C'))
        at.rx() -= canvas.textWidth(text) / 2;
    else if (a != QLatin1Char('L'))
        return;
    canvas.textOut(at, text);
}

void PrnPage::printList(double x, double y, const QString& text, bool boxed)
{
    page::PageCanvas& canvas = m_printer.canvas();
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = normal.split(QLatin1Char('\n'));
    if (normal.endsWith(QLatin1Char('\n')) || normal.isEmpty()) lines.removeLast();
    const QPoint at = position(x, y);
    if (boxed && !lines.isEmpty()) {
        const int w = canvas.textWidth(QStringLiteral("_"));
        const int h = canvas.textHeight(QStringLiteral("X"));
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, canvas.textWidth(line));
        canvas.setPenColour(page::kColourBlack);
        canvas.setBrushSolid(page::kColourWhite);
        canvas.rectangle(QPoint(at.x() - w, at.y() - h),
                         QPoint(at.x() + widest + w, at.y() + h * int(lines.size() + 1)));
    }
    canvas.setBrushSolid(page::kColourWhite);
    for (int i = 0; i < lines.size(); ++i)
        canvas.textOut(QPoint(at.x(), at.y() + i * canvas.textHeight(lines[i])), lines[i]);
}

void PrnPage::image(const QString& path, double x, double y, double width, double height)
{
    if (!QFileInfo::exists(path)) return;
    QImage bitmap;
    if (!bitmap.load(path, "BMP")) fail(QStringLiteral("Bitmap image is not valid: %1").arg(path));
    const page::PageDevice& device = m_printer.device();
    m_printer.canvas().drawBitmap(QRect(position(x, y), QSize(device.lx(width), device.ly(height))), bitmap);
}

void PrnPage::setMargins(double top, double left, double bottom, double right)
{
    check(m_printer.setMargin(page::MarginSide::Bottom, bottom));
    check(m_printer.setMargin(page::MarginSide::Left, left));
    check(m_printer.setMargin(page::MarginSide::Right, right));
    check(m_printer.setMargin(page::MarginSide::Top, top));
}

double PrnPage::getMargin(const QString& name) const
{
    switch (name.isEmpty() ? 0 : name[0].toUpper().unicode()) {
    case 'T':
        return m_printer.margin(page::MarginSide::Top);
    case 'L':
        return m_printer.margin(page::MarginSide::Left);
    case 'B':
        return m_printer.margin(page::MarginSide::Bottom);
    case 'R':
        return m_printer.margin(page::MarginSide::Right);
    default:
        return 0;
    }
}

void PrnPage::selectPrinter(const QString& name)
{
    for (const QString& printer : m_outlet.printerNames()) {
        if (printer.contains(name, Qt::CaseInsensitive)) {
            if (const auto device = m_outlet.selectPrinter(printer)) m_printer.setDevice(*device);
            return;
        }
    }
}

void PrnPage::printPage()
{
    if (m_printer.isPrinting()) m_printer.endDoc();
    if (m_printer.pageCount() == 0) return;
    if (const QString error = m_outlet.print(m_printer.document()); !error.isEmpty()) fail(error);
}

QString PrnPage::formatDate(const QString& when, const QString& pattern) const
{
    const auto parsed = parseSystemDateTime(when);
    if (!parsed) fail(QStringLiteral("'%1' is not a valid date and time").arg(when));
    return formatDatePattern(*parsed, pattern);
}

void PrnPage::imageWmf(const QString& path)
{
    m_printer.beginDoc();
    const page::WmfReadResult read = page::readWmfFile(path);
    if (read.picture)
        m_printer.canvas().drawPicture(QRect(QPoint(0, 0), m_printer.device().pageSizeDots()), read.picture);
    m_printer.endDoc();
    if (!read.picture) fail(read.error);
}

} // namespace tv::render
