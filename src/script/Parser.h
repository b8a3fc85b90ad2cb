// Recursive-descent parser of VBScript program texts into the tree of Ast.h (names unresolved).
// Nesting is bounded so hostile texts give a compile error instead of exhausting the stack.
#pragma once

#include "script/Ast.h"
#include "script/Lexer.h"

namespace tv::script {

class Parser {
public:
    /// Parses a whole program text; nullptr with `error` set on the first compile error.
    static std::shared_ptr<Program> parseProgram(const QString& text, CompileError& error);
    /// Parses one expression (Eval); nullptr with `error` set.
    static ExprPtr parseExpression(const QString& text, CompileError& error);

private:
    struct Failure {};

    explicit Parser(std::vector<Token> tokens) : m_tokens(std::move(tokens)) {}
    static bool tokenize(const QString& text, std::vector<Token>& tokens, CompileError& error);

    /// Sets the node's height from its children; a compile error beyond the limit.
    void measure(Expr& node, std::initializer_list<const Expr*> children);
    [[noreturn]] void fail(int number);
    [[noreturn]] void failAt(int number, const Token& at);
    const Token& peek(int ahead = 0) const;
    const Token& advance() { return m_tokens[m_pos < m_tokens.size() - 1 ? m_pos++ : m_pos]; }
    bool isKeyword(const char* word, int ahead = 0) const;
    bool acceptKeyword(const char* word);
    void expectKeyword(const char* word, int error);
    bool isOp(const char* op) const;
    bool acceptOp(const char* op);
    void expectOp(const char* op, int error);
    bool atStatementEnd() const;
    void expectStatementEnd();
    void skipSeparators();
    QString expectName();
    QString expectMemberName();
    bool isReserved(const Token& t) const;
    template <class T> std::unique_ptr<T> make(const Token& at);

    void parseTopLevel(Program& program);
    void parseBlock(Block& out);
    StmtPtr parseStatement();
    StmtPtr parseSimpleStatement(bool isCall);
    StmtPtr parseIf();
    StmtPtr parseSelect();
    StmtPtr parseFor();
    StmtPtr parseDo();
    StmtPtr parseWhile();
    StmtPtr parseWith();
    StmtPtr parseExit();
    StmtPtr parseOnError();
    StmtPtr parseDim(bool redim);
    void parseConst();
    StmtPtr parseAssignOrCall(bool isSet);
    void parseInlineStatements(Block& out);
    std::unique_ptr<Procedure> parseProcedure(bool isPublic, bool isDefault, ClassDef* owner);
    void parseClass(Program& program);
    void declareLocal(const QString& name, const Token& at, bool isConst = false);

    ExprPtr parseExpr();
    ExprPtr parseBinaryLevel(int level);
    ExprPtr parseUnary(int level);
    ExprPtr parsePrimary();
    ExprPtr parsePostfix(ExprPtr base);
    void parseArgs(std::vector<ExprPtr>& args, const char* close);

    std::vector<Token> m_tokens;
    size_t m_pos = 0;
    int m_depth = 0;
    int m_inlineIf = 0;
    int m_doDepth = 0;
    int m_forDepth = 0;
    int m_withDepth = 0;
    Procedure* m_proc = nullptr;
    Program* m_program = nullptr;
    ExprPtr m_seed; ///< an already parsed first operand ("foo (a) + 1, b")
    CompileError m_error{};
};

} // namespace tv::script
