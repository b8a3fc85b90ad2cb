#include "page/PageColour.h"

#include <array>
#include <limits>

namespace tv::page {

namespace {

struct NamedColour {
    const char* name;
    ColourValue value;
};

constexpr std::array<NamedColour, 42> kNames{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clNone", 0x1FFFFFFF},
    {"clScrollBar", 0x80000000},
    {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},
    {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},
    {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A},
    {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},
    {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},
    {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},
    {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},
    {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},
    {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
}};

// The classic Windows display scheme, fixed so every machine draws the same.
constexpr std::array<QRgb, 25> kSystem{{
    0xD4D0C8, 0x3A6EA5, 0x0A246A, 0x808080, 0xD4D0C8, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xD4D0C8, 0xD4D0C8, 0x808080, 0x0A246A, 0xFFFFFF, 0xD4D0C8, 0x808080, 0x808080,
    0x000000, 0xD4D0C8, 0xFFFFFF, 0x404040, 0xD4D0C8, 0x000000, 0xFFFFE1,
}};

} // namespace

std::optional<ColourValue> parseColour(const QString& text)
{
    const QString t = text.trimmed();
    for (const NamedColour& c : kNames) {
        if (t.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) return c.value;
    }
    bool ok = false;
    if (t.startsWith(QLatin1Char('$'))) {
        const QString digits = t.mid(1);
        if (digits.size() > 8) return std::nullopt;
        const uint v = digits.toUInt(&ok, 16);
        return ok ? std::optional<ColourValue>(v) : std::nullopt;
    }
    const qint64 v = t.toLongLong(&ok, 10);
    if (!ok || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<quint32>::max()) return std::nullopt;
    return ColourValue(quint32(v));
}

QColor resolveColour(ColourValue value)
{
    if (value == kColourNone) return QColor(Qt::transparent);
    if (value & 0x80000000u) {
        const uint n = value & 0xFF;
        return QColor(n < kSystem.size() ? kSystem[n] : 0);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace tv::page
