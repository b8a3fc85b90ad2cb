#include "page/WmfReader.h"

#include "page/WmfDib.h"
#include "page/WmfRecords.h"
#include "text/Cp1252.h"

#include <QFile>
#include <QtEndian>
#include <optional>

namespace tv::page {

namespace {

using namespace wmf;

constexpr size_t kMaxObjects = 4096;
constexpr size_t kMaxOps = 1 << 20;
constexpr size_t kMaxSavedStates = 64;

struct GdiObject {
    enum Type { Empty, Pen, Brush, FontObject, Other };
    explicit GdiObject(Type t = Empty, ColourValue c = 0, int w = 1, bool n = false)
        : type(t), colour(c), width(w), null(n)
    {
    }
    Type type;
    ColourValue colour;
    int width;
    bool null;
    OpFont font;
};

struct DcState {
    ColourValue textColour = 0;
    ColourValue bkColour = 0xFFFFFF;
    int bkMode = kOpaque;
    int textAlign = 0;
    QPoint position;
    GdiObject pen = GdiObject(GdiObject::Pen);
    GdiObject brush = GdiObject(GdiObject::Brush, kColourWhite);
    GdiObject font = GdiObject(GdiObject::FontObject);
};

/// One record's parameters; reads past the end give 0, so damaged records cannot overrun.
class Record {
public:
    Record(QByteArrayView params) : m_params(params) {}
    qsizetype words() const { return m_params.size() / 2; }
    quint16 u16(qsizetype i) const
    {
        return i >= 0 && 2 * i + 2 <= m_params.size() ? qFromLittleEndian<quint16>(m_params.data() + 2 * i) : 0;
    }
    int i16(qsizetype i) const { return qint16(u16(i)); }
    quint32 u32(qsizetype i) const { return u16(i) | quint32(u16(i + 1)) << 16; }
    ColourValue colour(qsizetype i) const { return u32(i) & 0xFFFFFF; }
    QPoint pointYX(qsizetype i) const { return {i16(i + 1), i16(i)}; }
    QByteArrayView bytes(qsizetype fromWord, qsizetype length) const
    {
        const qsizetype start = 2 * fromWord;
        if (start < 0 || length < 0 || start > m_params.size()) return {};
        return m_params.sliced(start, std::min(length, m_params.size() - start));
    }

private:
    QByteArrayView m_params;
};

class WmfParser {
public:
    void run(QByteArrayView records);
    WmfPicture m_picture;
    bool m_windowSet = false;

private:
    void handle(quint16 function, const Record& r);
    void create(const GdiObject& object);
    void select(int index);
    void addShape(OpKind kind, QPoint from, QPoint to);
    void addText(QPoint at, const QByteArray& bytes);
    void addPoints(OpKind kind, const QPolygon& points);
    void addBitmap(const Record& r, qsizetype dibWord, QRect src, QRect dest);
    void add(PageOp op);

