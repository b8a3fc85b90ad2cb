#include "page/WmfWriter.h"

#include "page/WmfRecords.h"
#include "text/Cp1252.h"

#include <QFile>
#include <QTransform>
#include <QtEndian>
#include <algorithm>
#include <optional>

namespace tv::page {

namespace {

using namespace wmf;

class Params {
public:
    Params& i16(qint64 v) { return u16(quint16(qint16(std::clamp<qint64>(v, -32768, 32767)))); }
    Params& u16(quint16 v)
    {
        const char b[2] = {char(v & 0xFF), char(v >> 8)};
        m_bytes.append(b, 2);
        return *this;
    }
    Params& u32(quint32 v) { return u16(quint16(v & 0xFFFF)).u16(quint16(v >> 16)); }
    Params& colour(ColourValue v)
    {
        const QRgb rgb = resolveColour(v).rgb();
        return u32(quint32(qRed(rgb)) | quint32(qGreen(rgb)) << 8 | quint32(qBlue(rgb)) << 16);
    }
    Params& bytes(const QByteArray& b)
    {
        m_bytes.append(b);
        if (b.size() % 2) m_bytes.append('\0');
        return *this;
    }
    const QByteArray& data() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

struct PenDesc {
    QRgb colour;
    int width;
    bool null;
    bool operator==(const PenDesc&) const = default;
};

struct BrushDesc {
    QRgb colour;
    bool solid;
    bool operator==(const BrushDesc&) const = default;
};

class WmfEncoder {
public:
    void put(Function f, const Params& p = {})
    {
        const quint32 words = 3 + quint32(p.data().size() / 2);
        Params head;
        head.u32(words).u16(f);
        m_records += head.data() + p.data();
        m_maxRecord = std::max(m_maxRecord, words);
    }

    void play(const PageOp& op);
    QByteArray finish(const QSize& box, int dpi);

private:
    int createObject(Function f, const Params& p);
    template <class Desc>
    void choose(std::optional<Desc>& current, int& slot, const Desc& want, Function f, const Params& p);
    void selectDrawing(const PageOp& op);
    void selectText(const PageOp& op);
    void playPicture(const PageOp& op);

