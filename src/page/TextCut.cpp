#include "page/TextCut.h"

#include "page/PageFonts.h"

namespace tv::page {

namespace {

bool isBreak(QChar c)
{
    return c.unicode() <= 0x20;
}

} // namespace

TextCut cutText(const QString& text, int room, const FontMeasure& measure, bool dropSpace)
{
    // Longest prefix that fits, by halving the range of lengths.
    qsizetype lo = 1;
    qsizetype hi = text.size();
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (measure.width(text.left(mid)) <= room)
            lo = mid;
        else
            hi = mid - 1;
    }
    qsizetype len = std::min(lo, text.size());
    if (len >= text.size())
        return {text, {}};
    if (isBreak(text[len])) {
        const qsizetype restFrom = dropSpace && text[len] == QLatin1Char(' ') ? len + 1 : len;
        return {text.left(len), text.mid(restFrom)};
    }
    for (qsizetype i = len - 1; i >= 0; --i) {
        if (isBreak(text[i])) {
            len = i + 1;
            break;
        }
    }
    return {text.left(len), text.mid(len)};
}

QString expandTabs(const QString& text)
{
    if (!text.contains(QLatin1Char('\t')))
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (QChar c : text) {
        if (c == QLatin1Char('\t'))
            out.append(QString(8 - out.size() % 8, QLatin1Char(' ')));
        else
            out.append(c);
    }
    return out;
}

} // namespace tv::page