    DcState m_dc;
    std::vector<DcState> m_saved;
    std::vector<GdiObject> m_objects;
};

void WmfParser::add(PageOp op)
{
    if (m_picture.ops.size() < kMaxOps) m_picture.ops.push_back(std::move(op));
}

void WmfParser::create(const GdiObject& object)
{
    for (GdiObject& slot : m_objects) {
        if (slot.type == GdiObject::Empty) {
            slot = object;
            return;
        }
    }
    if (m_objects.size() < kMaxObjects) m_objects.push_back(object);
}

void WmfParser::select(int index)
{
    if (index < 0 || size_t(index) >= m_objects.size()) return;
    const GdiObject& o = m_objects[size_t(index)];
    if (o.type == GdiObject::Pen)
        m_dc.pen = o;
    else if (o.type == GdiObject::Brush)
        m_dc.brush = o;
    else if (o.type == GdiObject::FontObject)
        m_dc.font = o;
}

void WmfParser::addShape(OpKind kind, QPoint from, QPoint to)
{
    PageOp op;
    op.kind = kind;
    op.from = from;
    op.to = to;
    op.penColour = m_dc.pen.colour;
    op.penWidth = m_dc.pen.width;
    op.penNull = m_dc.pen.null;
    op.brushSolid = !m_dc.brush.null;
    op.brushColour = m_dc.brush.colour;
    add(std::move(op));
}

void WmfParser::addPoints(OpKind kind, const QPolygon& points)
{
    addShape(kind, {}, {});
    if (!m_picture.ops.empty()) m_picture.ops.back().points = points;
}

void WmfParser::addText(QPoint at, const QByteArray& bytes)
{
    if (bytes.isEmpty()) return;
    PageOp op;
    op.kind = OpKind::Text;
    op.from = (m_dc.textAlign & 1) ? m_dc.position : at;
    op.text = text::fromCp1252(bytes);
    op.textAlign = m_dc.textAlign & (AlignCentre | AlignBaseline);
    op.font = m_dc.font.font;
    op.textColour = m_dc.textColour;
    op.brushSolid = m_dc.bkMode == kOpaque;
    op.brushColour = m_dc.bkColour;
    add(std::move(op));
}

void WmfParser::addBitmap(const Record& r, qsizetype dibWord, QRect src, QRect dest)
{
    QImage image = decodeDib(r.bytes(dibWord, 2 * r.words()));
    if (image.isNull()) return;
    // Source rows count from the bottom of the bitmap.
    const QRect flipped(src.x(), image.height() - src.y() - src.height(), src.width(), src.height());
    if (flipped != image.rect() && image.rect().contains(flipped.normalized()))
        image = image.copy(flipped.normalized());
    PageOp op;
    op.kind = OpKind::Bitmap;
    op.from = dest.topLeft();
    op.to = dest.topLeft() + QPoint(dest.width(), dest.height());
    op.image = image;
    add(std::move(op));
}

void WmfParser::handle(quint16 function, const Record& r)
{
    switch (function) {
    case SaveDc:
        if (m_saved.size() < kMaxSavedStates) m_saved.push_back(m_dc);
        break;
    case RestoreDc: {
        const int n = r.i16(0);
        const qsizetype keep = n < 0 ? qsizetype(m_saved.size()) + n : n;
        if (keep >= 0 && keep < qsizetype(m_saved.size())) {
            m_dc = m_saved[size_t(keep)];
            m_saved.resize(size_t(keep));
        }
        break;
    }
    case SetBkMode:
        m_dc.bkMode = r.u16(0);
        break;
    case SetTextAlign:
        m_dc.textAlign = r.u16(0);
        break;
    case SetBkColor:
        m_dc.bkColour = r.colour(0);
        break;
    case SetTextColor:
        m_dc.textColour = r.colour(0);
        break;
    case SetWindowOrg:
        m_picture.windowOrigin = r.pointYX(0);
        break;
    case SetWindowExt:
        m_picture.windowExtent = QSize(r.i16(1), r.i16(0));
        m_windowSet = true;
        break;
    case MoveTo:
        m_dc.position = r.pointYX(0);
        break;
    case LineTo:
        addShape(OpKind::Line, m_dc.position, r.pointYX(0));
        m_dc.position = r.pointYX(0);
        break;
    case Rectangle:
    case Ellipse:
        addShape(function == Rectangle ? OpKind::Rectangle : OpKind::Ellipse, r.pointYX(2), r.pointYX(0));
        break;
    case RoundRect:
        addShape(OpKind::RoundRect, r.pointYX(4), r.pointYX(2));
        if (!m_picture.ops.empty()) m_picture.ops.back().corner = QSize(r.i16(1), r.i16(0));
        break;
    case Polyline:
    case Polygon: {
        QPolygon points;
        const int n = std::min<int>(r.u16(0), int((r.words() - 1) / 2));
        for (int i = 0; i < n; ++i)
            points << QPoint(r.i16(1 + 2 * i), r.i16(2 + 2 * i));
        addPoints(function == Polygon ? OpKind::Polygon : OpKind::Polyline, points);
        break;
    }
    case PolyPolygon: {
        const int polygons = r.u16(0);
        qsizetype at = 1 + polygons;
        for (int p = 0; p < polygons && at < r.words(); ++p) {
            QPolygon points;
            const int n = std::min<int>(r.u16(1 + p), int((r.words() - at) / 2));
            for (int i = 0; i < n; ++i, at += 2)
                points << QPoint(r.i16(at), r.i16(at + 1));
            addPoints(OpKind::Polygon, points);
        }
        break;
    }
    case TextOut: {
        const int length = r.i16(0);
        const qsizetype after = 1 + (qsizetype(std::max(length, 0)) + 1) / 2;
        addText(r.pointYX(after), r.bytes(1, std::max(length, 0)).toByteArray());
        break;
    }
    case ExtTextOut: {
        const int length = r.i16(2);
        const bool rect = r.u16(3) & 0x6;
        addText(r.pointYX(0), r.bytes(rect ? 8 : 4, std::max(length, 0)).toByteArray());
        break;
    }
    case CreatePenIndirect: {
        GdiObject pen(GdiObject::Pen, r.colour(3), r.i16(1), (r.u16(0) & 0xF) == kPenNull);
        create(pen);
        break;
    }
    case CreateBrushIndirect: {
        GdiObject brush(GdiObject::Brush, r.colour(1), 1, r.u16(0) == kBrushNull);
        create(brush);
        break;
    }
    case CreateFontIndirect: {
        GdiObject font(GdiObject::FontObject);
        const int height = r.i16(0);
        // A positive height is the cell height; the em is about nine tenths of it.
        font.font.height = height < 0 ? -height : (height * 9 + 5) / 10;
        font.font.weight = r.i16(4);
        font.font.italic = r.u16(5) & 0xFF;
        font.font.underline = r.u16(5) >> 8;
        font.font.strikeOut = r.u16(6) & 0xFF;
        QByteArray face = r.bytes(9, 32).toByteArray();
        face.truncate(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0'));
        font.font.family = text::fromCp1252(face);
        create(font);
        break;
    }
    case CreatePalette:
    case CreatePatternBrush:
    case DibCreatePatternBrush:
    case CreateRegion:
        create(GdiObject(GdiObject::Other));
        break;
    case SelectObject:
        select(r.u16(0));
        break;
    case DeleteObject:
        if (r.u16(0) < m_objects.size()) m_objects[r.u16(0)] = GdiObject();
        break;
    case StretchDib:
        addBitmap(r, 11, QRect(r.i16(6), r.i16(5), r.i16(4), r.i16(3)), QRect(r.i16(10), r.i16(9), r.i16(8), r.i16(7)));
        break;
    case DibStretchBlt:
        if (r.words() > 10)
            addBitmap(r, 10, QRect(r.i16(5), r.i16(4), r.i16(3), r.i16(2)),
                      QRect(r.i16(9), r.i16(8), r.i16(7), r.i16(6)));
        break;
    case DibBitBlt:
        if (r.words() > 9)
            addBitmap(r, 9, QRect(r.i16(3), r.i16(2), r.i16(5), r.i16(4)),
                      QRect(r.i16(7), r.i16(6), r.i16(5), r.i16(4)));
        break;
    default:
        break; // records a page picture does not need
    }
}

void WmfParser::run(QByteArrayView records)
{
    qsizetype at = 0;
    while (at + 6 <= records.size()) {
        const quint32 words = qFromLittleEndian<quint32>(records.data() + at);
        const quint16 function = qFromLittleEndian<quint16>(records.data() + at + 4);
        if (function == Eof || words < 3 || qint64(words) * 2 > records.size() - at) break;
        handle(function, Record(records.sliced(at + 6, qsizetype(words) * 2 - 6)));
        at += qsizetype(words) * 2;
    }
}

} // namespace

WmfReadResult readWmf(QByteArrayView bytes)
{
    WmfParser parser;
    qsizetype at = 0;
    QRect box;
    if (bytes.size() >= 22 && qFromLittleEndian<quint32>(bytes.data()) == kPlaceableKey) {
        const Record head(bytes.sliced(6, 10));
        box = QRect(QPoint(head.i16(0), head.i16(1)), QPoint(head.i16(2), head.i16(3)));
        parser.m_picture.unitsPerInch = head.u16(4);
        at = 22;
    }
    if (bytes.size() - at < 18) return {nullptr, QStringLiteral("The file is not a Windows metafile")};
    const Record header(bytes.sliced(at, 18));
    if ((header.u16(0) != 1 && header.u16(0) != 2) || header.u16(1) != 9)
        return {nullptr, QStringLiteral("The file is not a Windows metafile")};
    parser.run(bytes.sliced(at + 18));

    WmfPicture& picture = parser.m_picture;
    if (!parser.m_windowSet) {
        picture.windowOrigin = box.topLeft();
        picture.windowExtent = QSize(box.right() - box.left(), box.bottom() - box.top());
    }
    if (picture.windowExtent.width() == 0 || picture.windowExtent.height() == 0)
        return {nullptr, QStringLiteral("The metafile has no picture size")};
    return {std::make_shared<WmfPicture>(std::move(picture)), {}};
}

WmfReadResult readWmfFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {nullptr, QStringLiteral("Cannot open the metafile %1: %2").arg(path, file.errorString())};
    return readWmf(file.readAll());
}

} // namespace tv::page
