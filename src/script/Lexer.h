// Splits a program text into tokens: names (keywords are names the parser recognises), literals,
// operators and statement ends. Line continuations and comments never reach the parser.
#pragma once

#include "script/Variant.h"

namespace tv::script {

struct Token {
    enum Kind : uint8_t {
        End,     ///< end of text
        NewLine, ///< a line break (statement end)
        Colon,   ///< ':' (statement end within a line)
        Name,    ///< identifier or keyword; `bracketed` for [names]
        Number,
        String,
        Date,
        Op, ///< one of + - * / \ ^ & = <> < > <= >= ( ) , .
    };
    Kind kind = End;
    int line = 1;
    int column = 1;
    QString text;  ///< Name: the name; Op: the operator
    Variant value; ///< literal value
    bool bracketed = false;
    bool spaceBefore = false;
};

struct CompileError {
    int number;
    QString description;
    int line;
    int column;
};

class Lexer {
public:
    explicit Lexer(QStringView text) : m_text(text) {}
    /// The next token, or false with `error` set.
    bool next(Token& token, CompileError& error);

private:
    QChar peekChar(qsizetype ahead = 0) const
    {
        return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : QChar();
    }
    bool fail(CompileError& error, int number, int column);
    bool lexNumber(Token& token, CompileError& error);
    bool lexString(Token& token, CompileError& error);
    bool lexDate(Token& token, CompileError& error);
    void skipToLineEnd();

    QStringView m_text;
    qsizetype m_pos = 0;
    qsizetype m_lineStart = 0;
    int m_line = 1;
};

/// The description of a compile error number ("Expected ')'" for 1006).
QString compileErrorText(int number);

} // namespace tv::script
