#include "render/FontString.h"

#include "page/PageFonts.h"

#include <QStringList>

namespace tv::render {

namespace {

// Comma-separated fields as the font strings were always read: a field may be quoted ("" for a
// quote inside), an unquoted field ends at a comma or at a blank or control character.
QStringList splitFields(const QString& text)
{
    QStringList fields;
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && text[i] <= QLatin1Char(' ') && text[i] != QChar(0))
            ++i;
    };
    skipBlanks();
    while (i < text.size()) {
        QString field;
        if (text[i] == QLatin1Char('"')) {
            ++i;
            while (i < text.size()) {
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
        } else {
            const qsizetype start = i;
            while (i < text.size() && text[i] > QLatin1Char(' ') && text[i] != QLatin1Char(','))
                ++i;
            field = text.mid(start, i - start);
        }
        fields.append(field);
        skipBlanks();
        if (i < text.size() && text[i] == QLatin1Char(',')) {
            if (i + 1 == text.size()) fields.append(QString());
            ++i;
            skipBlanks();
        }
    }
    return fields;
}

} // namespace

QString applyFontString(const QString& text, page::FontSpec& font)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma < 0) return QStringLiteral("The font \"%1\" is not of the form name,size,styles,colour.").arg(text);
    if (comma > 0) font.name = text.left(comma);
    const QStringList fields = splitFields(text.mid(comma));
    const auto field = [&](int n) { return n < fields.size() ? fields[n].trimmed() : QString(); };
    if (const QString size = field(1); !size.isEmpty()) {
        bool ok = false;
        const int points = size.toInt(&ok);
        if (!ok) return QStringLiteral("'%1' is not a valid integer value").arg(size);
        font.size = points;
    }
    for (const QChar c : field(2)) {
        if (c == QLatin1Char('*'))
            font.bold = font.italic = font.underline = false;
        else if (c == QLatin1Char('B'))
            font.bold = true;
        else if (c == QLatin1Char('I'))
            font.italic = true;
        else if (c == QLatin1Char('U'))
            font.underline = true;
    }
    if (QString colour = field(3); !colour.isEmpty()) {
        if (colour == QLatin1String("*")) {
            font.colour = page::kColourBlack;
        } else {
            if (!colour.contains(QLatin1Char('$')) && !colour.startsWith(QLatin1String("cl"), Qt::CaseInsensitive))
                colour.prepend(QLatin1String("cl"));
            const auto value = page::parseColour(colour);
            if (!value) return QStringLiteral("'%1' is not a valid colour").arg(colour);
            font.colour = *value;
        }
    }
    return {};
}

} // namespace tv::render
