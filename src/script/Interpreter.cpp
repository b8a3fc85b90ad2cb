#include "script/Interpreter.h"

#include "script/Compiler.h"
#include "script/Parser.h"

#include <pthread.h>

namespace tv::script {

namespace {

thread_local Context* t_current = nullptr;

// Scripts may use up to kStackBudget of the thread's stack, never the last kStackMargin of it.
constexpr size_t kStackBudget = 3 * 1024 * 1024;
constexpr size_t kStackMargin = 256 * 1024;
constexpr int kTimeoutError = 1;

const QString kRuntimeSource = QStringLiteral("Microsoft VBScript runtime error");
const QString kCompileSource = QStringLiteral("Microsoft VBScript compilation error");

enum ErrMember { kErrNumber = 0, kErrDescription, kErrSource, kErrRaise, kErrClear, kErrHelpFile, kErrHelpContext };
const ClassInfo kErrInfo("ErrObject", {{"Number", kErrNumber, 0, 0},
                                       {"Description", kErrDescription, 0, 0},
                                       {"Source", kErrSource, 0, 0},
                                       {"Raise", kErrRaise, 1, 5},
                                       {"Clear", kErrClear, 0, 0},
                                       {"HelpFile", kErrHelpFile, 0, 0},
                                       {"HelpContext", kErrHelpContext, 0, 0}});

std::shared_ptr<SourceText> makeSource(const QString& text)
{
    auto source = std::make_shared<SourceText>();
    source->text = text;
    QStringView all(source->text);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= all.size(); ++i) {
        if (i == all.size() || all[i] == u'\n' || all[i] == u'\r') {
            source->lines.push_back(all.mid(start, i - start));
            if (i < all.size() && all[i] == u'\r' && i + 1 < all.size() && all[i + 1] == u'\n') ++i;
            start = i + 1;
        }
    }
    return source;
}

} // namespace

/// The Err object: the engine's last error, readable and settable by scripts.
class ErrObject : public NativeObject {
public:
    explicit ErrObject(Interpreter& engine) : NativeObject(kErrInfo), m_engine(engine) {}

    Variant invoke(Context&, int id, Invoke kind, std::span<Variant> args) override
    {
        m_info.checkArgs(id, kind == Invoke::Get ? args.size() : args.size() - 1);
        Interpreter& e = m_engine;
        if (kind != Invoke::Get) {
            const Variant& v = args.back();
            switch (id) {
            case kErrNumber:
                e.m_errNumber = v.toLong();
                if (e.m_errDescription.isEmpty()) e.m_errDescription = ScriptError::standardText(e.m_errNumber);
                return {};
            case kErrDescription:
                e.m_errDescription = v.toString();
                return {};
            case kErrSource:
                e.m_errSource = v.toString();
                return {};
            case kErrHelpFile:
            case kErrHelpContext:
                return {};
            default:
                raise(450);
            }
        }
        switch (id) {
        case kErrNumber:
            return Variant::fromLong(e.m_errNumber);
        case kErrDescription:
            return Variant(e.m_errDescription);
        case kErrSource:
            return Variant(e.m_errSource);
        case kErrHelpFile:
            return Variant(QString());
        case kErrHelpContext:
            return Variant::fromLong(0);
        case kErrClear:
            e.m_errNumber = 0;
            e.m_errDescription.clear();
            e.m_errSource.clear();
            return {};
        default: {
            const int number = args[0].toLong();
            if (number == 0) raise(5);
            ScriptError err(number);
            if (args.size() > 1 && !args[1].isEmpty() && args[1].type() != VarType::Error)
                err.source = args[1].toString();
            if (args.size() > 2 && !args[2].isEmpty() && args[2].type() != VarType::Error)
                err.description = args[2].toString();
            throw err;
        }
        }
    }

private:
    Interpreter& m_engine;
};

Context& Context::current()
{
    if (t_current) return *t_current;
    static thread_local Interpreter idle;
    return idle;
}

