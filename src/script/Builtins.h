// The run-time library's view of the engine: built-in functions, constants and creatable classes
// are registered once into one process-wide table by registerLibrary(); they run against a Context
// that gives them the engine services they need (limits, Eval, dialogs, per-engine state).
#pragma once

#include "script/Variant.h"

#include <functional>
#include <memory>
#include <optional>

namespace tv::script {

/// Engine services for built-ins and library objects. The engine running the current call is
/// also reachable as Context::current() (for code without a Context parameter).
class Context {
public:
    virtual ~Context() = default;

    static Context& current();

    /// Throws the time-out error when the engine's time limit has passed. Cheap; call it in loops.
    virtual void checkTime() = 0;
    /// Counts bytes a script writes (files, output); throws when the engine's output limit is exceeded.
    virtual void chargeOutput(int64_t bytes) = 0;
    /// Eval: evaluates an expression in the scope of the running procedure.
    virtual Variant evaluate(const QString& expression) = 0;
    /// Calls a value as a procedure: GetRef results and objects with a default method.
    virtual Variant callValue(const Variant& callee, std::span<Variant> args) = 0;
    /// GetRef: a reference to a global procedure; error 5 when there is none of that name.
    virtual Variant procedureReference(const QString& name) = 0;
    /// MsgBox: the button the user pressed (vbOK = 1 when the host shows no dialogs).
    virtual int messageBox(const QString& prompt, int buttons, const QString& title) = 0;
    /// InputBox: the text entered, or nothing when cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;

    /// Per-engine state of a library module (Rnd's seed...), created on first use.
    template <class T> T& state()
    {
        static const int key = newStateKey();
        std::shared_ptr<void>& slot = stateSlot(key);
        if (!slot) slot = std::make_shared<T>();
        return *static_cast<T*>(slot.get());
    }

protected:
    virtual std::shared_ptr<void>& stateSlot(int key) = 0;

private:
    static int newStateKey();
};

using BuiltinFunction = Variant (*)(Context& cx, std::span<Variant> args);
using ObjectFactory = Ref<ScriptObject> (*)(Context& cx);

/// One built-in function. Arguments arrive evaluated, objects not dereferenced (TypeName needs them).
struct Builtin {
    const char* name;
    int minArgs;
    int maxArgs;
    BuiltinFunction function;
};

/// The process-wide table of the run-time library.
class Library {
public:
    static const Library& instance();

    void addFunction(const Builtin& b);
    void addFunctions(std::span<const Builtin> list);
    void addConstant(const char* name, const Variant& value);
    /// A class that `New Name` creates (RegExp). CreateObject is a library function of its own.
    void addClass(const char* name, ObjectFactory factory);

    const Builtin* function(QStringView name) const;
    const Variant* constant(QStringView name) const;
    ObjectFactory factory(QStringView name) const;

private:
    Library();
    struct Tables;
    std::shared_ptr<Tables> m_tables;
};

/// Defined by the run-time library (library/Library.cpp): registers every function, constant and class.
void registerLibrary(Library& library);

/// A static member table for native classes: name -> dispatch id, argument counts and kind.
struct MemberInfo {
    const char* name;
    int id;
    int minArgs;
    int maxArgs;
};

class ClassInfo {
public:
    ClassInfo(const char* typeName, std::initializer_list<MemberInfo> members);
    const QString& typeName() const { return m_typeName; }
    int find(QStringView name) const;
    const MemberInfo& member(int id) const;
    /// Error 450 when the argument count does not fit the member's range.
    void checkArgs(int id, size_t count) const;

private:
    QString m_typeName;
    std::vector<MemberInfo> m_members;
};

/// Convenience base for C++ classes exposed to scripts: a ClassInfo plus a switch in invoke().
class NativeObject : public ScriptObject {
public:
    explicit NativeObject(const ClassInfo& info) : m_info(info) {}
    QString typeName() const override { return m_info.typeName(); }
    int findMember(QStringView name) const override { return m_info.find(name); }
    const void* classKey() const override { return &m_info; }

protected:
    const ClassInfo& m_info;
};

} // namespace tv::script
