#include "script/ScriptEngine.h"

#include "script/Interpreter.h"

namespace tv::script {

class ScriptEngine::Impl {
public:
    Interpreter engine;
    std::function<void(const ErrorInfo&)> onError;
    ErrorInfo lastError;

    bool fail()
    {
        if (onError) onError(lastError);
        return false;
    }
};

ScriptEngine::ScriptEngine() : m_impl(std::make_unique<Impl>()) {}

ScriptEngine::~ScriptEngine() = default;

bool ScriptEngine::addCode(const QString& text)
{
    return m_impl->engine.runText(text, m_impl->lastError) || m_impl->fail();
}

bool ScriptEngine::executeStatement(const QString& text)
{
    return m_impl->engine.runText(text, m_impl->lastError) || m_impl->fail();
}

std::optional<Variant> ScriptEngine::evaluate(const QString& expression)
{
    std::optional<Variant> v = m_impl->engine.evaluateText(expression, m_impl->lastError);
    if (!v) m_impl->fail();
    return v;
}

void ScriptEngine::addObject(const QString& name, Ref<ScriptObject> object, bool globalMembers)
{
    m_impl->engine.addObject(name, std::move(object), globalMembers);
}

void ScriptEngine::reset()
{
    m_impl->engine.reset();
}

void ScriptEngine::setErrorHandler(std::function<void(const ErrorInfo&)> handler)
{
    m_impl->onError = std::move(handler);
}

const ErrorInfo& ScriptEngine::lastError() const
{
    return m_impl->lastError;
}

void ScriptEngine::setTimeout(std::chrono::milliseconds limit)
{
    m_impl->engine.m_timeout = limit;
}

void ScriptEngine::setOutputLimit(int64_t bytes)
{
    m_impl->engine.m_outputLimit = bytes;
}

void ScriptEngine::setMessageBoxHandler(std::function<int(const QString&, int, const QString&)> handler)
{
    m_impl->engine.m_messageBox = std::move(handler);
}

void ScriptEngine::setInputBoxHandler(
    std::function<std::optional<QString>(const QString&, const QString&, const QString&)> handler)
{
    m_impl->engine.m_inputBox = std::move(handler);
}

} // namespace tv::script
