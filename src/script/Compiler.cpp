#include "script/Compiler.h"

namespace tv::script {

namespace {

struct Intrinsic {
    const char* name;
    int id;
};
// Ids the interpreter dispatches on (Interpreter::callIntrinsic).
constexpr Intrinsic kIntrinsics[] = {{"eval", 1}, {"execute", 2}, {"executeglobal", 3}, {"getref", 4}, {"err", 5}};

int findName(const std::vector<QString>& names, const QString& name)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

} // namespace

int ClassDef::findMember(QStringView memberName) const
{
    for (size_t i = 0; i < members.size(); ++i)
        if (members[i].name.compare(memberName, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

QString SourceText::lineText(int line) const
{
    return line >= 1 && size_t(line) <= lines.size() ? lines[size_t(line - 1)].toString() : QString();
}

void Compiler::compile(Program& program, const Procedure* outer)
{
    Procedure& global = *program.global;
    global.source = program.source;
    global.optionExplicit = program.optionExplicit || (outer && outer->optionExplicit);
    if (outer) {
        global.localNames = outer->localNames;
        global.localConst = outer->localConst;
        global.localNames.resize(size_t(outer->slotCount));
        global.localConst.resize(size_t(outer->slotCount));
        global.sharedSlots = outer->slotCount;
        global.owner = outer->owner;
    }
    for (auto& cls : program.classes) {
        GlobalEntry* g = m_engine.global(cls->name, true);
        g->kind = GlobalEntry::Class;
        g->cls = cls.get();
        g->proc = nullptr;
    }
    for (auto& proc : program.procedures) {
        GlobalEntry* g = m_engine.global(proc->name, true);
        g->kind = GlobalEntry::Proc;
        g->proc = proc.get();
        g->cls = nullptr;
    }
    for (const QString& name : program.globalDims) {
        if (outer && findName(global.localNames, name) >= 0) continue;
        GlobalEntry* g = m_engine.global(name, true);
        if (g->kind == GlobalEntry::Undefined) g->kind = GlobalEntry::Variable;
    }
    for (auto& [name, expr] : program.globalConsts) {
        Scope sc{&global, nullptr, {}};
        resolveExpr(*expr, sc);
        Frame f;
        f.proc = &global;
        GlobalEntry* g = m_engine.global(name, true);
        g->value = m_engine.evalValue(*expr, f);
        g->kind = GlobalEntry::Const;
    }
    for (auto& proc : program.procedures) {
        proc->program = &program;
        proc->source = program.source;
        proc->optionExplicit = program.optionExplicit;
        resolveProcedure(*proc, nullptr);
    }
    for (auto& cls : program.classes) {
        cls->program = &program;
        for (auto& proc : cls->procedures) {
            proc->program = &program;
            proc->source = program.source;
            proc->optionExplicit = program.optionExplicit;
            resolveProcedure(*proc, cls.get());
        }
        Scope sc{&global, nullptr, {}};
        for (auto& bounds : cls->fieldBounds)
            for (auto& b : bounds)
                if (b) resolveExpr(*b, sc);
    }
    resolveProcedure(global, outer ? outer->owner : nullptr);
}

void Compiler::compileExpression(Expr& e, const Procedure* proc)
{
    // The expression may only use the scope's existing slots; unknown names become globals.
    Procedure scope;
    if (proc) {
        scope.localNames = proc->localNames;
        scope.localNames.resize(size_t(proc->slotCount));
        scope.owner = proc->owner;
        scope.optionExplicit = proc->optionExplicit;
    }
    Scope sc{&scope, proc ? proc->owner : nullptr, {}};
    resolveExpr(e, sc);
}

int Compiler::addSlot(Procedure& proc, const QString& name)
{
    proc.localNames.push_back(name);
    proc.localConst.push_back(false);
    return int(proc.localNames.size() - 1);
}

void Compiler::resolveProcedure(Procedure& proc, const ClassDef* cls)
{
    Scope sc{&proc, cls, {}};
    for (auto& [slot, expr] : proc.constInits)
        resolveExpr(*expr, sc);
    resolveBlock(proc.body, sc);
    proc.slotCount = int(proc.localNames.size());
}

void Compiler::resolveBlock(Block& block, Scope& sc)
{
    for (auto& s : block)
        resolveStmt(*s, sc);
}

void Compiler::resolveStmt(Stmt& s, Scope& sc)
{
    switch (s.kind) {
    case Stmt::Assign: {
        auto& a = static_cast<AssignStmt&>(s);
        if (a.target->kind == Expr::Name)
            resolveName(static_cast<NameExpr&>(*a.target), sc, false);
        else
            resolveExpr(*a.target, sc);
        resolveExpr(*a.value, sc);
        break;
    }
    case Stmt::CallS:
        resolveExpr(*static_cast<CallStmt&>(s).call, sc);
        break;
    case Stmt::If: {
        auto& i = static_cast<IfStmt&>(s);
        for (auto& [cond, body] : i.branches) {
            resolveExpr(*cond, sc);
            resolveBlock(body, sc);
        }
        resolveBlock(i.elseBlock, sc);
        break;
    }
    case Stmt::Select: {
        auto& sel = static_cast<SelectStmt&>(s);
        resolveExpr(*sel.subject, sc);
        for (auto& [values, body] : sel.cases) {
            for (auto& v : values)
                resolveExpr(*v, sc);
            resolveBlock(body, sc);
        }
        resolveBlock(sel.elseBlock, sc);
        break;
    }
    case Stmt::For: {
        auto& f = static_cast<ForStmt&>(s);
        resolveName(static_cast<NameExpr&>(*f.var), sc, false);
        resolveExpr(*f.from, sc);
        resolveExpr(*f.to, sc);
        if (f.step) resolveExpr(*f.step, sc);
        resolveBlock(f.body, sc);
        break;
    }
    case Stmt::ForEach: {
        auto& f = static_cast<ForEachStmt&>(s);
        resolveName(static_cast<NameExpr&>(*f.var), sc, false);
        resolveExpr(*f.collection, sc);
        resolveBlock(f.body, sc);
        break;
    }
    case Stmt::Do: {
        auto& d = static_cast<DoStmt&>(s);
        if (d.cond) resolveExpr(*d.cond, sc);
        resolveBlock(d.body, sc);
        break;
    }
    case Stmt::With: {
        auto& w = static_cast<WithStmt&>(s);
        resolveExpr(*w.object, sc);
        w.slot = addSlot(*sc.proc, QString());
        sc.withSlots.push_back(w.slot);
        resolveBlock(w.body, sc);
        sc.withSlots.pop_back();
        break;
    }
    case Stmt::Dim:
        for (auto& item : static_cast<DimStmt&>(s).items) {
            resolveName(static_cast<NameExpr&>(*item.target), sc, false);
            for (auto& b : item.bounds)
                resolveExpr(*b, sc);
        }
        break;
    case Stmt::ReDim:
        for (auto& item : static_cast<ReDimStmt&>(s).items) {
            auto& n = static_cast<NameExpr&>(*item.target);
            if (sc.proc->kind != Procedure::Global && findName(sc.proc->localNames, n.name) < 0 &&
                !(sc.cls && sc.cls->findMember(n.name) >= 0) && !m_engine.global(n.name, false))
                addSlot(*sc.proc, n.name); // ReDim declares a local when the name is new
            resolveName(n, sc, false);
            for (auto& b : item.bounds)
                resolveExpr(*b, sc);
        }
        break;
    case Stmt::Erase:
        resolveName(static_cast<NameExpr&>(*static_cast<EraseStmt&>(s).target), sc, false);
        break;
    case Stmt::Exit:
    case Stmt::OnError:
    case Stmt::Nop:
        break;
    }
}

bool Compiler::isLiteral(const Expr& e) const
{
    if (e.kind == Expr::Literal) return true;
    if (e.kind == Expr::Unary && !static_cast<const UnaryExpr&>(e).isNot)
        return isLiteral(*static_cast<const UnaryExpr&>(e).operand);
    if (e.kind != Expr::Name) return false;
    const auto& n = static_cast<const NameExpr&>(e);
    return n.resolved == NameKind::Constant || (n.resolved == NameKind::Global && n.global->kind == GlobalEntry::Const);
}

void Compiler::resolveExpr(Expr& e, Scope& sc)
{
    switch (e.kind) {
    case Expr::Name:
        resolveName(static_cast<NameExpr&>(e), sc, false);
        break;
    case Expr::Call: {
        auto& c = static_cast<CallExpr&>(e);
        if (c.callee->kind == Expr::Name)
            resolveName(static_cast<NameExpr&>(*c.callee), sc, true);
        else
            resolveExpr(*c.callee, sc);
        for (auto& a : c.args)
            resolveExpr(*a, sc);
        break;
    }
    case Expr::Member:
        resolveExpr(*static_cast<MemberExpr&>(e).object, sc);
        break;
    case Expr::Unary:
        resolveExpr(*static_cast<UnaryExpr&>(e).operand, sc);
        break;
    case Expr::Binary: {
        auto& b = static_cast<BinaryExpr&>(e);
        resolveExpr(*b.left, sc);
        resolveExpr(*b.right, sc);
        b.leftLiteral = isLiteral(*b.left);
        b.rightLiteral = isLiteral(*b.right);
        break;
    }
    case Expr::Paren:
        resolveExpr(*static_cast<ParenExpr&>(e).inner, sc);
        break;
    case Expr::New: {
        auto& n = static_cast<NewExpr&>(e);
        n.global = m_engine.global(n.className, true);
        break;
    }
    case Expr::WithObject:
        static_cast<WithObjectExpr&>(e).slot = sc.withSlots.empty() ? -1 : sc.withSlots.back();
        break;
    case Expr::Literal:
    case Expr::Me:
    case Expr::Missing:
        break;
    }
}

void Compiler::resolveName(NameExpr& n, Scope& sc, bool isCallee)
{
    Procedure& proc = *sc.proc;
    const int local = findName(proc.localNames, n.name);
    // Inside a function its name is the result variable, unless called with an argument list.
    if (local >= 0 && !(isCallee && local == proc.resultSlot)) {
        n.resolved = NameKind::Local;
        n.slot = local;
        return;
    }
    if (sc.cls) {
        const int m = sc.cls->findMember(n.name);
        if (m >= 0) {
            const ClassMember& member = sc.cls->members[size_t(m)];
            n.resolved = member.field >= 0 ? NameKind::Field : NameKind::Method;
            n.slot = member.field >= 0 ? member.field : m;
            return;
        }
    }
    GlobalEntry* g = m_engine.global(n.name, false);
    if (g && g->kind != GlobalEntry::Undefined) {
        n.resolved = NameKind::Global;
        n.global = g;
        return;
    }
    const QString lower = n.name.toLower();
    for (const Intrinsic& in : kIntrinsics) {
        if (lower == QLatin1String(in.name)) {
            n.resolved = NameKind::Builtin;
            n.intrinsic = in.id;
            return;
        }
    }
    const Library& lib = Library::instance();
    if (const Builtin* b = lib.function(n.name)) {
        n.resolved = NameKind::Builtin;
        n.builtin = b;
        return;
    }
    if (const Variant* c = lib.constant(n.name)) {
        n.resolved = NameKind::Constant;
        n.constant = c;
        return;
    }
    for (const auto& host : m_engine.m_hosts) {
        if (!host.globalMembers) continue;
        const int id = host.object->findMember(n.name);
        if (id >= 0) {
            n.resolved = NameKind::HostMember;
            n.host = host.object.get();
            n.slot = id;
            return;
        }
    }
    n.global = m_engine.global(n.name, true);
    if (proc.kind == Procedure::Global) {
        n.resolved = NameKind::Global;
        return;
    }
    // An implicit local unless a global of that name exists when it runs; its slot's name is
    // marked so later uses in this procedure resolve the same way.
    const QString marked = QChar(u'\x01') + n.name;
    const int slot = findName(proc.localNames, marked);
    n.resolved = NameKind::Dynamic;
    n.slot = slot >= 0 ? slot : addSlot(proc, marked);
}

} // namespace tv::script
