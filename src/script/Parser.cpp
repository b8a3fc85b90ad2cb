#include "script/Parser.h"

namespace tv::script {

namespace {

constexpr int kMaxDepth = 200;   // nested blocks, parentheses and argument lists
constexpr int kMaxHeight = 1000; // of an expression tree (long operator and call chains)

const char* const kReserved[] = {
    "and",  "byref",   "byval", "call", "case",   "class", "const",   "dim",    "do",    "each",
    "else", "elseif",  "empty", "end",  "eqv",    "erase", "exit",    "false",  "for",   "function",
    "goto", "if",      "imp",   "in",   "is",     "loop",  "me",      "mod",    "new",   "next",
    "not",  "nothing", "null",  "on",   "option", "or",    "private", "public", "redim", "select",
    "set",  "sub",     "then",  "to",   "true",   "until", "wend",    "while",  "with",  "xor"};

bool sameWord(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// Binary operator levels, loosest first; Not sits between And and the comparisons.
struct Level {
    const char* ops[7];
};
constexpr Level kLevels[] = {
    {{"imp"}}, {{"eqv"}},    {{"xor"}}, {{"or"}}, {{"and"}},    {{"=", "<>", "<", ">", "<=", ">=", "is"}},
    {{"&"}},   {{"+", "-"}}, {{"mod"}}, {{"\\"}}, {{"*", "/"}},
};
constexpr int kNotLevel = 5;  // Not applies to what follows at the comparison level
constexpr int kNegLevel = 11; // unary minus binds looser than ^ only

BinOp binOpOf(const QString& token)
{
    static const std::pair<const char*, BinOp> table[] = {
        {"imp", BinOp::Imp}, {"eqv", BinOp::Eqv},   {"xor", BinOp::Xor},  {"or", BinOp::Or}, {"and", BinOp::And},
        {"=", BinOp::Eq},    {"<>", BinOp::Ne},     {"<", BinOp::Lt},     {">", BinOp::Gt},  {"<=", BinOp::Le},
        {">=", BinOp::Ge},   {"is", BinOp::Is},     {"&", BinOp::Concat}, {"+", BinOp::Add}, {"-", BinOp::Sub},
        {"mod", BinOp::Mod}, {"\\", BinOp::IntDiv}, {"*", BinOp::Mul},    {"/", BinOp::Div}, {"^", BinOp::Pow}};
    for (const auto& [text, op] : table)
        if (sameWord(token, text)) return op;
    return BinOp::Add;
}

} // namespace

bool Parser::tokenize(const QString& text, std::vector<Token>& tokens, CompileError& error)
{
    Lexer lexer(text);
    for (;;) {
        Token t;
        if (!lexer.next(t, error)) return false;
        const bool end = t.kind == Token::End;
        tokens.push_back(std::move(t));
        if (end) return true;
    }
}

std::shared_ptr<Program> Parser::parseProgram(const QString& text, CompileError& error)
{
    std::vector<Token> tokens;
    if (!tokenize(text, tokens, error)) return nullptr;
    Parser p(std::move(tokens));
    auto program = std::make_shared<Program>();
    program->global = std::make_unique<Procedure>();
    try {
        p.parseTopLevel(*program);
    } catch (const Failure&) {
        error = p.m_error;
        return nullptr;
    }
    return program;
}

ExprPtr Parser::parseExpression(const QString& text, CompileError& error)
{
    std::vector<Token> tokens;
    if (!tokenize(text, tokens, error)) return nullptr;
    Parser p(std::move(tokens));
    try {
        p.skipSeparators();
        ExprPtr e = p.parseExpr();
        p.skipSeparators();
        if (p.peek().kind != Token::End) p.fail(1025);
        return e;
    } catch (const Failure&) {
        error = p.m_error;
        return nullptr;
    }
}

void Parser::measure(Expr& node, std::initializer_list<const Expr*> children)
{
    for (const Expr* c : children)
        if (c) node.height = std::max(node.height, c->height + 1);
    if (node.height > kMaxHeight) failAt(28, peek());
}

void Parser::fail(int number)
{
    failAt(number, peek());
}

void Parser::failAt(int number, const Token& at)
{
    m_error = {number, compileErrorText(number), at.line, at.column};
    if (number == 28) m_error.description = ScriptError::standardText(28);
    throw Failure{};
}

const Token& Parser::peek(int ahead) const
{
    const size_t i = std::min(m_pos + size_t(ahead), m_tokens.size() - 1);
    return m_tokens[i];
}

bool Parser::isKeyword(const char* word, int ahead) const
{
    const Token& t = peek(ahead);
    return t.kind == Token::Name && !t.bracketed && sameWord(t.text, word);
}

bool Parser::acceptKeyword(const char* word)
{
    if (!isKeyword(word)) return false;
    advance();
    return true;
}

void Parser::expectKeyword(const char* word, int error)
{
    if (!acceptKeyword(word)) fail(error);
}

bool Parser::isOp(const char* op) const
{
    const Token& t = peek();
    return t.kind == Token::Op && t.text == QLatin1String(op);
}

bool Parser::acceptOp(const char* op)
{
    if (!isOp(op)) return false;
    advance();
    return true;
}

void Parser::expectOp(const char* op, int error)
{
    if (!acceptOp(op)) fail(error);
}

bool Parser::atStatementEnd() const
{
    const Token& t = peek();
    return t.kind == Token::NewLine || t.kind == Token::Colon || t.kind == Token::End ||
           (m_inlineIf > 0 && isKeyword("else"));
}

void Parser::expectStatementEnd()
{
    if (!atStatementEnd()) fail(1025);
}

void Parser::skipSeparators()
{
    while (peek().kind == Token::NewLine || peek().kind == Token::Colon)
        advance();
}

bool Parser::isReserved(const Token& t) const
{
    if (t.kind != Token::Name || t.bracketed) return false;
    for (const char* w : kReserved)
        if (sameWord(t.text, w)) return true;
    return false;
}

QString Parser::expectName()
{
    const Token& t = peek();
    if (t.kind != Token::Name || isReserved(t)) fail(1010);
    return advance().text;
}

QString Parser::expectMemberName()
{
    if (peek().kind != Token::Name) fail(1010);
    return advance().text;
}

template <class T> std::unique_ptr<T> Parser::make(const Token& at)
{
    auto node = std::make_unique<T>();
    node->line = at.line;
    node->column = at.column;
    return node;
}

void Parser::declareLocal(const QString& name, const Token& at, bool isConst)
{
    if (m_proc->kind == Procedure::Global) {
        if (!isConst) m_program->globalDims.push_back(name);
        return;
    }
    for (const QString& n : m_proc->localNames)
        if (n.compare(name, Qt::CaseInsensitive) == 0) failAt(1041, at);
    m_proc->localNames.push_back(name);
    m_proc->localConst.push_back(isConst);
}

void Parser::parseTopLevel(Program& program)
{
    m_program = &program;
    m_proc = program.global.get();
    for (;;) {
        skipSeparators();
        const Token& t = peek();
        if (t.kind == Token::End) return;
        if (isKeyword("option")) {
            advance();
            expectKeyword("explicit", 1002);
            program.optionExplicit = true;
            expectStatementEnd();
            continue;
        }
        int look = 0;
        bool isPublic = true;
        bool isDefault = false;
        if (isKeyword("public") || isKeyword("private")) {
            isPublic = isKeyword("public");
            look = 1;
            if (isKeyword("default", 1)) {
                isDefault = true;
                look = 2;
            }
        }
        if (isKeyword("sub", look) || isKeyword("function", look)) {
            if (isDefault) fail(1048);
            m_pos += size_t(look);
            program.procedures.push_back(parseProcedure(isPublic, false, nullptr));
            m_proc = program.global.get();
            continue;
        }
        if (isKeyword("property", look)) fail(1048);
        if (isKeyword("class", look)) {
            m_pos += size_t(look);
            parseClass(program);
            continue;
        }
        if (isKeyword("next") || isKeyword("loop") || isKeyword("wend") || isKeyword("else") || isKeyword("elseif") ||
            isKeyword("case") || isKeyword("end"))
            fail(isKeyword("next") ? 1055 : isKeyword("loop") ? 1038 : 1024);
        StmtPtr s = parseStatement();
        if (s) program.global->body.push_back(std::move(s));
        if (!atStatementEnd()) fail(1025);
    }
}

void Parser::parseBlock(Block& out)
{
    if (++m_depth > kMaxDepth) fail(28);
    for (;;) {
        skipSeparators();
        if (peek().kind == Token::End || isKeyword("end") || isKeyword("else") || isKeyword("elseif") ||
            isKeyword("loop") || isKeyword("next") || isKeyword("wend") || isKeyword("case"))
            break;
        if (isKeyword("sub") || isKeyword("function") || isKeyword("class") || isKeyword("property")) fail(1024);
        StmtPtr s = parseStatement();
        if (s) out.push_back(std::move(s));
        if (!atStatementEnd()) fail(1025);
    }
    --m_depth;
}

StmtPtr Parser::parseStatement()
{
    const Token& t = peek();
    if (t.kind == Token::Op && t.text == QLatin1String(".")) return parseSimpleStatement(false);
    if (t.kind != Token::Name) fail(1024);
    if (t.bracketed) return parseSimpleStatement(false);
    const QString& w = t.text;
    if (sameWord(w, "dim")) return parseDim(false);
    if (sameWord(w, "redim")) return parseDim(true);
    if (sameWord(w, "const")) {
        parseConst();
        return nullptr;
    }
    if (sameWord(w, "public") || sameWord(w, "private")) {
        if (m_proc->kind != Procedure::Global) fail(1024);
        advance();
        if (isKeyword("const")) {
            parseConst();
            return nullptr;
        }
        --m_pos;
        return parseDim(false);
    }
    if (sameWord(w, "if")) return parseIf();
    if (sameWord(w, "select")) return parseSelect();
    if (sameWord(w, "for")) return parseFor();
    if (sameWord(w, "do")) return parseDo();
    if (sameWord(w, "while")) return parseWhile();
    if (sameWord(w, "with")) return parseWith();
    if (sameWord(w, "exit")) return parseExit();
    if (sameWord(w, "on")) return parseOnError();
    if (sameWord(w, "call")) {
        advance();
        return parseSimpleStatement(true);
    }
    if (sameWord(w, "set")) {
        advance();
        return parseAssignOrCall(true);
    }
    if (sameWord(w, "let") && peek(1).kind == Token::Name) {
        advance();
        return parseAssignOrCall(false);
    }
    if (sameWord(w, "erase")) {
        auto s = make<EraseStmt>(advance());
        const Token& at = peek();
        auto name = make<NameExpr>(at);
        name->name = expectName();
        s->target = std::move(name);
        return s;
    }
    if (sameWord(w, "option")) fail(1024);
    if (isReserved(t)) fail(1024);
    return parseSimpleStatement(false);
}

StmtPtr Parser::parseSimpleStatement(bool isCall)
{
    if (isCall) {
        const Token& at = peek();
        ExprPtr target = parsePostfix(nullptr);
        if (target->kind != Expr::Call) {
            auto call = make<CallExpr>(at);
            call->callee = std::move(target);
            target = std::move(call);
        }
        auto s = make<CallStmt>(at);
        s->call = std::move(target);
        expectStatementEnd();
        return s;
    }
    return parseAssignOrCall(false);
}

StmtPtr Parser::parseAssignOrCall(bool isSet)
{
    const Token& at = peek();
    ExprPtr target = parsePostfix(nullptr);
    if (target->kind == Expr::Literal || target->kind == Expr::Paren || target->kind == Expr::New ||
        target->kind == Expr::Me)
        failAt(isSet ? 1010 : 1024, at);
    if (isSet || isOp("=")) {
        expectOp("=", 1011);
        auto s = make<AssignStmt>(at);
        s->isSet = isSet;
        s->target = std::move(target);
        s->value = parseExpr();
        return s;
    }
    auto call = make<CallExpr>(at);
    if (target->kind == Expr::Call) {
        auto* c = static_cast<CallExpr*>(target.get());
        if (atStatementEnd()) {
            if (c->args.size() > 1) failAt(1044, at);
            if (c->args.size() == 1 && c->args[0]->kind != Expr::Missing) {
                auto paren = make<ParenExpr>(at);
                paren->inner = std::move(c->args[0]);
                c->args[0] = std::move(paren);
            }
            auto s = make<CallStmt>(at);
            s->call = std::move(target);
            return s;
        }
        if (c->args.size() != 1 || c->args[0]->kind == Expr::Missing) failAt(1044, at);
        // "foo (a) + 1, b": the parenthesis began the first argument.
        auto paren = make<ParenExpr>(at);
        paren->inner = std::move(c->args[0]);
        call->callee = std::move(c->callee);
        m_seed = std::move(paren);
        call->args.push_back(parseExpr());
        if (acceptOp(",")) parseArgs(call->args, nullptr);
    } else {
        call->callee = std::move(target);
        if (!atStatementEnd()) parseArgs(call->args, nullptr);
    }
    auto s = make<CallStmt>(at);
    s->call = std::move(call);
    return s;
}

void Parser::parseArgs(std::vector<ExprPtr>& args, const char* close)
{
    auto missing = [&] {
        auto m = std::make_unique<Expr>(Expr::Missing);
        m->line = peek().line;
        m->column = peek().column;
        return m;
    };
    for (;;) {
        if (close ? isOp(close) : atStatementEnd()) {
            if (!args.empty()) args.push_back(missing());
            return;
        }
        if (++m_depth > kMaxDepth) fail(28);
        args.push_back(isOp(",") ? missing() : parseExpr());
        --m_depth;
        if (!acceptOp(",")) return;
    }
}

StmtPtr Parser::parseIf()
{
    auto s = make<IfStmt>(advance());
    ExprPtr cond = parseExpr();
    expectKeyword("then", 1017);
    if (peek().kind == Token::NewLine || peek().kind == Token::End) {
        Block then;
        parseBlock(then);
        s->branches.emplace_back(std::move(cond), std::move(then));
        for (;;) {
            if (acceptKeyword("elseif")) {
                ExprPtr c = parseExpr();
                expectKeyword("then", 1017);
                Block b;
                if (peek().kind != Token::NewLine) parseInlineStatements(b);
                parseBlock(b);
                s->branches.emplace_back(std::move(c), std::move(b));
            } else if (acceptKeyword("else")) {
                parseBlock(s->elseBlock);
                expectKeyword("end", 1014);
                break;
            } else {
                expectKeyword("end", 1014);
                break;
            }
        }
        expectKeyword("if", 1012);
        return s;
    }
    Block then;
    ++m_inlineIf;
    parseInlineStatements(then);
    s->branches.emplace_back(std::move(cond), std::move(then));
    if (acceptKeyword("else")) parseInlineStatements(s->elseBlock);
    --m_inlineIf;
    if (isKeyword("end") && isKeyword("if", 1)) m_pos += 2;
    return s;
}

void Parser::parseInlineStatements(Block& out)
{
    if (++m_depth > kMaxDepth) fail(28);
    for (;;) {
        while (peek().kind == Token::Colon)
            advance();
        if (peek().kind == Token::NewLine || peek().kind == Token::End || isKeyword("else") ||
            (isKeyword("end") && isKeyword("if", 1)))
            break;
        StmtPtr st = parseStatement();
        if (st) out.push_back(std::move(st));
        if (!atStatementEnd() && !(isKeyword("end") && isKeyword("if", 1))) fail(1025);
    }
    --m_depth;
}

StmtPtr Parser::parseSelect()
{
    auto s = make<SelectStmt>(advance());
    expectKeyword("case", 1021);
    s->subject = parseExpr();
    expectStatementEnd();
    skipSeparators();
    while (acceptKeyword("case")) {
        if (acceptKeyword("else")) {
            s->hasElse = true;
            parseBlock(s->elseBlock);
            break;
        }
        std::vector<ExprPtr> values;
        do {
            if (isKeyword("is")) fail(1023);
            values.push_back(parseExpr());
            if (isKeyword("to")) fail(1025);
        } while (acceptOp(","));
        Block b;
        parseBlock(b);
        s->cases.emplace_back(std::move(values), std::move(b));
    }
    expectKeyword("end", 1014);
    expectKeyword("select", 1022);
    return s;
}

StmtPtr Parser::parseFor()
{
    const Token& at = advance();
    if (acceptKeyword("each")) {
        auto s = make<ForEachStmt>(at);
        auto var = make<NameExpr>(peek());
        var->name = expectName();
        s->var = std::move(var);
        expectKeyword("in", 1046);
        s->collection = parseExpr();
        ++m_forDepth;
        parseBlock(s->body);
        --m_forDepth;
        expectKeyword("next", 1020);
        if (peek().kind == Token::Name && !isKeyword("else")) advance();
        return s;
    }
    auto s = make<ForStmt>(at);
    if (peek().kind != Token::Name || isReserved(peek())) fail(1040);
    auto var = make<NameExpr>(peek());
    var->name = advance().text;
    s->var = std::move(var);
    expectOp("=", 1011);
    s->from = parseExpr();
    expectKeyword("to", 1013);
    s->to = parseExpr();
    if (acceptKeyword("step")) s->step = parseExpr();
    ++m_forDepth;
    parseBlock(s->body);
    --m_forDepth;
    expectKeyword("next", 1020);
    if (peek().kind == Token::Name && !isKeyword("else")) advance();
    return s;
}

StmtPtr Parser::parseDo()
{
    auto s = make<DoStmt>(advance());
    if (isKeyword("while") || isKeyword("until")) {
        s->until = isKeyword("until");
        advance();
        s->cond = parseExpr();
    }
    ++m_doDepth;
    parseBlock(s->body);
    --m_doDepth;
    expectKeyword("loop", 1019);
    if (isKeyword("while") || isKeyword("until")) {
        if (s->cond) fail(1025);
        s->until = isKeyword("until");
        s->testAtEnd = true;
        advance();
        s->cond = parseExpr();
    }
    return s;
}

StmtPtr Parser::parseWhile()
{
    auto s = make<DoStmt>(advance());
    s->isWhileWend = true;
    s->cond = parseExpr();
    parseBlock(s->body);
    expectKeyword("wend", 1018);
    return s;
}

StmtPtr Parser::parseWith()
{
    auto s = make<WithStmt>(advance());
    s->object = parseExpr();
    ++m_withDepth;
    parseBlock(s->body);
    --m_withDepth;
    expectKeyword("end", 1014);
    expectKeyword("with", 1029);
    return s;
}

StmtPtr Parser::parseExit()
{
    auto s = make<ExitStmt>(advance());
    const Procedure::Kind k = m_proc->kind;
    if (acceptKeyword("do")) {
        if (!m_doDepth) fail(1039);
        s->what = ExitStmt::ExitDo;
    } else if (acceptKeyword("for")) {
        if (!m_forDepth) fail(1039);
        s->what = ExitStmt::ExitFor;
    } else if (acceptKeyword("sub")) {
        if (k != Procedure::Sub) fail(1039);
    } else if (acceptKeyword("function")) {
        if (k != Procedure::Function) fail(1039);
    } else if (acceptKeyword("property")) {
        if (k != Procedure::PropertyGet && k != Procedure::PropertyLet && k != Procedure::PropertySet) fail(1039);
    } else {
        fail(1039);
    }
    return s;
}

StmtPtr Parser::parseOnError()
{
    auto s = make<OnErrorStmt>(advance());
    expectKeyword("error", 1002);
    if (acceptKeyword("resume")) {
        expectKeyword("next", 1002);
        s->resumeNext = true;
    } else {
        expectKeyword("goto", 1002);
        if (peek().kind != Token::Number || peek().value.rawInt() != 0 || peek().value.type() != VarType::Integer)
            fail(1002);
        advance();
    }
    return s;
}

StmtPtr Parser::parseDim(bool redim)
{
    const Token& at = advance();
    auto s = make<DimStmt>(at);
    auto r = make<ReDimStmt>(at);
    if (redim) r->preserve = acceptKeyword("preserve");
    do {
        const Token& nameTok = peek();
        auto name = make<NameExpr>(nameTok);
        name->name = expectName();
        DimStmt::Item item;
        bool isArray = false;
        if (acceptOp("(")) {
            isArray = true;
            if (!isOp(")")) {
                do
                    item.bounds.push_back(parseExpr());
                while (acceptOp(","));
            }
            expectOp(")", 1006);
        } else if (redim) {
            fail(1005);
        }
        if (redim) {
            if (m_proc->kind == Procedure::Global) m_program->globalDims.push_back(name->name);
        } else {
            declareLocal(name->name, nameTok);
        }
        item.target = std::move(name);
        if (redim)
            r->items.push_back(std::move(item));
        else if (isArray)
            s->items.push_back(std::move(item));
    } while (acceptOp(","));
    if (redim) return r;
    if (s->items.empty()) return nullptr;
    return s;
}

void Parser::parseConst()
{
    advance();
    do {
        const Token& nameTok = peek();
        const QString name = expectName();
        expectOp("=", 1011);
        ExprPtr value = parseExpr();
        declareLocal(name, nameTok, true);
        if (m_proc->kind == Procedure::Global)
            m_program->globalConsts.emplace_back(name, std::move(value));
        else
            m_proc->constInits.emplace_back(int(m_proc->localNames.size() - 1), std::move(value));
    } while (acceptOp(","));
}

std::unique_ptr<Procedure> Parser::parseProcedure(bool isPublic, bool isDefault, ClassDef* owner)
{
    auto proc = std::make_unique<Procedure>();
    proc->isPublic = isPublic;
    proc->isDefault = isDefault;
    proc->owner = owner;
    const char* endWord = "sub";
    if (acceptKeyword("sub")) {
        proc->kind = Procedure::Sub;
    } else if (acceptKeyword("function")) {
        proc->kind = Procedure::Function;
        endWord = "function";
    } else {
        expectKeyword("property", 1002);
        endWord = "property";
        if (acceptKeyword("get"))
            proc->kind = Procedure::PropertyGet;
        else if (acceptKeyword("let"))
            proc->kind = Procedure::PropertyLet;
        else if (acceptKeyword("set"))
            proc->kind = Procedure::PropertySet;
        else
            fail(1049);
    }
    if (isDefault && proc->kind != Procedure::PropertyGet && proc->kind != Procedure::Function &&
        proc->kind != Procedure::Sub)
        fail(1058);
    const Token& nameTok = peek();
    proc->name = expectName();
    m_proc = proc.get();
    if (acceptOp("(")) {
        if (!isOp(")")) {
            do {
                Param p;
                if (acceptKeyword("byval"))
                    p.byVal = true;
                else
                    acceptKeyword("byref");
                const Token& pt = peek();
                p.name = expectName();
                if (acceptOp("(")) expectOp(")", 1006);
                declareLocal(p.name, pt);
                proc->params.push_back(p);
            } while (acceptOp(","));
        }
        expectOp(")", 1006);
    }
    if ((proc->kind == Procedure::PropertyLet || proc->kind == Procedure::PropertySet) && proc->params.empty())
        failAt(1054, nameTok);
    if (proc->kind == Procedure::Function || proc->kind == Procedure::PropertyGet) {
        proc->resultSlot = int(proc->localNames.size());
        proc->localNames.push_back(proc->name);
        proc->localConst.push_back(false);
    }
    expectStatementEnd();
    const int savedDo = m_doDepth, savedFor = m_forDepth;
    m_doDepth = m_forDepth = 0;
    parseBlock(proc->body);
    m_doDepth = savedDo;
    m_forDepth = savedFor;
    expectKeyword("end", 1014);
    if (!acceptKeyword(endWord))
        fail(proc->kind == Procedure::Sub ? 1016 : proc->kind == Procedure::Function ? 1015 : 1050);
    return proc;
}

void Parser::parseClass(Program& program)
{
    advance();
    auto cls = std::make_unique<ClassDef>();
    cls->name = expectName();
    expectStatementEnd();
    auto memberFor = [&](const QString& name) -> ClassMember& {
        const int i = cls->findMember(name);
        if (i >= 0) return cls->members[size_t(i)];
        cls->members.push_back({});
        cls->members.back().name = name;
        return cls->members.back();
    };
    for (;;) {
        skipSeparators();
        if (isKeyword("end")) break;
        const Token& at = peek();
        bool isPublic = true;
        bool isDefault = false;
        bool explicitAccess = false;
        if (isKeyword("public") || isKeyword("private")) {
            isPublic = isKeyword("public");
            explicitAccess = true;
            advance();
        }
        if (acceptKeyword("default")) {
            if (!isPublic) failAt(1057, at);
            isDefault = true;
        }
        if (isKeyword("sub") || isKeyword("function") || isKeyword("property")) {
            std::unique_ptr<Procedure> proc = parseProcedure(isPublic, isDefault, cls.get());
            m_proc = program.global.get();
            ClassMember& m = memberFor(proc->name);
            m.isPublic = isPublic;
            const bool isInit = sameWord(proc->name, "class_initialize");
            const bool isTerm = sameWord(proc->name, "class_terminate");
            if ((isInit || isTerm) && !proc->params.empty()) failAt(1053, at);
            Procedure*& slot = proc->kind == Procedure::PropertyGet   ? m.getter
                               : proc->kind == Procedure::PropertyLet ? m.letter
                               : proc->kind == Procedure::PropertySet ? m.setter
                                                                      : m.method;
            if (slot || m.field >= 0) failAt(1041, at);
            slot = proc.get();
            if (isDefault) {
                if (cls->defaultMember >= 0 && cls->defaultMember != cls->findMember(proc->name)) failAt(1052, at);
                cls->defaultMember = cls->findMember(proc->name);
            }
            if (isInit) cls->initialize = proc.get();
            if (isTerm) cls->terminate = proc.get();
            cls->procedures.push_back(std::move(proc));
            continue;
        }
        if (isDefault) failAt(1056, at);
        if (!explicitAccess && !acceptKeyword("dim")) fail(1024);
        do {
            const Token& nameTok = peek();
            const QString name = expectName();
            if (cls->findMember(name) >= 0) failAt(1041, nameTok);
            ClassMember& m = memberFor(name);
            m.isPublic = isPublic;
            m.field = int(cls->fieldNames.size());
            cls->fieldNames.push_back(name);
            std::vector<ExprPtr> bounds;
            if (acceptOp("(")) {
                if (!isOp(")")) {
                    do
                        bounds.push_back(parseExpr());
                    while (acceptOp(","));
                }
                expectOp(")", 1006);
                if (bounds.empty()) bounds.push_back(nullptr); // "Dim a()": an unallocated array
            }
            cls->fieldBounds.push_back(std::move(bounds));
        } while (acceptOp(","));
        expectStatementEnd();
    }
    expectKeyword("end", 1014);
    expectKeyword("class", 1047);
    program.classes.push_back(std::move(cls));
}

ExprPtr Parser::parseExpr()
{
    if (++m_depth > kMaxDepth) fail(28);
    ExprPtr e = parseBinaryLevel(0);
    --m_depth;
    return e;
}

ExprPtr Parser::parseBinaryLevel(int level)
{
    if (level == kNotLevel && !m_seed && isKeyword("not")) return parseUnary(level);
    if (level == kNegLevel) return parseUnary(level);
    ExprPtr left = parseBinaryLevel(level + 1);
    for (;;) {
        const Token& t = peek();
        bool match = false;
        if ((t.kind == Token::Op || (t.kind == Token::Name && !t.bracketed))) {
            for (const char* op : kLevels[level].ops)
                if (op && sameWord(t.text, op)) match = true;
        }
        if (!match) return left;
        auto b = make<BinaryExpr>(t);
        b->op = binOpOf(advance().text);
        b->left = std::move(left);
        if (level == kNotLevel && isKeyword("not"))
            b->right = parseUnary(level);
        else
            b->right = parseBinaryLevel(level + 1);
        measure(*b, {b->left.get(), b->right.get()});
        left = std::move(b);
    }
}

ExprPtr Parser::parseUnary(int level)
{
    if (++m_depth > kMaxDepth) fail(28);
    ExprPtr result;
    const Token& t = peek();
    if (level == kNotLevel) {
        advance();
        auto u = make<UnaryExpr>(t);
        u->isNot = true;
        u->operand = isKeyword("not") ? parseUnary(level) : parseBinaryLevel(level);
        measure(*u, {u->operand.get()});
        result = std::move(u);
    } else if (!m_seed && (isOp("-") || isOp("+"))) {
        const bool negate = isOp("-");
        advance();
        ExprPtr operand = parseUnary(level);
        if (!negate) {
            result = std::move(operand);
        } else {
            auto u = make<UnaryExpr>(t);
            u->operand = std::move(operand);
            measure(*u, {u->operand.get()});
            result = std::move(u);
        }
    } else {
        result = parsePrimary();
        while (isOp("^")) {
            auto b = make<BinaryExpr>(advance());
            b->op = BinOp::Pow;
            b->left = std::move(result);
            if (isOp("-") || isOp("+")) {
                b->right = parseUnary(level);
            } else {
                b->right = parsePrimary();
            }
            measure(*b, {b->left.get(), b->right.get()});
            result = std::move(b);
        }
    }
    --m_depth;
    return result;
}

ExprPtr Parser::parsePrimary()
{
    if (m_seed) return parsePostfix(std::move(m_seed));
    const Token& t = peek();
    switch (t.kind) {
    case Token::Number:
    case Token::String:
    case Token::Date: {
        auto lit = make<LiteralExpr>(t);
        lit->value = advance().value;
        return lit;
    }
    case Token::Op:
        if (t.text == QLatin1String("(")) {
            auto paren = make<ParenExpr>(advance());
            paren->inner = parseExpr();
            expectOp(")", 1006);
            measure(*paren, {paren->inner.get()});
            return parsePostfix(std::move(paren));
        }
        if (t.text == QLatin1String(".")) return parsePostfix(nullptr);
        fail(1023);
    case Token::Name: {
        if (!t.bracketed) {
            struct Word {
                const char* word;
                Variant value;
            };
            const Word words[] = {{"true", Variant::fromBool(true)},
                                  {"false", Variant::fromBool(false)},
                                  {"empty", Variant()},
                                  {"null", Variant::null()},
                                  {"nothing", Variant::nothing()}};
            for (const Word& w : words) {
                if (sameWord(t.text, w.word)) {
                    auto lit = make<LiteralExpr>(advance());
                    lit->value = w.value;
                    return lit;
                }
            }
            if (sameWord(t.text, "new")) {
                auto n = make<NewExpr>(advance());
                n->className = expectName();
                return n;
            }
            if (sameWord(t.text, "me")) {
                auto me = std::make_unique<Expr>(Expr::Me);
                me->line = t.line;
                me->column = t.column;
                advance();
                return parsePostfix(std::move(me));
            }
            if (isReserved(t)) fail(1023);
        }
        return parsePostfix(nullptr);
    }
    default:
        fail(1023);
    }
}

ExprPtr Parser::parsePostfix(ExprPtr base)
{
    if (!base) {
        const Token& t = peek();
        if (t.kind == Token::Op && t.text == QLatin1String(".")) {
            advance();
            if (!m_withDepth) failAt(1002, t);
            auto m = make<MemberExpr>(t);
            m->object = make<WithObjectExpr>(t);
            m->name = expectMemberName();
            base = std::move(m);
        } else {
            if (t.kind != Token::Name || isReserved(t)) fail(1023);
            auto n = make<NameExpr>(t);
            n->name = advance().text;
            base = std::move(n);
        }
    }
    for (;;) {
        const Token& t = peek();
        if (isOp("(")) {
            advance();
            auto call = make<CallExpr>(t);
            call->callee = std::move(base);
            if (++m_depth > kMaxDepth) fail(28);
            parseArgs(call->args, ")");
            --m_depth;
            expectOp(")", 1006);
            measure(*call, {call->callee.get()});
            for (const auto& a : call->args)
                measure(*call, {a.get()});
            base = std::move(call);
        } else if (isOp(".") && !t.spaceBefore) {
            advance();
            auto m = make<MemberExpr>(t);
            m->object = std::move(base);
            m->name = expectMemberName();
            measure(*m, {m->object.get()});
            base = std::move(m);
        } else {
            return base;
        }
    }
}

} // namespace tv::script