/// The lowest address of this thread's stack, or null when unknown. Asked once per thread: on the
/// main thread the answer comes from reading the process's memory map, far too slow for every call.
static char* threadStackLow()
{
    thread_local char* const low = [] {
        char* found = nullptr;
        pthread_attr_t attr;
        if (pthread_getattr_np(pthread_self(), &attr) == 0) {
            void* addr = nullptr;
            size_t size = 0;
            if (pthread_attr_getstack(&attr, &addr, &size) == 0)
                found = static_cast<char*>(addr);
            pthread_attr_destroy(&attr);
        }
        return found;
    }();
    return low;
}

/// Entered by every call from the host: sets the time limit and the stack floor once per outermost call.
class HostCall {
public:
    explicit HostCall(Interpreter& e) : m_engine(e), m_previous(t_current)
    {
        t_current = &e;
        if (e.m_hostDepth++ == 0) {
            e.m_deadline = std::chrono::steady_clock::now() + e.m_timeout;
            e.m_errorPlace = {};
            char* here = static_cast<char*>(__builtin_frame_address(0));
            e.m_stackFloor = here - kStackBudget;
            if (char* low = threadStackLow())
                e.m_stackFloor = std::max(e.m_stackFloor, low + kStackMargin);
        }
    }
    ~HostCall()
    {
        --m_engine.m_hostDepth;
        t_current = m_previous;
    }

private:
    Interpreter& m_engine;
    Context* m_previous;
};

Interpreter::Interpreter() : m_errObject(new ErrObject(*this)) {}

Interpreter::~Interpreter()
{
    *m_alive = false;
    reset();
}

GlobalEntry* Interpreter::global(QStringView name, bool create)
{
    const QString key = name.toString().toLower();
    auto it = m_globalIndex.constFind(key);
    if (it != m_globalIndex.constEnd()) return it.value();
    if (!create) return nullptr;
    m_globals.emplace_back();
    GlobalEntry* g = &m_globals.back();
    g->name = name.toString();
    m_globalIndex.insert(key, g);
    return g;
}

void Interpreter::addObject(const QString& name, Ref<ScriptObject> object, bool globalMembers)
{
    GlobalEntry* g = global(name, true);
    g->kind = GlobalEntry::Const;
    g->value = Variant::fromObject(object.get());
    m_hosts.push_back({name, std::move(object), globalMembers});
}

void Interpreter::reset()
{
    m_resetting = true;
    for (GlobalEntry& g : m_globals)
        g.value = Variant();
    m_resetting = false;
    m_globalIndex.clear();
    m_globals.clear();
    m_programs.clear();
    m_hosts.clear();
    m_state.clear();
    m_errNumber = 0;
    m_errDescription.clear();
    m_errSource.clear();
    m_outputUsed = 0;
}

bool Interpreter::runText(const QString& text, ErrorInfo& error)
{
    HostCall call(*this);
    return compileAndRun(text, nullptr, nullptr, &error);
}

std::optional<Variant> Interpreter::evaluateText(const QString& text, ErrorInfo& error)
{
    HostCall call(*this);
    CompileError ce{};
    ExprPtr e = Parser::parseExpression(text, ce);
    if (!e) {
        const auto source = makeSource(text);
        error = {ce.number, ce.description, kCompileSource, ce.line, ce.column, source->lineText(ce.line), true};
        return std::nullopt;
    }
    try {
        Compiler(*this).compileExpression(*e, nullptr);
        Procedure scope;
        Frame f;
        f.proc = &scope;
        return eval(*e, f);
    } catch (const ScriptError& err) {
        setErr(err);
        reportError(err, error);
        error.line = 1;
        error.sourceLine = text;
        return std::nullopt;
    }
}

