#include "page/PageFonts.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tv::page {

QString physicalFamily(const QString& name)
{
    static const struct {
        const char* name;
        const char* face;
    } kFaces[] = {
        {"courier new", "Liberation Mono"},      {"courier", "Liberation Mono"},
        {"times new roman", "Liberation Serif"}, {"times", "Liberation Serif"},
        {"arial", "Liberation Sans"},            {"helvetica", "Liberation Sans"},
        {"ms sans serif", "Liberation Sans"},    {"tahoma", "Liberation Sans"},
        {"verdana", "Liberation Sans"},
    };
    const QString key = name.trimmed().toLower();
    for (const auto& f : kFaces) {
        if (key == QLatin1String(f.name))
            return QLatin1String(f.face);
    }
    return name;
}

OpFont opFontFor(const FontSpec& spec, int dpi)
{
    OpFont f;
    f.family = spec.name;
    // As GDI's MulDiv: size x dpi / 72, halves away from zero.
    const long long num = std::llabs(static_cast<long long>(spec.size)) * dpi;
    f.height = int(std::min<long long>((2 * num + 72) / 144, 1 << 20));
    f.weight = spec.bold ? 700 : 400;
    f.italic = spec.italic;
    f.underline = spec.underline;
    return f;
}

QFont qFontFor(const OpFont& font)
{
    QFont q(physicalFamily(font.family));
    q.setPixelSize(std::clamp(font.height, 1, 1 << 16));
    q.setWeight(QFont::Weight(std::clamp(font.weight, 1, 1000)));
    q.setItalic(font.italic);
    q.setUnderline(font.underline);
    q.setStrikeOut(font.strikeOut);
    q.setKerning(false);
    q.setHintingPreference(QFont::PreferNoHinting);
    q.setStyleStrategy(QFont::PreferOutline);
    return q;
}

struct FontMeasure::Impl {
    explicit Impl(const OpFont& font) : metrics(qFontFor(font)), empty(font.height <= 0) {}
    QFontMetricsF metrics;
    bool empty;
};

FontMeasure::FontMeasure(const OpFont& font) : m_impl(std::make_unique<Impl>(font)) {}
FontMeasure::~FontMeasure() = default;
FontMeasure::FontMeasure(FontMeasure&&) noexcept = default;
FontMeasure& FontMeasure::operator=(FontMeasure&&) noexcept = default;

int FontMeasure::width(const QString& text) const
{
    if (m_impl->empty || text.isEmpty())
        return 0;
    return int(std::lround(m_impl->metrics.horizontalAdvance(text)));
}

int FontMeasure::height() const
{
    return m_impl->empty ? 0 : int(std::lround(m_impl->metrics.ascent() + m_impl->metrics.descent()));
}

double FontMeasure::ascent() const
{
    return m_impl->empty ? 0 : m_impl->metrics.ascent();
}

} // namespace tv::page
