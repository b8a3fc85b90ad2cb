// Statement execution. Each statement is its own error boundary: under On Error Resume Next a
// failing statement records Err and execution goes on with the next one.
#include "script/Interpreter.h"
#include "script/Operators.h"

namespace tv::script {

namespace {

bool isLiteralExpr(const Expr& e)
{
    if (e.kind == Expr::Literal) return true;
    if (e.kind == Expr::Unary && !static_cast<const UnaryExpr&>(e).isNot)
        return isLiteralExpr(*static_cast<const UnaryExpr&>(e).operand);
    return e.kind == Expr::Name && static_cast<const NameExpr&>(e).resolved == NameKind::Constant;
}

bool isWhole(const Variant& v)
{
    const VarType t = v.type();
    return t == VarType::Integer || t == VarType::Long || t == VarType::Byte;
}

std::vector<int32_t> boundsOf(const std::vector<int32_t>& counts)
{
    std::vector<int32_t> ub;
    for (int32_t c : counts)
        ub.push_back(c - 1);
    return ub;
}

} // namespace

Interpreter::Flow Interpreter::execBlock(const Block& block, Frame& f)
{
    for (const StmtPtr& sp : block) {
        const Stmt& s = *sp;
        try {
            const Flow flow = execStatement(s, f);
            if (flow != Flow::Normal) return flow;
        } catch (const ScriptError& e) {
            if (!e.fatal) setErr(e);
            if (!f.resumeNext || e.fatal) {
                if (!m_errorPlace.source) m_errorPlace = {f.proc->source, s.line, s.column};
                throw;
            }
            m_errorPlace = {};
        }
    }
    return Flow::Normal;
}

bool Interpreter::evalCondition(const Expr& e, Frame& f)
{
    const Variant v = evalValue(e, f);
    if (v.type() == VarType::Boolean) return v.rawInt() != 0;
    return !v.isNull() && v.toBoolean();
}

Interpreter::Flow Interpreter::execStatement(const Stmt& s, Frame& f)
{
    switch (s.kind) {
    case Stmt::Assign: {
        const auto& a = static_cast<const AssignStmt&>(s);
        assign(*a.target, eval(*a.value, f), a.isSet, f);
        return Flow::Normal;
    }
    case Stmt::CallS:
        eval(*static_cast<const CallStmt&>(s).call, f);
        return Flow::Normal;
    case Stmt::If: {
        const auto& i = static_cast<const IfStmt&>(s);
        for (const auto& [cond, body] : i.branches) {
            bool taken;
            try {
                taken = evalCondition(*cond, f);
            } catch (const ScriptError& e) {
                // Resume Next continues with the next statement: the first of the Then branch.
                if (!f.resumeNext || e.fatal) throw;
                setErr(e);
                taken = true;
            }
            if (taken) return execBlock(body, f);
        }
        return execBlock(i.elseBlock, f);
    }
    case Stmt::Select: {
        Flow flow = Flow::Normal;
        execSelect(static_cast<const SelectStmt&>(s), f, flow);
        return flow;
    }
    case Stmt::For:
        return execFor(static_cast<const ForStmt&>(s), f);
    case Stmt::ForEach:
        return execForEach(static_cast<const ForEachStmt&>(s), f);
    case Stmt::Do:
        return execDo(static_cast<const DoStmt&>(s), f);
    case Stmt::Exit:
        switch (static_cast<const ExitStmt&>(s).what) {
        case ExitStmt::ExitDo:
            return Flow::ExitDo;
        case ExitStmt::ExitFor:
            return Flow::ExitFor;
        default:
            return Flow::ExitProc;
        }
    case Stmt::With: {
        const auto& w = static_cast<const WithStmt&>(s);
        Variant& slot = *f.vars[w.slot];
        slot = eval(*w.object, f);
        Flow flow;
        try {
            flow = execBlock(w.body, f);
        } catch (...) {
            slot = Variant();
            throw;
        }
        slot = Variant();
        return flow;
    }
    case Stmt::Dim:
        execDim(static_cast<const DimStmt&>(s), f);
        return Flow::Normal;
    case Stmt::ReDim:
        execReDim(static_cast<const ReDimStmt&>(s), f);
        return Flow::Normal;
    case Stmt::Erase:
        execErase(static_cast<const EraseStmt&>(s), f);
        return Flow::Normal;
    case Stmt::OnError:
        f.resumeNext = static_cast<const OnErrorStmt&>(s).resumeNext;
        m_errNumber = 0;
        m_errDescription.clear();
        m_errSource.clear();
        return Flow::Normal;
    case Stmt::Nop:
        break;
    }
    return Flow::Normal;
}

void Interpreter::execSelect(const SelectStmt& s, Frame& f, Flow& flow)
{
    const Variant subject = evalValue(*s.subject, f);
    const bool subjectLiteral = isLiteralExpr(*s.subject);
    for (const auto& [values, body] : s.cases) {
        for (const auto& v : values) {
            if (compareValues(subject, evalValue(*v, f), subjectLiteral, isLiteralExpr(*v)) == 0) {
                flow = execBlock(body, f);
                return;
            }
        }
    }
    flow = execBlock(s.elseBlock, f);
}

Interpreter::Flow Interpreter::execFor(const ForStmt& s, Frame& f)
{
    const auto& varName = static_cast<const NameExpr&>(*s.var);
    const Variant from = evalValue(*s.from, f).toNumeric();
    const Variant to = evalValue(*s.to, f).toNumeric();
    const Variant step = s.step ? evalValue(*s.step, f).toNumeric() : Variant::fromInteger(1);
    if (from.isNull() || to.isNull() || step.isNull()) raise(94);
    Variant* var = variableRef(varName, f, true);
    if (!var) raise(5);
    if (isWhole(from) && isWhole(to) && isWhole(step)) {
        int64_t i = from.rawInt();
        const int64_t end = to.rawInt(), st = step.rawInt();
        *var = Variant::fromWhole(i);
        while (st >= 0 ? i <= end : i >= end) {
            const Flow flow = execBlock(s.body, f);
            if (flow == Flow::ExitFor) return Flow::Normal;
            if (flow != Flow::Normal) return flow;
            if ((++m_ticks & 0x3FF) == 0) checkTime();
            if (!isWhole(*var)) {
                // The body stored something else in the counter: go on with the general rules.
                *var = applyBinary(BinOp::Add, var->toNumeric(), step);
                goto general;
            }
            i = var->rawInt() + st;
            *var = Variant::fromWhole(i);
        }
        return Flow::Normal;
    }
    *var = from;
general:
    const bool up = step.toDouble() >= 0;
    for (;;) {
        const int c = compareValues(var->toNumeric(), to, false, false);
        if (c == 2 || (up ? c > 0 : c < 0)) return Flow::Normal;
        const Flow flow = execBlock(s.body, f);
        if (flow == Flow::ExitFor) return Flow::Normal;
        if (flow != Flow::Normal) return flow;
        if ((++m_ticks & 0x3FF) == 0) checkTime();
        *var = applyBinary(BinOp::Add, var->toNumeric(), step);
    }
}

Interpreter::Flow Interpreter::execForEach(const ForEachStmt& s, Frame& f)
{
    const Variant collection = eval(*s.collection, f);
    std::vector<Variant> objectItems;
    const std::vector<Variant>* items = nullptr;
    if (collection.isArray()) {
        items = &collection.rawArray()->items;
    } else if (collection.isObject()) {
        if (!collection.rawObject()) raise(91);
        if (!collection.rawObject()->enumerate(*this, objectItems)) raise(451);
        items = &objectItems;
    } else {
        raise(451);
    }
    const auto& varName = static_cast<const NameExpr&>(*s.var);
    for (size_t i = 0; i < items->size(); ++i) {
        *variableRef(varName, f, true) = (*items)[i];
        const Flow flow = execBlock(s.body, f);
        if (flow == Flow::ExitFor) return Flow::Normal;
        if (flow != Flow::Normal) return flow;
        if ((++m_ticks & 0x3FF) == 0) checkTime();
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::execDo(const DoStmt& s, Frame& f)
{
    auto keepGoing = [&] {
        bool c;
        try {
            c = evalCondition(*s.cond, f);
        } catch (const ScriptError& e) {
            if (!f.resumeNext || e.fatal) throw;
            setErr(e);
            return !s.testAtEnd; // the next statement is the loop's first (top test) or the one after it
        }
        return s.until ? !c : c;
    };
    for (;;) {
        if (s.cond && !s.testAtEnd && !keepGoing()) return Flow::Normal;
        const Flow flow = execBlock(s.body, f);
        if (flow == Flow::ExitDo && !s.isWhileWend) return Flow::Normal;
        if (flow != Flow::Normal) return flow;
        if (s.cond && s.testAtEnd && !keepGoing()) return Flow::Normal;
        if ((++m_ticks & 0x3FF) == 0) checkTime();
    }
}

void Interpreter::execDim(const DimStmt& s, Frame& f)
{
    for (const auto& item : s.items) {
        std::vector<int32_t> ub;
        for (const auto& b : item.bounds)
            ub.push_back(evalValue(*b, f).toLong());
        *variableRef(static_cast<const NameExpr&>(*item.target), f, true) = Variant::newArray(ub, !ub.empty());
    }
}

void Interpreter::execReDim(const ReDimStmt& s, Frame& f)
{
    for (const auto& item : s.items) {
        std::vector<int32_t> ub;
        for (const auto& b : item.bounds)
            ub.push_back(evalValue(*b, f).toLong());
        Variant* var = variableRef(static_cast<const NameExpr&>(*item.target), f, true);
        const ArrayData* old = var->isArray() ? var->rawArray() : nullptr;
        if (old && (old->fixed || old->locks > 0)) raise(10);
        Variant fresh = Variant::newArray(ub);
        if (s.preserve && old && old->rank() > 0) {
            if (old->rank() != int(ub.size())) raise(9);
            const std::vector<int32_t> oldUb = boundsOf(old->counts);
            for (size_t d = 0; d + 1 < ub.size(); ++d)
                if (oldUb[d] != ub[d]) raise(9);
            ArrayData& dst = fresh.mutableArray();
            const size_t n = std::min(dst.items.size(), old->items.size());
            for (size_t i = 0; i < n; ++i)
                dst.items[i] = old->items[i];
        } else if (s.preserve && var->isArray() == false && !var->isEmpty()) {
            raise(13);
        }
        *var = std::move(fresh);
    }
}

void Interpreter::execErase(const EraseStmt& s, Frame& f)
{
    Variant* var = variableRef(static_cast<const NameExpr&>(*s.target), f, true);
    if (!var->isArray()) raise(13);
    if (var->rawArray()->locks > 0) raise(10);
    if (var->rawArray()->fixed) {
        for (Variant& item : var->mutableArray().items)
            item = Variant();
        return;
    }
    *var = Variant::newArray({});
}

} // namespace tv::script