    QByteArray m_records;
    quint32 m_maxRecord = 0;
    std::vector<bool> m_slots;
    std::optional<PenDesc> m_pen;
    std::optional<BrushDesc> m_brush;
    std::optional<OpFont> m_font;
    int m_penSlot = -1, m_brushSlot = -1, m_fontSlot = -1;
    std::optional<QRgb> m_textColour, m_bkColour;
    int m_bkMode = kTransparent;
};

int WmfEncoder::createObject(Function f, const Params& p)
{
    put(f, p);
    const auto free = std::find(m_slots.begin(), m_slots.end(), false);
    const int slot = int(free - m_slots.begin());
    if (free == m_slots.end())
        m_slots.push_back(true);
    else
        *free = true;
    return slot;
}

template <class Desc>
void WmfEncoder::choose(std::optional<Desc>& current, int& slot, const Desc& want, Function f, const Params& p)
{
    if (current && *current == want) return;
    // The new object is selected before the old one is deleted, so the old slot is freed for reuse.
    const int fresh = createObject(f, p);
    put(SelectObject, Params().u16(quint16(fresh)));
    if (slot >= 0) {
        put(DeleteObject, Params().u16(quint16(slot)));
        m_slots[size_t(slot)] = false;
    }
    slot = fresh;
    current = want;
}

void WmfEncoder::selectDrawing(const PageOp& op)
{
    const PenDesc pen{resolveColour(op.penColour).rgb(), std::max(op.penWidth, 0),
                      op.penNull || op.penColour == kColourNone};
    choose(m_pen, m_penSlot, pen, CreatePenIndirect,
           Params().u16(pen.null ? kPenNull : kPenSolid).i16(pen.width).i16(0).colour(op.penColour));
    const BrushDesc brush{resolveColour(op.brushColour).rgb(), op.brushSolid && op.brushColour != kColourNone};
    choose(m_brush, m_brushSlot, brush, CreateBrushIndirect,
           Params().u16(brush.solid ? kBrushSolid : kBrushNull).colour(op.brushColour).u16(0));
}

void WmfEncoder::selectText(const PageOp& op)
{
    QByteArray face = text::toCp1252(op.font.family).left(31);
    face.append(QByteArray(32 - face.size(), '\0'));
    Params font;
    font.i16(-op.font.height).i16(0).i16(0).i16(0).i16(op.font.weight);
    font.u16(quint16((op.font.italic ? 1 : 0) | (op.font.underline ? 1 : 0) << 8));
    font.u16(quint16(op.font.strikeOut ? 1 : 0)); // charset 0 (ANSI)
    font.u16(0).u16(0);                           // precision, quality, pitch and family: defaults
    font.bytes(face);
    choose(m_font, m_fontSlot, op.font, CreateFontIndirect, font);

    const QRgb text = resolveColour(op.textColour).rgb();
    if (m_textColour != text) {
        put(SetTextColor, Params().colour(op.textColour));
        m_textColour = text;
    }
    const int mode = op.brushSolid && op.brushColour != kColourNone ? kOpaque : kTransparent;
    if (mode != m_bkMode) {
        put(SetBkMode, Params().u16(quint16(mode)));
        m_bkMode = mode;
    }
    const QRgb bk = resolveColour(op.brushColour).rgb();
    if (mode == kOpaque && m_bkColour != bk) {
        put(SetBkColor, Params().colour(op.brushColour));
        m_bkColour = bk;
    }
}

QByteArray dibOf(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    const int w = image.width();
    const int h = image.height();
    const int stride = (w * 3 + 3) & ~3;
    Params info;
    info.u32(40)
        .u32(quint32(w))
        .u32(quint32(h))
        .u16(1)
        .u16(24)
        .u32(0)
        .u32(quint32(stride * h))
        .u32(0)
        .u32(0)
        .u32(0)
        .u32(0);
    QByteArray dib = info.data();
    dib.reserve(dib.size() + stride * h);
    for (int y = h - 1; y >= 0; --y) {
        const uchar* line = image.constScanLine(y);
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            row[3 * x] = char(line[3 * x + 2]);
            row[3 * x + 1] = char(line[3 * x + 1]);
            row[3 * x + 2] = char(line[3 * x]);
        }
        dib += row;
    }
    return dib;
}

void WmfEncoder::playPicture(const PageOp& op)
{
    const WmfPicture& pic = *op.picture;
    if (pic.windowExtent.width() == 0 || pic.windowExtent.height() == 0) return;
    const QRectF target = QRectF(op.from, op.to).normalized();
    const double sx = target.width() / pic.windowExtent.width();
    const double sy = target.height() / pic.windowExtent.height();
    const QTransform t = QTransform::fromTranslate(-pic.windowOrigin.x(), -pic.windowOrigin.y()) *
                         QTransform::fromScale(sx, sy) * QTransform::fromTranslate(target.left(), target.top());
    for (PageOp inner : pic.ops) {
        inner.from = t.map(inner.from);
        inner.to = t.map(inner.to);
        inner.points = t.map(inner.points);
        inner.corner = QSize(qRound(inner.corner.width() * std::abs(sx)), qRound(inner.corner.height() * std::abs(sy)));
        inner.font.height = std::max(1, qRound(inner.font.height * std::abs(sy)));
        inner.penWidth = qRound(inner.penWidth * std::abs(sx));
        if (inner.kind != OpKind::Picture) play(inner);
    }
}

void WmfEncoder::play(const PageOp& op)
{
    switch (op.kind) {
    case OpKind::Text: {
        if (op.text.isEmpty() || op.textColour == kColourNone) return;
        selectText(op);
        const QByteArray text = text::toCp1252(op.text).left(16000);
        put(TextOut, Params().i16(text.size()).bytes(text).i16(op.from.y()).i16(op.from.x()));
        return;
    }
    case OpKind::Line:
        selectDrawing(op);
        put(MoveTo, Params().i16(op.from.y()).i16(op.from.x()));
        put(LineTo, Params().i16(op.to.y()).i16(op.to.x()));
        return;
    case OpKind::Rectangle:
    case OpKind::Ellipse:
        selectDrawing(op);
        put(op.kind == OpKind::Rectangle ? Rectangle : Ellipse,
            Params().i16(op.to.y()).i16(op.to.x()).i16(op.from.y()).i16(op.from.x()));
        return;
    case OpKind::RoundRect:
        selectDrawing(op);
        put(RoundRect, Params()
                           .i16(op.corner.height())
                           .i16(op.corner.width())
                           .i16(op.to.y())
                           .i16(op.to.x())
                           .i16(op.from.y())
                           .i16(op.from.x()));
        return;
    case OpKind::Polyline:
    case OpKind::Polygon: {
        selectDrawing(op);
        Params p;
        const qsizetype n = std::min<qsizetype>(op.points.size(), 16000);
        p.i16(n);
        for (qsizetype i = 0; i < n; ++i)
            p.i16(op.points[i].x()).i16(op.points[i].y());
        put(op.kind == OpKind::Polygon ? Polygon : Polyline, p);
        return;
    }
    case OpKind::Bitmap: {
        if (op.image.isNull()) return;
        const QRect dest = QRect(op.from, op.to - QPoint(1, 1)).normalized();
        Params p;
        p.u32(0x00CC0020).u16(0).i16(op.image.height()).i16(op.image.width()).i16(0).i16(0);
        p.i16(dest.height()).i16(dest.width()).i16(dest.top()).i16(dest.left());
        p.bytes(dibOf(op.image));
        put(StretchDib, p);
        return;
    }
    case OpKind::Picture:
        if (op.picture) playPicture(op);
        return;
    }
}

QByteArray WmfEncoder::finish(const QSize& box, int dpi)
{
    put(Eof);
    Params placeable;
    placeable.u32(kPlaceableKey).u16(0).i16(0).i16(0).i16(box.width()).i16(box.height()).u16(quint16(dpi)).u32(0);
    quint16 sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= qFromLittleEndian<quint16>(placeable.data().constData() + 2 * i);
    placeable.u16(sum);

    Params header;
    header.u16(1)
        .u16(9)
        .u16(0x0300)
        .u32(quint32(9 + m_records.size() / 2))
        .u16(quint16(std::max<size_t>(m_slots.size(), 1)));
    header.u32(m_maxRecord).u16(0);
    return placeable.data() + header.data() + m_records;
}

} // namespace

QByteArray writeWmf(const Page& page, const PageDevice& device)
{
    const QSize box = device.pageSizeDots();
    WmfEncoder out;
    out.put(SetMapMode, Params().u16(8));
    out.put(SetWindowOrg, Params().i16(0).i16(0));
    out.put(SetWindowExt, Params().i16(box.height()).i16(box.width()));
    out.put(SetBkMode, Params().u16(kTransparent));
    out.put(SetTextAlign, Params().u16(0));
    for (const PageOp& op : page.ops)
        out.play(op);
    return out.finish(box, device.dpiX);
}

QString savePageWmf(const PageDocument& doc, int number, const QString& path)
{
    if (number < 1 || number > doc.pageCount())
        return QStringLiteral("PageNumber must be between 1 and %1").arg(doc.pageCount());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("Cannot create the file %1: %2").arg(path, file.errorString());
    const QByteArray bytes = writeWmf(doc.pages[size_t(number - 1)], doc.device);
    if (file.write(bytes) != bytes.size() || !file.flush())
        return QStringLiteral("Cannot write the file %1: %2").arg(path, file.errorString());
    return {};
}

} // namespace tv::page
