#include "script/Lexer.h"

#include <cmath>

namespace tv::script {

namespace {

struct CompileText {
    int number;
    const char* text;
};

constexpr CompileText kCompileTexts[] = {
    {1001, "Out of memory"},
    {1002, "Syntax error"},
    {1003, "Expected ':'"},
    {1005, "Expected '('"},
    {1006, "Expected ')'"},
    {1010, "Expected identifier"},
    {1011, "Expected '='"},
    {1012, "Expected 'If'"},
    {1013, "Expected 'To'"},
    {1014, "Expected 'End'"},
    {1015, "Expected 'Function'"},
    {1016, "Expected 'Sub'"},
    {1017, "Expected 'Then'"},
    {1018, "Expected 'Wend'"},
    {1019, "Expected 'Loop'"},
    {1020, "Expected 'Next'"},
    {1021, "Expected 'Case'"},
    {1022, "Expected 'Select'"},
    {1023, "Expected expression"},
    {1024, "Expected statement"},
    {1025, "Expected end of statement"},
    {1026, "Expected integer constant"},
    {1027, "Expected 'While' or 'Until'"},
    {1029, "Expected 'With'"},
    {1030, "Identifier too long"},
    {1031, "Invalid number"},
    {1032, "Invalid character"},
    {1033, "Unterminated string constant"},
    {1037, "Invalid use of 'Me' keyword"},
    {1038, "'loop' without 'do'"},
    {1039, "Invalid 'exit' statement"},
    {1040, "Invalid 'for' loop control variable"},
    {1041, "Name redefined"},
    {1044, "Cannot use parentheses when calling a Sub"},
    {1045, "Expected literal constant"},
    {1046, "Expected 'In'"},
    {1047, "Expected 'Class'"},
    {1048, "Must be defined inside a Class"},
    {1049, "Expected Let or Set or Get in property declaration"},
    {1050, "Expected 'Property'"},
    {1052, "Cannot have multiple default property/method in a Class"},
    {1053, "Class initialize or terminate do not have arguments"},
    {1054, "Property set or let must have at least one argument"},
    {1055, "Unexpected 'Next'"},
    {1056, "'Default' can be specified only on 'Property' or 'Function' or 'Sub'"},
    {1057, "'Default' specification must also specify 'Public'"},
    {1058, "'Default' specification can only be on Property Get"},
};

bool isNameStart(QChar c)
{
    return c.isLetter();
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

} // namespace

QString compileErrorText(int number)
{
    for (const CompileText& t : kCompileTexts)
        if (t.number == number) return QString::fromLatin1(t.text);
    return QStringLiteral("Syntax error");
}

bool Lexer::fail(CompileError& error, int number, int column)
{
    error = {number, compileErrorText(number), m_line, column};
    return false;
}

void Lexer::skipToLineEnd()
{
    while (m_pos < m_text.size() && m_text[m_pos] != u'\n' && m_text[m_pos] != u'\r')
        ++m_pos;
}

bool Lexer::next(Token& token, CompileError& error)
{
    token = Token();
    for (;;) {
        const qsizetype before = m_pos;
        while (m_pos < m_text.size() && (m_text[m_pos] == u' ' || m_text[m_pos] == u'\t' || m_text[m_pos] == u'\0'))
            ++m_pos;
        token.spaceBefore = token.spaceBefore || m_pos > before;
        const QChar c = peekChar();
        if (c == u'\'') {
            skipToLineEnd();
            continue;
        }
        // " _" at a line end continues the statement on the next line.
        if (c == u'_' && (m_pos == 0 || !isNameChar(m_text[m_pos - 1]))) {
            qsizetype p = m_pos + 1;
            while (p < m_text.size() && (m_text[p] == u' ' || m_text[p] == u'\t'))
                ++p;
            if (p >= m_text.size() || m_text[p] == u'\n' || m_text[p] == u'\r') {
                m_pos = p;
                if (m_pos < m_text.size() && m_text[m_pos] == u'\r') ++m_pos;
                if (m_pos < m_text.size() && m_text[m_pos] == u'\n') ++m_pos;
                ++m_line;
                m_lineStart = m_pos;
                token.spaceBefore = true;
                continue;
            }
        }
        break;
    }
    token.line = m_line;
    token.column = int(m_pos - m_lineStart) + 1;
    if (m_pos >= m_text.size()) {
        token.kind = Token::End;
        return true;
    }
    const QChar c = m_text[m_pos];
    if (c == u'\n' || c == u'\r') {
        ++m_pos;
        if (c == u'\r' && peekChar() == u'\n') ++m_pos;
        ++m_line;
        m_lineStart = m_pos;
        token.kind = Token::NewLine;
        return true;
    }
    if (c == u':') {
        ++m_pos;
        token.kind = Token::Colon;
        return true;
    }
    if (c.isDigit() || (c == u'.' && peekChar(1).isDigit()) ||
        (c == u'&' && (peekChar(1) == u'H' || peekChar(1) == u'h' || peekChar(1) == u'O' || peekChar(1) == u'o')))
        return lexNumber(token, error);
    if (c == u'"') return lexString(token, error);
    if (c == u'#') return lexDate(token, error);
    if (c == u'[') {
        const qsizetype start = ++m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != u']' && m_text[m_pos] != u'\n' && m_text[m_pos] != u'\r')
            ++m_pos;
        if (peekChar() != u']') return fail(error, 1010, token.column);
        token.kind = Token::Name;
        token.text = m_text.mid(start, m_pos - start).toString();
        token.bracketed = true;
        ++m_pos;
        return true;
    }
    if (isNameStart(c)) {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && isNameChar(m_text[m_pos]))
            ++m_pos;
        if (m_pos - start > 255) return fail(error, 1030, token.column);
        token.kind = Token::Name;
        token.text = m_text.mid(start, m_pos - start).toString();
        if (token.text.compare(QLatin1String("rem"), Qt::CaseInsensitive) == 0) {
            skipToLineEnd();
            return next(token, error);
        }
        return true;
    }
    token.kind = Token::Op;
    static const char* const twoChar[] = {"<>", "<=", ">=", "=<", "=>"};
    for (const char* op : twoChar) {
        if (c == QLatin1Char(op[0]) && peekChar(1) == QLatin1Char(op[1])) {
            m_pos += 2;
            token.text = op[0] == '=' ? QString(QLatin1Char(op[1])) + QLatin1Char('=') : QString::fromLatin1(op);
            return true;
        }
    }
    if (QStringLiteral("+-*/\\^&=<>(),.").contains(c)) {
        ++m_pos;
        token.text = c;
        return true;
    }
    return fail(error, 1032, token.column);
}

