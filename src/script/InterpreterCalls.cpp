// Procedure calls: argument binding (ByRef by default, array elements locked while referenced),
// script class instances, built-ins, host objects and GetRef references.
#include "script/Interpreter.h"

namespace tv::script {

namespace {

constexpr size_t kInlineSlots = 12;

const Variant kMissing = Variant::fromError(int32_t(0x80020004));

/// A reference to a global procedure, as GetRef returns it; calling it calls the procedure.
class ProcedureRef : public ScriptObject {
public:
    ProcedureRef(Interpreter& engine, const Procedure& proc)
        : m_engine(engine), m_proc(proc), m_program(proc.program ? proc.program->shared_from_this() : nullptr)
    {
    }
    QString typeName() const override { return QStringLiteral("Object"); }
    int findMember(QStringView) const override { return -1; }
    Variant invoke(Context&, int id, Invoke kind, std::span<Variant> args) override
    {
        if (id != 0 || kind != Invoke::Get) raise(438);
        std::vector<Variant*> refs;
        for (Variant& a : args)
            refs.push_back(&a);
        return m_engine.callProcedure(m_proc, nullptr, refs.data(), refs.size());
    }

private:
    Interpreter& m_engine;
    const Procedure& m_proc;
    std::shared_ptr<Program> m_program;
};

} // namespace

void Interpreter::bindArgs(const std::vector<ExprPtr>& args, Frame& f, ArgPack& pack)
{
    pack.reserve(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
        const Expr& a = *args[i];
        Variant* ref = nullptr;
        if (a.kind == Expr::Name) {
            ref = variableRef(static_cast<const NameExpr&>(a), f, false);
        } else if (a.kind == Expr::Call) {
            ref = elementRef(static_cast<const CallExpr&>(a), f, true);
            if (ref) {
                // The element stays referenced until the call returns: ReDim/Erase of its array fail.
                Variant* arrayVar =
                    variableRef(static_cast<const NameExpr&>(*static_cast<const CallExpr&>(a).callee), f, false);
                ArrayData& data = arrayVar->mutableArray();
                ++data.locks;
                ++data.refs; // the variable may be reassigned during the call
                pack.locks.push_back(&data);
            }
        }
        if (!ref) {
            pack.temps[i] = a.kind == Expr::Missing ? kMissing : eval(a, f);
            ref = &pack.temps[i];
        }
        pack.ptrs[i] = ref;
    }
}

Variant Interpreter::callProcedure(const Procedure& proc, ClassInstance* me, Variant** args, size_t count)
{
    if (count != proc.params.size())
        raise(450, QStringLiteral("Wrong number of arguments or invalid property assignment: '%1'").arg(proc.name));
    checkStack();
    if ((++m_ticks & 0x3FF) == 0) checkTime();
    const size_t n = size_t(proc.slotCount);
    Variant inlineStorage[kInlineSlots];
    Variant* inlineSlots[kInlineSlots];
    std::vector<Variant> bigStorage;
    std::vector<Variant*> bigSlots;
    Variant* storage = inlineStorage;
    Variant** vars = inlineSlots;
    if (n > kInlineSlots) {
        bigStorage.resize(n);
        bigSlots.resize(n);
        storage = bigStorage.data();
        vars = bigSlots.data();
    }
    for (size_t i = 0; i < n; ++i) {
        if (i < count && !proc.params[i].byVal) {
            vars[i] = args[i];
        } else {
            if (i < count) storage[i] = *args[i];
            vars[i] = &storage[i];
        }
    }
    Frame f;
    f.vars = vars;
    f.proc = &proc;
    f.me = me;
    Frame* saved = m_currentFrame;
    m_currentFrame = &f;
    try {
        for (const auto& [slot, expr] : proc.constInits)
            *vars[slot] = evalValue(*expr, f);
        execBlock(proc.body, f);
    } catch (...) {
        m_currentFrame = saved;
        throw;
    }
    m_currentFrame = saved;
    return proc.resultSlot >= 0 ? std::move(*vars[proc.resultSlot]) : Variant();
}

Variant Interpreter::callBuiltin(const Builtin& b, const std::vector<ExprPtr>* args, Frame& f)
{
    const size_t count = args ? args->size() : 0;
    if (int(count) < b.minArgs || (b.maxArgs >= 0 && int(count) > b.maxArgs))
        raise(450, QStringLiteral("Wrong number of arguments or invalid property assignment: '%1'")
                       .arg(QLatin1String(b.name)));
    Variant inlineValues[kInlineArgs];
    std::vector<Variant> big;
    Variant* values = inlineValues;
    if (count > kInlineArgs) {
        big.resize(count);
        values = big.data();
    }
    for (size_t i = 0; i < count; ++i) {
        const Expr& a = *(*args)[i];
        values[i] = a.kind == Expr::Missing ? kMissing : eval(a, f);
    }
    return b.function(*this, std::span<Variant>(values, count));
}

Variant Interpreter::callHost(ScriptObject& obj, int id, Invoke kind, const std::vector<ExprPtr>* args, Frame& f,
                              Variant* extra)
{
    const size_t count = (args ? args->size() : 0) + (extra ? 1 : 0);
    Variant inlineValues[kInlineArgs];
    std::vector<Variant> big;
    Variant* values = inlineValues;
    if (count > kInlineArgs) {
        big.resize(count);
        values = big.data();
    }
    size_t i = 0;
    if (args)
        for (const auto& a : *args)
            values[i++] = a->kind == Expr::Missing ? kMissing : eval(*a, f);
    if (extra) values[i] = std::move(*extra);
    Ref<ScriptObject> keep(&obj);
    return obj.invoke(*this, id, kind, std::span<Variant>(values, count));
}

Variant Interpreter::callGlobalEntry(GlobalEntry& g, const std::vector<ExprPtr>* args, Frame& f)
{
    switch (g.kind) {
    case GlobalEntry::Proc: {
        ArgPack pack;
        if (args) bindArgs(*args, f, pack);
        return callProcedure(*g.proc, nullptr, pack.ptrs, pack.count);
    }
    case GlobalEntry::Variable:
    case GlobalEntry::Const:
        return args ? indexValue(g.value, *args, f) : g.value;
    case GlobalEntry::Class:
        raise(13, QStringLiteral("Type mismatch: '%1'").arg(g.name));
    default:
        if (f.proc && f.proc->optionExplicit) raise(500, QStringLiteral("Variable is undefined: '%1'").arg(g.name));
        if (args) raise(13, QStringLiteral("Type mismatch: '%1'").arg(g.name));
        return {};
    }
}

Variant Interpreter::invokeMember(ClassInstance& obj, int member, Invoke kind, Variant** args, size_t count,
                                  bool inside)
{
    const ClassMember& m = obj.m_class.members[size_t(member)];
    if (!m.isPublic && !inside)
        raise(438, QStringLiteral("Object doesn't support this property or method: '%1'").arg(m.name));
    Ref<ScriptObject> keep(&obj);
    if (m.field >= 0) {
        Variant& field = obj.m_fields[size_t(m.field)];
        if (kind == Invoke::Get) {
            if (count == 0) return field;
            std::vector<int32_t> idx;
            if (field.isArray()) {
                for (size_t i = 0; i < count; ++i)
                    idx.push_back(args[i]->toLong());
                return const_cast<ArrayData*>(field.rawArray())->at(idx);
            }
            if (field.isObject()) return callValue(field, std::span<Variant>(*args, count));
            raise(13);
        }
        if (count == 1) {
            field = *args[0];
            return {};
        }
        if (!field.isArray()) raise(13);
        std::vector<int32_t> idx;
        for (size_t i = 0; i + 1 < count; ++i)
            idx.push_back(args[i]->toLong());
        field.mutableArray().at(idx) = *args[count - 1];
        return {};
    }
    const Procedure* proc = kind == Invoke::Get   ? (m.getter ? m.getter : m.method)
                            : kind == Invoke::Let ? m.letter
                                                  : m.setter;
    if (!proc) raise(kind == Invoke::Get ? 438 : 450);
    return callProcedure(*proc, &obj, args, count);
}

ClassInstance::ClassInstance(Interpreter& engine, const ClassDef& cls)
    : m_engine(engine), m_class(cls), m_program(cls.program ? cls.program->shared_from_this() : nullptr),
      m_engineAlive(engine.m_alive), m_fields(cls.fieldNames.size())
{
}

int ClassInstance::findMember(QStringView name) const
{
    const int i = m_class.findMember(name);
    return i >= 0 && m_class.members[size_t(i)].isPublic ? i + 1 : -1;
}

Variant ClassInstance::invoke(Context&, int id, Invoke kind, std::span<Variant> args)
{
    const int member = id == 0 ? m_class.defaultMember : id - 1;
    if (member < 0) raise(438);
    std::vector<Variant*> refs;
    for (Variant& a : args)
        refs.push_back(&a);
    return m_engine.invokeMember(*this, member, kind, refs.data(), refs.size(), false);
}

void ClassInstance::lastReleased()
{
    if (m_class.terminate && !m_terminated && *m_engineAlive) {
        m_terminated = true;
        addRef();
        try {
            m_engine.callProcedure(*m_class.terminate, this, nullptr, 0);
        } catch (const ScriptError&) {
            // VBScript drops errors raised while an object is destroyed.
        }
        if (refCount() > 1) {
            // Class_Terminate stored Me somewhere: the object lives on.
            const_cast<ClassInstance*>(this)->m_terminated = true;
            release();
            return;
        }
    }
    delete this;
}

Variant Interpreter::evalNew(const NewExpr& n)
{
    GlobalEntry* g = n.global;
    if (g->kind != GlobalEntry::Class) {
        if (ObjectFactory create = Library::instance().factory(n.className)) {
            Ref<ScriptObject> o = create(*this);
            return Variant::fromObject(o.get());
        }
        raise(506, QStringLiteral("Class not defined: '%1'").arg(n.className));
    }
    const ClassDef& cls = *g->cls;
    auto* inst = new ClassInstance(*this, cls);
    Variant result = Variant::fromObject(inst);
    Frame f;
    Procedure scope;
    f.proc = &scope;
    for (size_t i = 0; i < cls.fieldBounds.size(); ++i) {
        const auto& bounds = cls.fieldBounds[i];
        if (bounds.empty()) continue;
        std::vector<int32_t> ub;
        for (const auto& b : bounds)
            if (b) ub.push_back(evalValue(*b, f).toLong());
        inst->m_fields[i] = Variant::newArray(ub, !ub.empty());
    }
    if (cls.initialize) callProcedure(*cls.initialize, inst, nullptr, 0);
    return result;
}

Variant Interpreter::callValue(const Variant& callee, std::span<Variant> args)
{
    if (!callee.isObject()) raise(13);
    if (!callee.rawObject()) raise(91);
    return callee.rawObject()->invoke(*this, 0, Invoke::Get, args);
}

Variant Interpreter::procedureReference(const QString& name)
{
    GlobalEntry* g = global(name, false);
    if (!g || g->kind != GlobalEntry::Proc) raise(5);
    return Variant::fromObject(new ProcedureRef(*this, *g->proc));
}

} // namespace tv::script
