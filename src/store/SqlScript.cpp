#include "store/SqlScript.h"

#include <optional>

namespace tv::store {

namespace {

class ScriptSplitter {
public:
    explicit ScriptSplitter(QStringView script) : m_text(script) {}

    SqlSplit split()
    {
        SqlSplit result;
        while (skipBlanksAndComments()) {
            const int startLine = m_line;
            const qsizetype start = m_at;
            qsizetype end = -1;
            if (!findTerminator(&end)) {
                result.ok = false;
                result.error = m_error.isEmpty()
                                   ? QStringLiteral("line %1: the statement has no terminator \"%2\"")
                                         .arg(startLine)
                                         .arg(m_term)
                                   : m_error;
                result.statements.clear();
                return result;
            }
            const QString text = m_text.sliced(start, end - start).trimmed().toString();
            if (const auto term = setTermArgument(text)) {
                if (term->isEmpty()) {
                    result.ok = false;
                    result.error = QStringLiteral("line %1: SET TERM names no terminator").arg(startLine);
                    result.statements.clear();
                    return result;
                }
                m_term = *term;
            } else if (!text.isEmpty()) {
                result.statements.append({text, startLine});
            }
        }
        if (!m_error.isEmpty()) {
            result.ok = false;
            result.error = m_error;
            result.statements.clear();
        }
        return result;
    }

private:
    static std::optional<QString> setTermArgument(const QString& statement)
    {
        const QStringList words = statement.simplified().split(QLatin1Char(' '));
        if (words.size() < 2 || words[0].compare(QLatin1String("SET"), Qt::CaseInsensitive) != 0 ||
            words[1].compare(QLatin1String("TERM"), Qt::CaseInsensitive) != 0)
            return std::nullopt;
        return words.size() == 3 ? words[2] : QString();
    }

    QChar peek(qsizetype offset = 0) const
    {
        const qsizetype at = m_at + offset;
        return at < m_text.size() ? m_text[at] : QChar();
    }

    void advance(qsizetype count = 1)
    {
        for (qsizetype i = 0; i < count && m_at < m_text.size(); ++i)
            if (m_text[m_at++] == u'\n')
                ++m_line;
    }

    bool skipComment()
    {
        if (peek() == u'-' && peek(1) == u'-') {
            while (m_at < m_text.size() && peek() != u'\n')
                advance();
            return true;
        }
        if (peek() == u'/' && peek(1) == u'*') {
            const int line = m_line;
            advance(2);
            while (m_at < m_text.size() && !(peek() == u'*' && peek(1) == u'/'))
                advance();
            if (m_at >= m_text.size()) {
                m_error = QStringLiteral("line %1: the comment is not closed").arg(line);
                return false;
            }
            advance(2);
            return true;
        }
        return false;
    }

    /// Moves past blanks and comments; false at the end of the script or on an open comment.
    bool skipBlanksAndComments()
    {
        for (;;) {
            while (m_at < m_text.size() && peek().isSpace())
                advance();
            if (m_at >= m_text.size())
                return false;
            if (!skipComment())
                return m_error.isEmpty();
        }
    }

    bool skipQuoted(QChar quote)
    {
        const int line = m_line;
        advance();
        for (;;) {
            if (m_at >= m_text.size()) {
                m_error = QStringLiteral("line %1: the quoted text is not closed").arg(line);
                return false;
            }
            if (peek() == quote) {
                advance();
                if (peek() != quote)
                    return true;
            }
            advance();
        }
    }

    bool findTerminator(qsizetype* end)
    {
        while (m_at < m_text.size()) {
            if (m_text.sliced(m_at).startsWith(m_term)) {
                *end = m_at;
                advance(m_term.size());
                return true;
            }
            const QChar c = peek();
            if (c == u'\'' || c == u'"') {
                if (!skipQuoted(c))
                    return false;
            } else if (skipComment()) {
                continue;
            } else if (!m_error.isEmpty()) {
                return false;
            } else {
                advance();
            }
        }
        return false;
    }

    QStringView m_text;
    qsizetype m_at = 0;
    int m_line = 1;
    QString m_term = QStringLiteral(";");
    QString m_error;
};

} // namespace

SqlSplit splitSqlScript(QStringView script)
{
    return ScriptSplitter(script).split();
}

StoreResult runSqlScript(Connection& connection, QStringView script)
{
    const SqlSplit split = splitSqlScript(script);
    if (!split.ok)
        return StoreResult::fail(QStringLiteral("The SQL script is malformed: ") + split.error);
    for (const SqlStatement& statement : split.statements) {
        StoreResult result = connection.execute(statement.text);
        if (!result.ok) {
            result.message = QStringLiteral("line %1: %2").arg(statement.line).arg(result.message);
            return result;
        }
    }
    return {};
}

} // namespace tv::store
