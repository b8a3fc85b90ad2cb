// Functions about the engine and the user: RGB, ScriptEngine*, and MsgBox/InputBox, which go to
// the host's dialog handlers (a window in the program, a recorded answer in tests).

#include "script/library/Args.h"
#include "script/library/Modules.h"

namespace tv::script::lib {

namespace {

// Components above 255 count as 255; negative ones are error 5.
Variant rgb(Context&, Args a)
{
    int32_t value = 0;
    for (size_t i = 0; i < 3; ++i) {
        const int32_t c = a[i].toLong();
        if (c < 0)
            raise(5);
        value |= std::min(c, 255) << (8 * i);
    }
    return Variant::fromLong(value);
}

Variant scriptEngine(Context&, Args) { return Variant(QStringLiteral("VBScript")); }
Variant majorVersion(Context&, Args) { return Variant::fromLong(5); }
Variant minorVersion(Context&, Args) { return Variant::fromLong(8); }
Variant buildVersion(Context&, Args) { return Variant::fromLong(16384); }

QString textArg(Args a, size_t i)
{
    return missing(a, i) || a[i].isNull() ? QString() : a[i].toString();
}

Variant msgBox(Context& cx, Args a)
{
    const QString prompt = a[0].toString();
    const int32_t buttons = intArg(a, 1, 0);
    const QString title = missing(a, 2) ? QStringLiteral("VBScript") : textArg(a, 2);
    return Variant::fromInteger(int16_t(cx.messageBox(prompt, buttons, title)));
}

Variant inputBox(Context& cx, Args a)
{
    const std::optional<QString> answer = cx.inputBox(a[0].toString(), textArg(a, 1), textArg(a, 2));
    return Variant(answer.value_or(QString()));
}

constexpr Builtin kFunctions[] = {
    {"RGB", 3, 3, rgb},
    {"ScriptEngine", 0, 0, scriptEngine},
    {"ScriptEngineMajorVersion", 0, 0, majorVersion},
    {"ScriptEngineMinorVersion", 0, 0, minorVersion},
    {"ScriptEngineBuildVersion", 0, 0, buildVersion},
    {"MsgBox", 1, 5, msgBox},
    {"InputBox", 1, 7, inputBox},
};

} // namespace

void registerEngineFunctions(Library& library)
{
    library.addFunctions(kFunctions);
}

} // namespace tv::script::lib
