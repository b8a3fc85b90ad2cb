#include "lab/StatementGuard.h"

#include <QList>
#include <QSet>

namespace tv::lab {

namespace {

struct Token {
    enum Kind { Word, QuotedName, String, Number, Symbol };
    Kind kind;
    qsizetype start;
    qsizetype length;
    QString text; ///< words in upper case, quoted names without their quotes
};

bool isWordStart(QChar c)
{
    return (c.isLetter() && c.unicode() < 128) || c == QLatin1Char('_');
}

bool isWordChar(QChar c)
{
    return isWordStart(c) || (c.isDigit() && c.unicode() < 128) || c == QLatin1Char('$');
}

// Splits SQL into tokens; comments and blanks vanish. Empty result with `error` on an
// unterminated string, name or comment.
QList<Token> tokenize(const QString& sql, QString* error)
{
    QList<Token> tokens;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            while (i < n && sql[i] != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
            const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
            if (end < 0) {
                *error = QStringLiteral("unterminated comment");
                return {};
            }
            i = end + 2;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype j = i + 1;
            QString text;
            for (;;) {
                if (j >= n) {
                    *error = c == QLatin1Char('\'') ? QStringLiteral("unterminated string")
                                                    : QStringLiteral("unterminated quoted name");
                    return {};
                }
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        text += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                text += sql[j++];
            }
            tokens.append({c == QLatin1Char('\'') ? Token::String : Token::QuotedName, i, j + 1 - i, text});
            i = j + 1;
        } else if (isWordStart(c)) {
            qsizetype j = i;
            while (j < n && isWordChar(sql[j]))
                ++j;
            tokens.append({Token::Word, i, j - i, sql.mid(i, j - i).toUpper()});
            i = j;
        } else if (c.isDigit()) {
            qsizetype j = i;
            while (j < n && (isWordChar(sql[j]) || sql[j] == QLatin1Char('.')))
                ++j;
            tokens.append({Token::Number, i, j - i, sql.mid(i, j - i)});
            i = j;
        } else {
            tokens.append({Token::Symbol, i, 1, QString(c)});
            ++i;
        }
    }
    return tokens;
}

bool isWord(const QList<Token>& tokens, qsizetype i, const char* word)
{
    return i < tokens.size() && tokens[i].kind == Token::Word && tokens[i].text == QLatin1String(word);
}

bool isSymbol(const QList<Token>& tokens, qsizetype i, char symbol)
{
    return i < tokens.size() && tokens[i].kind == Token::Symbol && tokens[i].text == QLatin1Char(symbol);
}

bool isName(const QList<Token>& tokens, qsizetype i)
{
    return i < tokens.size() && (tokens[i].kind == Token::Word || tokens[i].kind == Token::QuotedName);
}

GuardVerdict refuse(const QString& reason)
{
    return {false, {}, reason};
}

// Drops one trailing ";" and refuses any other, then refuses words no client statement needs.
std::optional<QString> checkShape(QList<Token>& tokens, const QSet<QString>& forbiddenWords)
{
    if (tokens.isEmpty()) return QStringLiteral("empty statement");
    if (isSymbol(tokens, tokens.size() - 1, ';')) tokens.removeLast();
    for (const Token& token : tokens) {
        if (token.kind == Token::Symbol && token.text == QLatin1String(";"))
            return QStringLiteral("more than one statement");
        if (token.kind == Token::Word && forbiddenWords.contains(token.text))
            return QStringLiteral("%1 is not allowed here").arg(token.text);
    }
    return std::nullopt;
}

// Rebuilds the statement from the original text up to its last token, with the clock's
// words replaced by literals of the fixed time.
QString rebuild(const QString& sql, const QList<Token>& tokens, const std::optional<QDateTime>& fixedNow)
{
    const auto literal = [&](const char* type, const char* format) {
        return QLatin1String(type) + QLatin1String(" '") + fixedNow->toString(QLatin1String(format)) +
               QLatin1Char('\'');
    };
    QString out;
    qsizetype from = 0;
    for (const Token& token : tokens) {
        out += QStringView(sql).mid(from, token.start - from);
        QString replacement;
        if (fixedNow && token.kind == Token::Word) {
            if (token.text == QLatin1String("CURRENT_TIMESTAMP") || token.text == QLatin1String("LOCALTIMESTAMP"))
                replacement = literal("TIMESTAMP", "yyyy-MM-dd HH:mm:ss");
            else if (token.text == QLatin1String("CURRENT_DATE"))
                replacement = literal("DATE", "yyyy-MM-dd");
            else if (token.text == QLatin1String("CURRENT_TIME") || token.text == QLatin1String("LOCALTIME"))
                replacement = literal("TIME", "HH:mm:ss");
        }
        out += replacement.isEmpty() ? QStringView(sql).mid(token.start, token.length) : QStringView(replacement);
        from = token.start + token.length;
    }
    return out;
}

// Index just past the ")" that closes the "(" at `open`, or -1.
qsizetype skipParentheses(const QList<Token>& tokens, qsizetype open)
{
    int depth = 0;
    for (qsizetype i = open; i < tokens.size(); ++i) {
        if (isSymbol(tokens, i, '('))
            ++depth;
        else if (isSymbol(tokens, i, ')') && --depth == 0)
            return i + 1;
    }
    return -1;
}

std::optional<QString> checkInsert(const QList<Token>& tokens)
{
    static const QHash<QString, QSet<QString>> writable = {
        {QStringLiteral("CLIENT_CONN"),
         {QStringLiteral("ACCOUNT"), QStringLiteral("CON_TIME"), QStringLiteral("COMPUTER"), QStringLiteral("WUSER")}},
        {QStringLiteral("CUSTOMER_MESSAGE"),
         {QStringLiteral("ACCOUNT"), QStringLiteral("WDATE"), QStringLiteral("FROM_USER"), QStringLiteral("TITLE"),
          QStringLiteral("MESS"), QStringLiteral("MTYPE")}},
    };
    if (!isWord(tokens, 1, "INTO") || !isName(tokens, 2)) return QStringLiteral("INSERT needs INTO and a table");
    const auto table = writable.constFind(tokens[2].text);
    if (table == writable.constEnd()) return QStringLiteral("table %1 is not writable").arg(tokens[2].text);
    if (!isSymbol(tokens, 3, '(')) return QStringLiteral("INSERT needs a column list");
    qsizetype i = 4;
    for (;;) {
        if (!isName(tokens, i)) return QStringLiteral("column name expected");
        if (!table->contains(tokens[i].text))
            return QStringLiteral("column %1.%2 is not writable").arg(tokens[2].text, tokens[i].text);
        if (isSymbol(tokens, i + 1, ')')) break;
        if (!isSymbol(tokens, i + 1, ',')) return QStringLiteral("malformed column list");
        i += 2;
    }
    i += 2;
    if (!isWord(tokens, i, "VALUES") || !isSymbol(tokens, i + 1, '(')) return QStringLiteral("INSERT needs VALUES");
    if (skipParentheses(tokens, i + 1) != tokens.size()) return QStringLiteral("unexpected text after VALUES");
    return std::nullopt;
}

std::optional<QString> checkUpdate(const QList<Token>& tokens)
{
    if (!isName(tokens, 1) || tokens[1].text != QLatin1String("LABACCOUNTS"))
        return QStringLiteral("only LABACCOUNTS may be updated");
    if (!isWord(tokens, 2, "SET")) return QStringLiteral("UPDATE needs SET");
    qsizetype i = 3;
    for (;;) {
        if (!isName(tokens, i) || tokens[i].text != QLatin1String("VER_WR"))
            return QStringLiteral("only LABACCOUNTS.VER_WR may be updated");
        if (!isSymbol(tokens, i + 1, '=')) return QStringLiteral("malformed SET");
        i += 2;
        int depth = 0;
        while (i < tokens.size() && !(depth == 0 && (isSymbol(tokens, i, ',') || isWord(tokens, i, "WHERE")))) {
            depth += isSymbol(tokens, i, '(') ? 1 : isSymbol(tokens, i, ')') ? -1 : 0;
            ++i;
        }
        if (!isSymbol(tokens, i, ',')) break;
        ++i;
    }
    // An UPDATE without a condition would stamp every account.
    if (!isWord(tokens, i, "WHERE") || i + 1 >= tokens.size()) return QStringLiteral("UPDATE needs a WHERE condition");
    return std::nullopt;
}

} // namespace

