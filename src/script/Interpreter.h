// The engine's inside: the global table, the compiler that resolves names in place, and the tree
// interpreter. Run-time errors are C++ exceptions caught per statement, which makes the
// statement-granular On Error Resume Next natural and costs nothing while no error happens.
#pragma once

#include "script/Ast.h"
#include "script/Builtins.h"
#include "script/Lexer.h"
#include "script/ScriptEngine.h"

#include <QHash>
#include <chrono>
#include <deque>

namespace tv::script {

struct GlobalEntry {
    enum Kind : uint8_t { Undefined, Variable, Const, Proc, Class };
    QString name;
    Kind kind = Undefined;
    Variant value;
    Procedure* proc = nullptr;
    ClassDef* cls = nullptr;
};

class Interpreter;

/// An instance of a script Class.
class ClassInstance : public ScriptObject {
public:
    ClassInstance(Interpreter& engine, const ClassDef& cls);
    QString typeName() const override { return m_class.name; }
    int findMember(QStringView name) const override;
    Variant invoke(Context& cx, int id, Invoke kind, std::span<Variant> args) override;
    const void* classKey() const override { return &m_class; }
    void lastReleased() override;

    Interpreter& m_engine;
    const ClassDef& m_class;
    std::shared_ptr<Program> m_program; ///< keeps the class definition alive after a reset
    std::shared_ptr<bool> m_engineAlive;
    std::vector<Variant> m_fields;
    bool m_terminated = false;
};

struct Frame {
    Variant** vars = nullptr;
    const Procedure* proc = nullptr;
    ClassInstance* me = nullptr;
    bool resumeNext = false;
};

/// Where an uncaught error happened, captured by the innermost statement.
struct ErrorPlace {
    std::shared_ptr<const SourceText> source; // owned: an Execute text may be gone when the error is reported
    int line = 0;
    int column = 0;
};

class Interpreter final : public Context {
public:
    Interpreter();
    ~Interpreter() override;

    // Host operations (ScriptEngine forwards here).
    bool runText(const QString& text, ErrorInfo& error);
    std::optional<Variant> evaluateText(const QString& text, ErrorInfo& error);
    void addObject(const QString& name, Ref<ScriptObject> object, bool globalMembers);
    void reset();

    std::chrono::milliseconds m_timeout{10000};
    int64_t m_outputLimit = int64_t(1) << 30;
    std::function<int(const QString&, int, const QString&)> m_messageBox;
    std::function<std::optional<QString>(const QString&, const QString&, const QString&)> m_inputBox;

    // Context
    void checkTime() override;
    void chargeOutput(int64_t bytes) override;
    Variant evaluate(const QString& expression) override;
    Variant callValue(const Variant& callee, std::span<Variant> args) override;
    Variant procedureReference(const QString& name) override;
    int messageBox(const QString& prompt, int buttons, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& def) override;

    // Used by the compiler and class instances.
    GlobalEntry* global(QStringView name, bool create);
    struct HostObject {
        QString name;
        Ref<ScriptObject> object;
        bool globalMembers;
    };
    std::vector<HostObject> m_hosts;
    bool m_resetting = false;
    Variant callProcedure(const Procedure& proc, ClassInstance* me, Variant** args, size_t count);
    Variant invokeMember(ClassInstance& obj, int member, Invoke kind, Variant** args, size_t count, bool inside);
    void setErr(const ScriptError& e);

protected:
    std::shared_ptr<void>& stateSlot(int key) override;

private:
    friend class Compiler;
    friend class ClassInstance;
    friend class HostCall;
    enum class Flow { Normal, ExitDo, ExitFor, ExitProc };

