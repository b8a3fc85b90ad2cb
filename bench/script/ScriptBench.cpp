// Runs every bench/script/*.vbs in a fresh engine, checks its output against its "' expect:" comments
// and reports the best of several runs. The scripts reach a host object both with and without prefix.
#include "script/Builtins.h"
#include "script/ScriptEngine.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace tv::script;

namespace {

enum HostMember { kEcho, kAdd, kText };
const ClassInfo kHostInfo("Host", {{"Echo", kEcho, 0, -1}, {"Add", kAdd, 2, 2}, {"Text", kText, 3, 3}});

class Host : public NativeObject {
public:
    Host() : NativeObject(kHostInfo) {}
    Variant invoke(Context&, int id, Invoke, std::span<Variant> args) override
    {
        switch (id) {
        case kEcho: {
            QStringList parts;
            for (const Variant& a : args)
                parts << a.toString();
            output << parts.join(u' ');
            return {};
        }
        case kAdd:
            return Variant::fromDouble(args[0].toDouble() + args[1].toDouble());
        default:
            return Variant::fromLong(int32_t(args[2].toString().size()));
        }
    }
    QStringList output;
};

void runScript(benchmark::State& state, const QString& text, const QStringList& expected)
{
    for (auto _ : state) {
        ScriptEngine engine;
        auto* host = new Host;
        engine.addObject(QStringLiteral("WScript"), Ref<ScriptObject>(host), false);
        engine.addObject(QStringLiteral("PRN_PAGE"), Ref<ScriptObject>(new Host), true);
        if (!engine.addCode(text)) {
            state.SkipWithError(engine.lastError().description.toUtf8().constData());
            return;
        }
        if (host->output != expected) {
            state.SkipWithError(("wrong output: " + host->output.join(u'|')).toUtf8().constData());
            return;
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    static const QRegularExpression expect(QStringLiteral("' expect: ?(.*)$"));
    const QDir dir(QStringLiteral(TV_BENCH_SCRIPTS));
    for (const QString& name : dir.entryList({QStringLiteral("*.vbs")}, QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly)) continue;
        const QString text = QString::fromUtf8(f.readAll());
        QStringList expected;
        for (const QString& line : text.split(u'\n'))
            if (auto m = expect.match(line.trimmed()); m.hasMatch()) expected << m.captured(1);
        benchmark::RegisterBenchmark(name.toUtf8().constData(), runScript, text, expected)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ComputeStatistics("min",
                                [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
            ->ReportAggregatesOnly(true);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
