// Record functions and constants of 16-bit Windows metafiles shared by the reader and the writer.
#pragma once

#include <cstdint>

namespace tv::page::wmf {

inline constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;

enum Function : std::uint16_t {
    Eof = 0x0000,
    SaveDc = 0x001E,
    CreatePalette = 0x00F7,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DibCreatePatternBrush = 0x0142,
    DeleteObject = 0x01F0,
    CreatePatternBrush = 0x01F9,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    CreateRegion = 0x06FF,
    DibBitBlt = 0x0940,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
};

inline constexpr int kTransparent = 1;
inline constexpr int kOpaque = 2;
inline constexpr int kPenSolid = 0;
inline constexpr int kPenNull = 5;
inline constexpr int kBrushSolid = 0;
inline constexpr int kBrushNull = 1;

} // namespace tv::page::wmf
