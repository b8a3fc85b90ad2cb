// A row change end to end: both engines receive the two-page culture report's program and the
// page script draws it through PRN_PAGE. Reported as the median of repeated runs.
#include "page/PagePrinter.h"
#include "render/ReportRenderer.h"

#include <QFile>
#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

QString readSource(const char* relativePath)
{
    QFile file(QStringLiteral(TV_SOURCE_DIR "/") + QLatin1String(relativePath));
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", relativePath);
    return QString::fromLatin1(file.readAll());
}

void rowChange(benchmark::State& state)
{
    bool failed = false;
    tv::render::ReportRenderer renderer([&](const QString&, const QString&) { failed = true; });
    renderer.setPageScript(readSource("demo/reports/page-script.vbs"));
    renderer.setExportProgram(readSource("src/export/Hl7Export.vbs"));
    const tv::render::ReportRow rows[] = {{readSource("demo/reports/culture.vbs"), false},
                                          {readSource("demo/reports/cbc.vbs"), false}};
    const auto& row = rows[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(renderer.rowChanged(row));
    if (failed) state.SkipWithError("the report failed to render");
    state.counters["pages"] = renderer.pagePrinter().pageCount();
}

} // namespace

BENCHMARK(rowChange)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
