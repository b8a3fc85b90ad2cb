// The document model: pages of recorded drawing operations in device dots relative to the
// printable origin. One plain struct covers every kind so pages can be compared, played to a
// painter, written to WMF and read back from WMF without a class hierarchy.
#pragma once

#include "page/PageColour.h"
#include "page/PageDevice.h"

#include <QImage>
#include <QPoint>
#include <QPolygon>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

namespace tv::page {

struct WmfPicture;

/// A font as drawn: the family as the caller named it, the em height in the op's units.
struct OpFont {
    QString family = QStringLiteral("Courier New");
    int height = 0; ///< em height (> 0); text is measured and drawn at this pixel size
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const OpFont&) const = default;
};

enum class OpKind { Text, Line, Rectangle, RoundRect, Ellipse, Polyline, Polygon, Bitmap, Picture };

/// Text alignment flags as in metafiles; the page printer always records top-left.
enum TextAlign { AlignTopLeft = 0, AlignRight = 2, AlignCentre = 6, AlignBottom = 8, AlignBaseline = 24 };

struct PageOp {
    OpKind kind = OpKind::Text;
    QPoint from;     ///< text: reference point; line: start; shapes, bitmaps, pictures: first corner
    QPoint to;       ///< line: end; shapes, bitmaps, pictures: opposite corner (exclusive)
    QSize corner;    ///< round rectangle: width and height of the corner ellipse
    QPolygon points; ///< polyline, polygon
    QString text;
    int textAlign = AlignTopLeft;
    OpFont font;
    ColourValue textColour = kColourBlack;
    ColourValue penColour = kColourBlack;
    int penWidth = 1;
    bool penNull = false;
    bool brushSolid = false; ///< shapes: filled; text: drawn on an opaque background
    ColourValue brushColour = kColourWhite;
    QImage image;
    std::shared_ptr<const WmfPicture> picture;
};

struct Page {
    std::vector<PageOp> ops;
};

struct PageDocument {
    PageDevice device;
    std::vector<Page> pages;
    QString title;
    int pageCount() const { return int(pages.size()); }
};

/// A metafile's drawing in its own logical units; drawn stretched from `window` into a rectangle.
struct WmfPicture {
    QPoint windowOrigin;
    QSize windowExtent;
    int unitsPerInch = 0; ///< from the placeable header, 0 when there was none
    std::vector<PageOp> ops;
};

} // namespace tv::page
