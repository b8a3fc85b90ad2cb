// Compile-and-run robustness: any text compiles and runs in a fresh engine under a short time limit
// and a small output limit, ending in success or an error; the engine is still usable afterwards.
#include "script/Builtins.h"
#include "script/ScriptEngine.h"

#include <cstddef>
#include <cstdint>

namespace {

const tv::script::ClassInfo kSinkInfo("Sink", {{"Echo", 0, 0, -1}});

// Stands in for tvscript's WScript so the test scripts serve as seeds: Echo takes anything.
class Sink : public tv::script::NativeObject {
public:
    Sink() : NativeObject(kSinkInfo) {}
    tv::script::Variant invoke(tv::script::Context& cx, int, tv::script::Invoke,
                               std::span<tv::script::Variant> args) override
    {
        for (const tv::script::Variant& a : args)
            cx.chargeOutput(a.isNull() ? 4 : a.toString().size());
        return {};
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    tv::script::ScriptEngine engine;
    engine.setTimeout(std::chrono::milliseconds(50));
    engine.setOutputLimit(1 << 20);
    engine.addObject(QStringLiteral("WScript"), tv::script::Ref<tv::script::ScriptObject>(new Sink), false);
    engine.addCode(text);
    engine.executeStatement(QStringLiteral("x = 1"));
    return 0;
}