bool Interpreter::compileAndRun(const QString& text, const Procedure* scope, Frame* caller, ErrorInfo* error)
{
    CompileError ce{};
    std::shared_ptr<Program> program = Parser::parseProgram(text, ce);
    const auto source = makeSource(text);
    if (!program) {
        if (!error) throw ScriptError(ce.number, ce.description, kCompileSource);
        *error = {ce.number, ce.description, kCompileSource, ce.line, ce.column, source->lineText(ce.line), true};
        return false;
    }
    program->source = source;
    try {
        Compiler(*this).compile(*program, scope);
        if (!program->procedures.empty() || !program->classes.empty()) m_programs.push_back(program);
        const Procedure& global = *program->global;
        const size_t shared = size_t(global.sharedSlots);
        std::vector<Variant> storage(size_t(global.slotCount) - shared);
        std::vector<Variant*> vars(size_t(global.slotCount));
        for (size_t i = 0; i < vars.size(); ++i)
            vars[i] = i < shared ? caller->vars[i] : &storage[i - shared];
        Frame f;
        f.vars = vars.data();
        f.proc = &global;
        f.me = caller ? caller->me : nullptr;
        Frame* saved = m_currentFrame;
        m_currentFrame = &f;
        try {
            execBlock(global.body, f);
        } catch (...) {
            m_currentFrame = saved;
            throw;
        }
        m_currentFrame = saved;
        return true;
    } catch (const ScriptError& e) {
        if (!error) throw;
        reportError(e, *error);
        return false;
    }
}

void Interpreter::reportError(const ScriptError& e, ErrorInfo& out)
{
    out = ErrorInfo();
    out.number = e.number;
    out.description = e.description;
    out.source = e.source.isEmpty() ? kRuntimeSource : e.source;
    if (m_errorPlace.source) {
        out.line = m_errorPlace.line;
        out.column = m_errorPlace.column;
        out.sourceLine = m_errorPlace.source->lineText(out.line);
    }
    m_errorPlace = {};
}

void Interpreter::setErr(const ScriptError& e)
{
    m_errNumber = e.number;
    m_errDescription = e.description;
    m_errSource = e.source.isEmpty() ? kRuntimeSource : e.source;
}

void Interpreter::checkTime()
{
    if (m_hostDepth > 0 && std::chrono::steady_clock::now() > m_deadline) {
        ScriptError e(kTimeoutError,
                      QStringLiteral("Script timed out: it ran longer than %1 ms").arg(qint64(m_timeout.count())));
        e.fatal = true;
        throw e;
    }
}

void Interpreter::checkStack()
{
    if (static_cast<char*>(__builtin_frame_address(0)) < m_stackFloor) raise(28);
}

void Interpreter::chargeOutput(int64_t bytes)
{
    m_outputUsed += bytes;
    if (m_outputUsed > m_outputLimit) {
        ScriptError e(
            7, QStringLiteral("Output limit exceeded: the script wrote more than %1 bytes").arg(qint64(m_outputLimit)));
        e.fatal = true;
        throw e;
    }
}

Variant Interpreter::evaluate(const QString& expression)
{
    CompileError ce{};
    ExprPtr e = Parser::parseExpression(expression, ce);
    if (!e) throw ScriptError(ce.number, ce.description, kCompileSource);
    checkStack();
    Frame empty;
    Procedure globalScope;
    empty.proc = &globalScope;
    Frame& f = m_currentFrame ? *m_currentFrame : empty;
    Compiler(*this).compileExpression(*e, f.proc);
    return eval(*e, f);
}

int Interpreter::messageBox(const QString& prompt, int buttons, const QString& title)
{
    return m_messageBox ? m_messageBox(prompt, buttons, title) : 1;
}

std::optional<QString> Interpreter::inputBox(const QString& prompt, const QString& title, const QString& def)
{
    if (!m_inputBox) return std::nullopt;
    return m_inputBox(prompt, title, def);
}

std::shared_ptr<void>& Interpreter::stateSlot(int key)
{
    if (size_t(key) >= m_state.size()) m_state.resize(size_t(key) + 1);
    return m_state[size_t(key)];
}

Variant Interpreter::callIntrinsic(int which, const CallExpr* c, Frame& f)
{
    const size_t count = c ? c->args.size() : 0;
    if (which == 5) {
        if (count) raise(450);
        return Variant::fromObject(m_errObject.get());
    }
    if (count != 1) raise(450, QStringLiteral("Wrong number of arguments or invalid property assignment"));
    const QString text = evalValue(*c->args[0], f).toString();
    switch (which) {
    case 1:
        return evaluate(text);
    case 2:
        checkStack();
        compileAndRun(text, f.proc, &f, nullptr);
        return {};
    case 3:
        checkStack();
        compileAndRun(text, nullptr, nullptr, nullptr);
        return {};
    default:
        return procedureReference(text);
    }
}

} // namespace tv::script
