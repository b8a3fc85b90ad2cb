// The host API of the VBScript engine: what the script control gave its host. Program texts are
// added as global code on top of what the engine holds; statements and expressions run in the
// global scope; named objects may expose their members globally; failures reach an error callback.
#pragma once

#include "script/Variant.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace tv::script {

/// A compile or run-time error as the host sees it.
struct ErrorInfo {
    int number = 0;
    QString description;
    QString source;     ///< "Microsoft VBScript compilation error", "... runtime error", or Err.Source
    int line = 0;       ///< 1-based line in the text that failed (0 when unknown)
    int column = 0;     ///< 1-based column
    QString sourceLine; ///< the text of that line
    bool compileError = false;
};

class ScriptEngine {
public:
    ScriptEngine();
    ~ScriptEngine();
    ScriptEngine(const ScriptEngine&) = delete;
    ScriptEngine& operator=(const ScriptEngine&) = delete;

    /// Adds a program text as global code: its procedures and classes are defined, then its global
    /// statements run. Globals set before keep their values. False on a compile or run-time error.
    bool addCode(const QString& text);
    /// Runs one or more statements in the global scope.
    bool executeStatement(const QString& text);
    /// Evaluates an expression in the global scope.
    std::optional<Variant> evaluate(const QString& expression);
    /// Adds a named object; with globalMembers its methods and properties are callable without the prefix.
    void addObject(const QString& name, Ref<ScriptObject> object, bool globalMembers);
    /// Forgets all code, globals and named objects.
    void reset();

    /// Called with every failure before the failing call returns false.
    void setErrorHandler(std::function<void(const ErrorInfo&)> handler);
    const ErrorInfo& lastError() const;

    /// Time limit of one host call (10 s by default); a script still running then stops with an error.
    void setTimeout(std::chrono::milliseconds limit);
    /// Bytes a script may write through the library (files, output) over the engine's life.
    void setOutputLimit(int64_t bytes);
    /// Dialogs of MsgBox/InputBox; without handlers MsgBox answers vbOK and InputBox cancels.
    void setMessageBoxHandler(std::function<int(const QString& prompt, int buttons, const QString& title)> handler);
    void setInputBoxHandler(
        std::function<std::optional<QString>(const QString& prompt, const QString& title, const QString& def)> handler);

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tv::script