GuardVerdict checkQuery(const QString& sql, const std::optional<QDateTime>& fixedNow)
{
    QString error;
    QList<Token> tokens = tokenize(sql, &error);
    if (!error.isEmpty()) return refuse(error);
    // Setting a context variable could move the laboratory's clock for later requests.
    if (const auto bad = checkShape(tokens, {QStringLiteral("RDB$SET_CONTEXT")})) return refuse(*bad);
    if (!isWord(tokens, 0, "SELECT")) return refuse(QStringLiteral("only SELECT statements are answered"));
    return {true, rebuild(sql, tokens, fixedNow), {}};
}

GuardVerdict checkScript(const QString& sql, const std::optional<QDateTime>& fixedNow)
{
    QString error;
    QList<Token> tokens = tokenize(sql, &error);
    if (!error.isEmpty()) return refuse(error);
    if (const auto bad = checkShape(tokens, {QStringLiteral("SELECT"), QStringLiteral("RETURNING"),
                                             QStringLiteral("RDB$SET_CONTEXT"), QStringLiteral("EXECUTE")}))
        return refuse(*bad);
    std::optional<QString> bad;
    if (isWord(tokens, 0, "INSERT"))
        bad = checkInsert(tokens);
    else if (isWord(tokens, 0, "UPDATE"))
        bad = checkUpdate(tokens);
    else
        bad = QStringLiteral("only INSERT or UPDATE statements are run");
    if (bad) return refuse(*bad);
    return {true, rebuild(sql, tokens, fixedNow), {}};
}

} // namespace tv::lab
