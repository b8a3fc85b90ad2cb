#include "page/PageFonts.h"

#include <QFontMetricsF>
#include <QHash>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace tv::page {

QString physicalFamily(const QString& name)
{
    static const struct {
        const char* name;
        const char* face;
    } kFaces[] = {
        {"courier new", "Liberation Mono"},   {"courier", "Liberation Mono"}, {"times new roman", "Liberation Serif"},
        {"times", "Liberation Serif"},        {"arial", "Liberation Sans"},   {"helvetica", "Liberation Sans"},
        {"ms sans serif", "Liberation Sans"}, {"tahoma", "Liberation Sans"},  {"verdana", "Liberation Sans"},
    };
    const QString key = name.trimmed().toLower();
    for (const auto& f : kFaces) {
        if (key == QLatin1String(f.name)) return QLatin1String(f.face);
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
    explicit Impl(const OpFont& font) : metrics(qFontFor(font)), empty(font.height <= 0) { latin.fill(-1); }
    double advance(QChar c)
    {
        if (c.unicode() < latin.size()) {
            double& a = latin[c.unicode()];
            if (a < 0) a = metrics.horizontalAdvance(c);
            return a;
        }
        const auto it = other.constFind(c.unicode());
        return it != other.cend() ? *it : *other.insert(c.unicode(), metrics.horizontalAdvance(c));
    }
    QFontMetricsF metrics;
    bool empty;
    std::array<double, 256> latin;
    QHash<char16_t, double> other;
};

FontMeasure::FontMeasure(const OpFont& font) : m_impl(std::make_unique<Impl>(font)) {}
FontMeasure::~FontMeasure() = default;
FontMeasure::FontMeasure(FontMeasure&&) noexcept = default;
FontMeasure& FontMeasure::operator=(FontMeasure&&) noexcept = default;

int FontMeasure::width(const QString& text) const
{
    if (m_impl->empty) return 0;
    double sum = 0;
    for (QChar c : text)
        sum += m_impl->advance(c);
    return int(std::lround(sum));
}

qsizetype FontMeasure::fitLength(const QString& text, int room) const
{
    if (m_impl->empty) return text.size();
    double sum = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        sum += m_impl->advance(text[i]);
        if (std::lround(sum) > room) return i;
    }
    return text.size();
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
