#include "script/library/RegexSyntax.h"

#include <QRegularExpression>

namespace tv::script::lib {

namespace {

const QString kNotTerminator = QStringLiteral("[^\\n\\r\\x{2028}\\x{2029}]");

bool isHex(QChar c)
{
    return c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f');
}

bool hexRun(const QString& p, qsizetype from, int count)
{
    if (from + count > p.size())
        return false;
    for (int k = 0; k < count; ++k)
        if (!isHex(p[from + k]))
            return false;
    return true;
}

// One escape sequence starting at p[i] == '\\'; returns the PCRE form and advances i past it.
QString escape(const QString& p, qsizetype& i, bool inClass)
{
    if (i + 1 >= p.size()) {
        ++i;
        return QStringLiteral("\\\\");
    }
    const QChar c = p[i + 1];
    i += 2;
    switch (c.unicode()) {
    case 'u':
        if (hexRun(p, i, 4)) {
            const QString code = p.mid(i, 4);
            i += 4;
            return QStringLiteral("\\x{") + code + u'}';
        }
        return QStringLiteral("u");
    case 'x':
        if (hexRun(p, i, 2)) {
            const QString code = p.mid(i, 2);
            i += 2;
            return QStringLiteral("\\x{") + code + u'}';
        }
        return QStringLiteral("x");
    case 'v':
        return QStringLiteral("\\x{0B}");
    case 'b':
        return inClass ? QStringLiteral("\\x{08}") : QStringLiteral("\\b");
    case '0':
        if (i >= p.size() || !p[i].isDigit())
            return QStringLiteral("\\x{00}");
        break;
    case 'c':
        if (i < p.size() && p[i].isLetter()) {
            const QChar letter = p[i++];
            return QStringLiteral("\\x{") + QString::number(letter.toUpper().unicode() % 32, 16) + u'}';
        }
        return QStringLiteral("\\\\c");
    default:
        break;
    }
    static const QString kKnown = QStringLiteral("dDwWsSBfnrt123456789");
    if (c.isLetterOrNumber() && !kKnown.contains(c))
        return QRegularExpression::escape(QString(c)); // identity escape: the character itself
    if (c.isDigit() && inClass)
        return QStringLiteral("\\x{") + QString::number(c.digitValue(), 16) + u'}';
    return u'\\' + QString(c);
}

} // namespace

QString translatePattern(const QString& p, bool multiLine)
{
    QString out;
    out.reserve(p.size() * 2);
    qsizetype i = 0;
    while (i < p.size()) {
        const QChar c = p[i];
        if (c == u'\\') {
            out += escape(p, i, false);
        } else if (c == u'[') {
            ++i;
            const bool negated = i < p.size() && p[i] == u'^';
            if (negated)
                ++i;
            QString body;
            while (i < p.size() && p[i] != u']') {
                if (p[i] == u'\\')
                    body += escape(p, i, true);
                else if (p[i] == u'[')
                    body += QStringLiteral("\\["), ++i;
                else
                    body += p[i++];
            }
            if (i < p.size())
                ++i;
            else
                return QStringLiteral("["); // unterminated class: let the compiler report it
            if (body.isEmpty())
                out += negated ? QStringLiteral("[\\s\\S]") : QStringLiteral("(?!)");
            else
                out += (negated ? QStringLiteral("[^") : QStringLiteral("[")) + body + u']';
        } else if (c == u'.') {
            out += kNotTerminator;
            ++i;
        } else if (c == u'^') {
            out += multiLine ? QStringLiteral("(?<!") + kNotTerminator + u')' : QStringLiteral("\\A");
            ++i;
        } else if (c == u'$') {
            out += multiLine ? QStringLiteral("(?!") + kNotTerminator + u')' : QStringLiteral("\\z");
            ++i;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

QString expandReplacement(const QString& with, const QRegularExpressionMatch& m, const QString& subject)
{
    if (!with.contains(u'$'))
        return with;
    const int groups = m.lastCapturedIndex() < 0 ? 0 : m.regularExpression().captureCount();
    QString out;
    for (qsizetype i = 0; i < with.size(); ++i) {
        const QChar c = with[i];
        if (c != u'$' || i + 1 >= with.size()) {
            out += c;
            continue;
        }
        const QChar n = with[i + 1];
        if (n == u'$') {
            out += u'$';
            ++i;
        } else if (n == u'&') {
            out += m.captured(0);
            ++i;
        } else if (n == u'`') {
            out += subject.left(m.capturedStart(0));
            ++i;
        } else if (n == u'\'') {
            out += subject.mid(m.capturedEnd(0));
            ++i;
        } else if (n.isDigit()) {
            const int one = n.digitValue();
            const int two = i + 2 < with.size() && with[i + 2].isDigit() ? one * 10 + with[i + 2].digitValue() : -1;
            if (two >= 1 && two <= groups) {
                out += m.captured(two);
                i += 2;
            } else if (one >= 1 && one <= groups) {
                out += m.captured(one);
                i += 1;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace tv::script::lib