    // Statements (InterpreterStatements.cpp)
    Flow execBlock(const Block& block, Frame& f);
    Flow execStatement(const Stmt& s, Frame& f);
    Flow execFor(const ForStmt& s, Frame& f);
    Flow execForEach(const ForEachStmt& s, Frame& f);
    Flow execDo(const DoStmt& s, Frame& f);
    void execSelect(const SelectStmt& s, Frame& f, Flow& flow);
    void execDim(const DimStmt& s, Frame& f);
    void execReDim(const ReDimStmt& s, Frame& f);
    void execErase(const EraseStmt& s, Frame& f);
    bool evalCondition(const Expr& e, Frame& f);

    // Expressions (InterpreterExpressions.cpp)
    Variant eval(const Expr& e, Frame& f);
    Variant evalValue(const Expr& e, Frame& f)
    {
        Variant v = eval(e, f);
        if (v.isObject()) return v.dereferenced();
        return v;
    }
    Variant evalName(const NameExpr& n, Frame& f);
    Variant evalCall(const CallExpr& c, Frame& f);
    Variant evalMember(const MemberExpr& m, Frame& f, const std::vector<ExprPtr>* args);
    Variant evalBinary(const BinaryExpr& b, Frame& f);
    Variant evalNew(const NewExpr& n);
    Variant callIntrinsic(int which, const CallExpr* c, Frame& f);
    Variant indexValue(const Variant& target, const std::vector<ExprPtr>& args, Frame& f);
    Variant* variableRef(const NameExpr& n, Frame& f, bool forWrite);
    Variant* elementRef(const CallExpr& c, Frame& f, bool forWrite);
    void assign(const Expr& target, Variant value, bool isSet, Frame& f);
    int memberIdOf(const MemberExpr& m, ScriptObject* obj);

    // Calls (InterpreterCalls.cpp)
    static constexpr size_t kInlineArgs = 6;
    /// Arguments bound for one call: pointers to the caller's variables or to temporaries.
    struct ArgPack {
        Variant inlineTemps[kInlineArgs];
        Variant* inlinePtrs[kInlineArgs];
        std::vector<Variant> bigTemps;
        std::vector<Variant*> bigPtrs;
        std::vector<ArrayData*> locks;
        Variant* temps = inlineTemps;
        Variant** ptrs = inlinePtrs;
        size_t count = 0;

        void reserve(size_t n)
        {
            count = n;
            if (n > kInlineArgs) {
                bigTemps.resize(n);
                bigPtrs.resize(n);
                temps = bigTemps.data();
                ptrs = bigPtrs.data();
            }
        }
        ~ArgPack()
        {
            for (ArrayData* a : locks) {
                --a->locks;
                if (--a->refs == 0) delete a;
            }
        }
    };
    void bindArgs(const std::vector<ExprPtr>& args, Frame& f, ArgPack& pack);
    Variant callBuiltin(const Builtin& b, const std::vector<ExprPtr>* args, Frame& f);
    Variant callHost(ScriptObject& obj, int id, Invoke kind, const std::vector<ExprPtr>* args, Frame& f,
                     Variant* extra);
    Variant callGlobalEntry(GlobalEntry& g, const std::vector<ExprPtr>* args, Frame& f);
    void checkStack();

    // Texts
    bool compileAndRun(const QString& text, const Procedure* scope, Frame* caller, ErrorInfo* error);
    void reportError(const ScriptError& e, ErrorInfo& out);

    std::deque<GlobalEntry> m_globals;
    QHash<QString, GlobalEntry*> m_globalIndex;
    std::vector<std::shared_ptr<Program>> m_programs;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    std::vector<std::shared_ptr<void>> m_state;
    Ref<ScriptObject> m_errObject;

    // Err object state
    int m_errNumber = 0;
    QString m_errDescription;
    QString m_errSource;
    friend class ErrObject;

    // Limits
    std::chrono::steady_clock::time_point m_deadline;
    uint32_t m_ticks = 0;
    int64_t m_outputUsed = 0;
    char* m_stackFloor = nullptr;
    int m_hostDepth = 0;
    Frame* m_currentFrame = nullptr;
    ErrorPlace m_errorPlace;
    Context* m_previousContext = nullptr;
};

} // namespace tv::script
