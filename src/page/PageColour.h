// Colour values of the page model: 0x00BBGGRR integers, system display colours as
// 0x80000000 + n resolved only when drawn, and a "none" value. Names follow the cl... table.
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <optional>

namespace tv::page {

using ColourValue = std::uint32_t;

inline constexpr ColourValue kColourBlack = 0x000000;
inline constexpr ColourValue kColourWhite = 0xFFFFFF;
inline constexpr ColourValue kColourNone = 0x1FFFFFFF;
inline constexpr ColourValue kColourWindowText = 0x80000008;

/// Reads a colour name (case-insensitive, "cl" prefix required), a decimal integer or "$" hex.
std::optional<ColourValue> parseColour(const QString& text);

/// The colour to draw with; system colours map to a fixed classic palette so output is the same
/// on every machine. "None" gives a transparent colour.
QColor resolveColour(ColourValue value);

} // namespace tv::page