bool Lexer::lexNumber(Token& token, CompileError& error)
{
    token.kind = Token::Number;
    if (m_text[m_pos] == u'&') {
        const bool hex = peekChar(1) == u'H' || peekChar(1) == u'h';
        m_pos += 2;
        uint64_t v = 0;
        int digits = 0;
        for (;; ++m_pos, ++digits) {
            const QChar c = peekChar().toLower();
            const int d = c.isDigit() ? c.digitValue() : (hex && c >= u'a' && c <= u'f') ? c.unicode() - 'a' + 10 : -1;
            if (d < 0 || d >= (hex ? 16 : 8)) break;
            v = v * (hex ? 16 : 8) + uint64_t(d);
            if (v > 0xFFFFFFFFull) return fail(error, 1031, token.column);
        }
        if (!digits) return fail(error, 1031, token.column);
        const bool longSuffix = peekChar() == u'&';
        if (longSuffix) ++m_pos;
        if (v <= 0xFFFF && !longSuffix)
            token.value = Variant::fromInteger(int16_t(uint16_t(v)));
        else
            token.value = Variant::fromLong(int32_t(uint32_t(v)));
        return true;
    }
    const qsizetype start = m_pos;
    bool isFloat = false;
    while (peekChar().isDigit())
        ++m_pos;
    if (peekChar() == u'.') {
        isFloat = true;
        ++m_pos;
        while (peekChar().isDigit())
            ++m_pos;
    }
    if ((peekChar() == u'e' || peekChar() == u'E') &&
        (peekChar(1).isDigit() || ((peekChar(1) == u'+' || peekChar(1) == u'-') && peekChar(2).isDigit()))) {
        isFloat = true;
        m_pos += 2;
        while (peekChar().isDigit())
            ++m_pos;
    }
    if (isNameChar(peekChar())) return fail(error, 1002, token.column);
    const QByteArray digits = m_text.mid(start, m_pos - start).toLatin1();
    bool ok = false;
    const double d = digits.toDouble(&ok);
    if (!ok || !std::isfinite(d)) return fail(error, 1031, token.column);
    if (!isFloat && d <= 2147483647.0)
        token.value = Variant::fromWhole(int64_t(d));
    else
        token.value = Variant::fromDouble(d);
    return true;
}

bool Lexer::lexString(Token& token, CompileError& error)
{
    token.kind = Token::String;
    QString s;
    for (++m_pos;; ++m_pos) {
        if (m_pos >= m_text.size() || m_text[m_pos] == u'\n' || m_text[m_pos] == u'\r')
            return fail(error, 1033, token.column);
        if (m_text[m_pos] == u'"') {
            if (peekChar(1) != u'"') break;
            ++m_pos;
        }
        s += m_text[m_pos];
    }
    ++m_pos;
    token.value = Variant(std::move(s));
    return true;
}

bool Lexer::lexDate(Token& token, CompileError& error)
{
    const qsizetype start = ++m_pos;
    while (m_pos < m_text.size() && m_text[m_pos] != u'#' && m_text[m_pos] != u'\n' && m_text[m_pos] != u'\r')
        ++m_pos;
    double serial;
    if (peekChar() != u'#' || !Variant::parseDate(m_text.mid(start, m_pos - start), serial))
        return fail(error, 1002, token.column);
    ++m_pos;
    token.kind = Token::Date;
    token.value = Variant::fromDate(serial);
    return true;
}

} // namespace tv::script
