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
    qsizetype len = std::min(std::max<qsizetype>(measure.fitLength(text, room), 1), text.size());
    if (len >= text.size()) return {text, {}};
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
    if (!text.contains(QLatin1Char('\t'))) return text;
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
