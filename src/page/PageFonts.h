// Fonts for layout and drawing. Windows family names map explicitly onto the metric-compatible
// Liberation faces and text is measured unhinted at the device's pixel size, so measuring and
// drawing agree and give the same widths on every machine.
#pragma once

#include "page/PageOp.h"

#include <QFont>
#include <QString>
#include <memory>

namespace tv::page {

/// A font as the page printer holds it: size in points, independent of the device.
struct FontSpec {
    QString name = QStringLiteral("Courier New");
    int size = 10; ///< points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    ColourValue colour = kColourWindowText;
    bool operator==(const FontSpec&) const = default;
};

/// The family actually used for `name` ("Courier New" -> "Liberation Mono", ...).
QString physicalFamily(const QString& name);

/// `spec` at `dpi` dots per inch: em height = size x dpi / 72, rounded.
OpFont opFontFor(const FontSpec& spec, int dpi);

/// The QFont that draws and measures `font` (pixel size = em height, unhinted, no kerning).
QFont qFontFor(const OpFont& font);

/// Measures text in one font; widths and heights in the font's units, rounded. Widths are sums of
/// cached character advances: with kerning off that equals the shaped width and keeps layout fast.
class FontMeasure {
public:
    explicit FontMeasure(const OpFont& font);
    ~FontMeasure();
    FontMeasure(FontMeasure&&) noexcept;
    FontMeasure& operator=(FontMeasure&&) noexcept;

    int width(const QString& text) const;
    /// The length of the longest prefix of `text` whose width does not exceed `room`.
    qsizetype fitLength(const QString& text, int room) const;
    int height() const; ///< ascent + descent (the height of a line of text)
    double ascent() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tv::page
