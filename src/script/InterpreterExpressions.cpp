// Expression evaluation and assignment over the resolved tree.
#include "script/Interpreter.h"
#include "script/Operators.h"

#include <cmath>

namespace tv::script {

namespace {

ClassInstance* asInstance(ScriptObject* o)
{
    return o && o->classKey() && dynamic_cast<ClassInstance*>(o) ? static_cast<ClassInstance*>(o) : nullptr;
}

bool bothSmallIntegers(const Variant& a, const Variant& b)
{
    const VarType ta = a.type(), tb = b.type();
    return (ta == VarType::Integer || ta == VarType::Long) && (tb == VarType::Integer || tb == VarType::Long);
}

Variant finiteDouble(double d)
{
    if (!std::isfinite(d)) raise(6);
    return Variant::fromDouble(d);
}

} // namespace

Variant Interpreter::eval(const Expr& e, Frame& f)
{
    switch (e.kind) {
    case Expr::Literal:
        return static_cast<const LiteralExpr&>(e).value;
    case Expr::Name:
        return evalName(static_cast<const NameExpr&>(e), f);
    case Expr::Call:
        return evalCall(static_cast<const CallExpr&>(e), f);
    case Expr::Member:
        return evalMember(static_cast<const MemberExpr&>(e), f, nullptr);
    case Expr::Unary: {
        const auto& u = static_cast<const UnaryExpr&>(e);
        const Variant v = evalValue(*u.operand, f);
        return u.isNot ? logicalNot(v) : negate(v);
    }
    case Expr::Binary:
        return evalBinary(static_cast<const BinaryExpr&>(e), f);
    case Expr::Paren:
        return eval(*static_cast<const ParenExpr&>(e).inner, f);
    case Expr::New:
        return evalNew(static_cast<const NewExpr&>(e));
    case Expr::Me:
        if (!f.me) raise(424);
        return Variant::fromObject(f.me);
    case Expr::WithObject:
        return *f.vars[static_cast<const WithObjectExpr&>(e).slot];
    case Expr::Missing:
        break;
    }
    return Variant::fromError(int32_t(0x80020004));
}

Variant Interpreter::evalBinary(const BinaryExpr& b, Frame& f)
{
    if (b.op == BinOp::Is) return applyBinary(b.op, eval(*b.left, f), eval(*b.right, f));
    const Variant l = evalValue(*b.left, f);
    const Variant r = evalValue(*b.right, f);
    if (bothSmallIntegers(l, r)) {
        const int64_t x = l.rawInt(), y = r.rawInt();
        const bool longs = l.type() == VarType::Long || r.type() == VarType::Long;
        auto whole = [longs](int64_t v) {
            if (v >= (longs ? INT32_MIN : -32768) && v <= (longs ? INT32_MAX : 32767))
                return longs ? Variant::fromLong(int32_t(v)) : Variant::fromInteger(int16_t(v));
            return Variant::fromWhole(v);
        };
        switch (b.op) {
        case BinOp::Add:
            return whole(x + y);
        case BinOp::Sub:
            return whole(x - y);
        case BinOp::Mul:
            return whole(x * y);
        case BinOp::Eq:
            return Variant::fromBool(x == y);
        case BinOp::Ne:
            return Variant::fromBool(x != y);
        case BinOp::Lt:
            return Variant::fromBool(x < y);
        case BinOp::Gt:
            return Variant::fromBool(x > y);
        case BinOp::Le:
            return Variant::fromBool(x <= y);
        case BinOp::Ge:
            return Variant::fromBool(x >= y);
        case BinOp::Mod:
        case BinOp::IntDiv:
            if (y == 0) raise(11);
            return whole(b.op == BinOp::Mod ? x % y : x / y);
        default:
            break;
        }
    } else if (l.type() == VarType::Double && (r.type() == VarType::Double || bothSmallIntegers(r, r))) {
        const double x = l.rawDouble(), y = r.type() == VarType::Double ? r.rawDouble() : double(r.rawInt());
        switch (b.op) {
        case BinOp::Add:
            return finiteDouble(x + y);
        case BinOp::Sub:
            return finiteDouble(x - y);
        case BinOp::Mul:
            return finiteDouble(x * y);
        case BinOp::Lt:
            return Variant::fromBool(x < y);
        case BinOp::Gt:
            return Variant::fromBool(x > y);
        default:
            break;
        }
    }
    return applyBinary(b.op, l, r, b.leftLiteral, b.rightLiteral);
}

Variant* Interpreter::variableRef(const NameExpr& n, Frame& f, bool forWrite)
{
    GlobalEntry* g = n.global;
    switch (n.resolved) {
    case NameKind::Local:
        if (forWrite && f.proc->localConst[size_t(n.slot)]) raise(501);
        return f.vars[n.slot];
    case NameKind::Field:
        return &f.me->m_fields[size_t(n.slot)];
    case NameKind::Dynamic:
        if (g->kind == GlobalEntry::Undefined) {
            if (f.proc->optionExplicit) raise(500, QStringLiteral("Variable is undefined: '%1'").arg(n.name));
            return f.vars[n.slot];
        }
        [[fallthrough]];
    case NameKind::Global:
        switch (g->kind) {
        case GlobalEntry::Variable:
            return &g->value;
        case GlobalEntry::Undefined:
            if (f.proc->optionExplicit) raise(500, QStringLiteral("Variable is undefined: '%1'").arg(n.name));
            g->kind = GlobalEntry::Variable;
            return &g->value;
        default:
            if (forWrite) raise(501);
            return nullptr;
        }
    default:
        if (forWrite) raise(501);
        return nullptr;
    }
}

Variant Interpreter::evalName(const NameExpr& n, Frame& f)
{
    switch (n.resolved) {
    case NameKind::Local:
        return *f.vars[n.slot];
    case NameKind::Field:
        return f.me->m_fields[size_t(n.slot)];
    case NameKind::Dynamic:
        if (n.global->kind == GlobalEntry::Undefined) {
            if (f.proc->optionExplicit) raise(500, QStringLiteral("Variable is undefined: '%1'").arg(n.name));
            return *f.vars[n.slot];
        }
        return callGlobalEntry(*n.global, nullptr, f);
    case NameKind::Global:
        return callGlobalEntry(*n.global, nullptr, f);
    case NameKind::Method:
        return invokeMember(*f.me, n.slot, Invoke::Get, nullptr, 0, true);
    case NameKind::Builtin:
        return n.intrinsic ? callIntrinsic(n.intrinsic, nullptr, f) : callBuiltin(*n.builtin, nullptr, f);
    case NameKind::Constant:
        return *n.constant;
    case NameKind::HostMember:
        return callHost(*n.host, n.slot, Invoke::Get, nullptr, f, nullptr);
    case NameKind::Unresolved:
        break;
    }
    raise(500);
}

Variant Interpreter::indexValue(const Variant& target, const std::vector<ExprPtr>& args, Frame& f)
{
    if (target.isArray()) {
        if (args.empty()) return target;
        int32_t inlineIdx[4];
        std::vector<int32_t> big;
        int32_t* idx = inlineIdx;
        if (args.size() > 4) {
            big.resize(args.size());
            idx = big.data();
        }
        for (size_t i = 0; i < args.size(); ++i)
            idx[i] = evalValue(*args[i], f).toLong();
        return const_cast<ArrayData*>(target.rawArray())->at(std::span<const int32_t>(idx, args.size()));
    }
    if (target.isObject()) {
        ScriptObject* o = target.rawObject();
        if (!o) raise(91);
        if (ClassInstance* ci = asInstance(o)) {
            if (ci->m_class.defaultMember < 0) raise(438);
            ArgPack pack;
            bindArgs(args, f, pack);
            return invokeMember(*ci, ci->m_class.defaultMember, Invoke::Get, pack.ptrs, pack.count, ci == f.me);
        }
        return callHost(*o, 0, Invoke::Get, &args, f, nullptr);
    }
    if (args.empty()) return target;
    raise(13);
}

Variant* Interpreter::elementRef(const CallExpr& c, Frame& f, bool forWrite)
{
    if (c.callee->kind != Expr::Name || c.args.empty()) return nullptr;
    Variant* var = variableRef(static_cast<const NameExpr&>(*c.callee), f, false);
    if (!var || !var->isArray()) return nullptr;
    int32_t inlineIdx[4];
    std::vector<int32_t> big;
    int32_t* idx = inlineIdx;
    if (c.args.size() > 4) {
        big.resize(c.args.size());
        idx = big.data();
    }
    for (size_t i = 0; i < c.args.size(); ++i)
        idx[i] = evalValue(*c.args[i], f).toLong();
    // Index evaluation may have run code that changed the variable; look at it again.
    if (!var->isArray()) return nullptr;
    ArrayData& data = forWrite ? var->mutableArray() : *const_cast<ArrayData*>(var->rawArray());
    return &data.at(std::span<const int32_t>(idx, c.args.size()));
}

Variant Interpreter::evalCall(const CallExpr& c, Frame& f)
{
    const Expr& callee = *c.callee;
    if (callee.kind == Expr::Name) {
        const auto& n = static_cast<const NameExpr&>(callee);
        switch (n.resolved) {
        case NameKind::Local:
        case NameKind::Field:
            return indexValue(*variableRef(n, f, false), c.args, f);
        case NameKind::Dynamic:
            if (n.global->kind == GlobalEntry::Undefined) return indexValue(*variableRef(n, f, false), c.args, f);
            return callGlobalEntry(*n.global, &c.args, f);
        case NameKind::Global:
            return callGlobalEntry(*n.global, &c.args, f);
        case NameKind::Method: {
            ArgPack pack;
            bindArgs(c.args, f, pack);
            return invokeMember(*f.me, n.slot, Invoke::Get, pack.ptrs, pack.count, true);
        }
        case NameKind::Builtin:
            return n.intrinsic ? callIntrinsic(n.intrinsic, &c, f) : callBuiltin(*n.builtin, &c.args, f);
        case NameKind::Constant:
            return indexValue(*n.constant, c.args, f);
        case NameKind::HostMember:
            return callHost(*n.host, n.slot, Invoke::Get, &c.args, f, nullptr);
        case NameKind::Unresolved:
            raise(500);
        }
    }
    if (callee.kind == Expr::Member) return evalMember(static_cast<const MemberExpr&>(callee), f, &c.args);
    return indexValue(eval(callee, f), c.args, f);
}

int Interpreter::memberIdOf(const MemberExpr& m, ScriptObject* obj)
{
    const void* key = obj->classKey();
    if (key && key == m.cacheKey) return m.cacheId;
    const int id = obj->findMember(m.name);
    if (id < 0) raise(438, QStringLiteral("Object doesn't support this property or method: '%1'").arg(m.name));
    if (key) {
        m.cacheKey = key;
        m.cacheId = id;
    }
    return id;
}

Variant Interpreter::evalMember(const MemberExpr& m, Frame& f, const std::vector<ExprPtr>* args)
{
    const Variant target = eval(*m.object, f);
    if (!target.isObject()) raise(424);
    ScriptObject* obj = target.rawObject();
    if (!obj) raise(91);
    ClassInstance* ci = asInstance(obj);
    if (ci && ci == f.me) {
        const int member = ci->m_class.findMember(m.name);
        if (member < 0) raise(438, QStringLiteral("Object doesn't support this property or method: '%1'").arg(m.name));
        ArgPack pack;
        if (args) bindArgs(*args, f, pack);
        return invokeMember(*ci, member, Invoke::Get, pack.ptrs, pack.count, true);
    }
    const int id = memberIdOf(m, obj);
    if (ci) {
        ArgPack pack;
        if (args) bindArgs(*args, f, pack);
        return invokeMember(*ci, id - 1, Invoke::Get, pack.ptrs, pack.count, false);
    }
    return callHost(*obj, id, Invoke::Get, args, f, nullptr);
}

void Interpreter::assign(const Expr& target, Variant value, bool isSet, Frame& f)
{
    if (isSet) {
        if (!value.isObject()) raise(424);
    } else if (value.isObject()) {
        value = value.dereferenced();
    }
    const Invoke kind = isSet ? Invoke::Set : Invoke::Let;
    switch (target.kind) {
    case Expr::Name: {
        const auto& n = static_cast<const NameExpr&>(target);
        if (n.resolved == NameKind::Method) {
            Variant* arg = &value;
            invokeMember(*f.me, n.slot, kind, &arg, 1, true);
            return;
        }
        if (n.resolved == NameKind::HostMember) {
            callHost(*n.host, n.slot, kind, nullptr, f, &value);
            return;
        }
        *variableRef(n, f, true) = std::move(value);
        return;
    }
    case Expr::Call: {
        const auto& c = static_cast<const CallExpr&>(target);
        if (c.callee->kind == Expr::Name) {
            const auto& n = static_cast<const NameExpr&>(*c.callee);
            if (n.resolved == NameKind::Method || n.resolved == NameKind::HostMember) {
                if (n.resolved == NameKind::HostMember) {
                    callHost(*n.host, n.slot, kind, &c.args, f, &value);
                    return;
                }
                ArgPack pack;
                bindArgs(c.args, f, pack);
                std::vector<Variant*> refs(pack.ptrs, pack.ptrs + pack.count);
                refs.push_back(&value);
                invokeMember(*f.me, n.slot, kind, refs.data(), refs.size(), true);
                return;
            }
            if (Variant* element = elementRef(c, f, true)) {
                *element = std::move(value);
                return;
            }
            Variant* var = variableRef(n, f, false);
            if (!var || !var->isObject()) raise(var ? 13 : 501);
            ScriptObject* o = var->rawObject();
            if (!o) raise(91);
            if (ClassInstance* ci = asInstance(o)) {
                if (ci->m_class.defaultMember < 0) raise(438);
                ArgPack pack;
                bindArgs(c.args, f, pack);
                std::vector<Variant*> refs(pack.ptrs, pack.ptrs + pack.count);
                refs.push_back(&value);
                invokeMember(*ci, ci->m_class.defaultMember, kind, refs.data(), refs.size(), ci == f.me);
                return;
            }
            Variant keep = *var;
            callHost(*o, 0, kind, &c.args, f, &value);
            return;
        }
        if (c.callee->kind == Expr::Member) {
            const auto& m = static_cast<const MemberExpr&>(*c.callee);
            const Variant obj = eval(*m.object, f);
            if (!obj.isObject()) raise(424);
            if (!obj.rawObject()) raise(91);
            ClassInstance* ci = asInstance(obj.rawObject());
            if (ci) {
                const bool inside = ci == f.me;
                const int member = inside ? ci->m_class.findMember(m.name) : memberIdOf(m, ci) - 1;
                if (member < 0) raise(438);
                ArgPack pack;
                bindArgs(c.args, f, pack);
                std::vector<Variant*> refs(pack.ptrs, pack.ptrs + pack.count);
                refs.push_back(&value);
                invokeMember(*ci, member, kind, refs.data(), refs.size(), inside);
                return;
            }
            callHost(*obj.rawObject(), memberIdOf(m, obj.rawObject()), kind, &c.args, f, &value);
            return;
        }
        raise(501);
    }
    case Expr::Member: {
        const auto& m = static_cast<const MemberExpr&>(target);
        const Variant obj = eval(*m.object, f);
        if (!obj.isObject()) raise(424);
        if (!obj.rawObject()) raise(91);
        ClassInstance* ci = asInstance(obj.rawObject());
        Variant* arg = &value;
        if (ci) {
            const bool inside = ci == f.me;
            const int member = inside ? ci->m_class.findMember(m.name) : memberIdOf(m, ci) - 1;
            if (member < 0) raise(438);
            invokeMember(*ci, member, kind, &arg, 1, inside);
            return;
        }
        callHost(*obj.rawObject(), memberIdOf(m, obj.rawObject()), kind, nullptr, f, &value);
        return;
    }
    default:
        raise(501);
    }
}

} // namespace tv::script
