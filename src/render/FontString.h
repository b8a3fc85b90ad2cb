// The font strings of report programs: "name,size,styles,colour", where an empty field keeps that
// property. Fields are split the way the laboratory's scripts were always read (quotes allowed,
// a blank also ends a field), and a bad field fails after the fields before it took effect.
#pragma once

#include <QString>

namespace tv::page {
struct FontSpec;
}

namespace tv::render {

/// Applies a font string ("Arial,10,B,Red", ",12", "Times New Roman,,I") to `font`; returns an
/// error message or empty.
QString applyFontString(const QString& text, page::FontSpec& font);

} // namespace tv::render
