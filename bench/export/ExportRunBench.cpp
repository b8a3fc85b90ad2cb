// A print and export run over 200 stored reports (the demo laboratory's report texts): each one
// rendered through both engines, printed to a PDF file of its own, exported as HL7 and as report
// files (a page picture and a value text per page). Reports per second on the wall clock and on
// the process's CPU time; the "export only" case leaves printing out to show the PDF files' share.
// Run: bench_export [--benchmark_filter=...]
#include "../../tests/export/DemoReportList.h"
#include "export/Hl7ExportProgram.h"
#include "export/PdfFileOutlet.h"
#include "export/PrintRun.h"
#include "render/ReportRenderer.h"
#include "store/LocalDatabase.h"
#include "store/ReportList.h"
#include "store/SchemaUpdater.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>

using namespace tv;

namespace {

constexpr int kReports = 200;

QString readSource(const char* relativePath)
{
    QFile file(QStringLiteral(TV_SOURCE_DIR "/") + QLatin1String(relativePath));
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", relativePath);
    return QString::fromLatin1(file.readAll());
}

/// An installation folder with a store holding the demo list and EXPORT.INI naming two folders.
struct Installation {
    QTemporaryDir dir;
    store::Connection db;
    QString error;

    Installation()
    {
        const store::OpenOutcome opened = store::openDatabase(db, dir.path());
        store::SchemaUpdater updater(opened.location);
        if (!opened.ok || !updater.runUpdateStep(1).ok || !updater.runUpdateStep(2).ok) {
            error = QStringLiteral("cannot create the store");
            return;
        }
        error = exports::testing::storeDemoReports(db, kReports, false);
        QFile ini(path("EXPORT.INI"));
        if (error.isEmpty() &&
            !(ini.open(QIODevice::WriteOnly) && ini.write(("[EXPORT]\r\nREPIMAGE=" + path("images/") +
                                                           "\r\nREPDATA=" + path("data/") + "\r\nREPIMAGEDATA=\r\n")
                                                              .toUtf8()) > 0))
            error = QStringLiteral("cannot write EXPORT.INI");
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    /// Empty output folders and no report marked printed, as before a first run.
    bool reset()
    {
        for (const char* name : {"hl7", "images", "data", "pdf"}) {
            QDir folder(path(QString::fromLatin1(name)));
            if (!folder.removeRecursively() || !QDir().mkpath(folder.path())) return false;
        }
        return db.execute(QStringLiteral("update EXTERNAL_REPORT set PRINTED = null")).ok;
    }
};

void exportRun(benchmark::State& state)
{
    const bool print = state.range(0) == 1;
    static Installation installation; // building the store costs seconds: one for every case
    if (!installation.error.isEmpty()) {
        state.SkipWithError(installation.error.toStdString().c_str());
        return;
    }
    store::ReportList list(installation.db);
    exports::PdfFileOutlet outlet(installation.path("pdf"));
    QString notice;
    render::ReportRenderer renderer([&](const QString& instruction, const QString&) { notice = instruction; }, &outlet);
    renderer.setPageScript(readSource("demo/reports/page-script.vbs"));
    renderer.setExportProgram(exports::builtinHl7ExportProgram());
    renderer.setAppFolder(installation.path(QString()));
    exports::PrintRun run(installation.db, renderer, outlet);
    exports::PrintRunOptions options;
    options.all = true;
    options.print = print;
    options.exportResults = true;
    options.exportPath = installation.path("hl7") + QLatin1Char('/');
    options.appFolder = installation.path(QString());

    double wallSeconds = 0;
    double cpuSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const bool ready = installation.reset() && list.ListByWorkDate(exports::testing::demoStamp(0).received.date());
        if (!ready || int(list.rows().rows.size()) != kReports) {
            state.SkipWithError("cannot list the stored reports");
            break;
        }
        const std::vector<exports::PrintEntry> entries = exports::printEntries(list.rows());
        state.ResumeTiming();

        const auto wallStart = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        const exports::PrintRunResult result = run.run(list.rows(), entries, options);
        cpuSeconds += double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        wallSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        if (!result.error.isEmpty()) {
            state.SkipWithError((result.error + QLatin1Char(' ') + notice).toStdString().c_str());
            break;
        }
    }
    const double reports = double(state.iterations()) * kReports;
    state.counters["reports_per_s_wall"] = wallSeconds > 0 ? reports / wallSeconds : 0;
    state.counters["reports_per_s_cpu"] = cpuSeconds > 0 ? reports / cpuSeconds : 0;
    state.counters["pdf_files"] = double(QDir(installation.path("pdf")).entryList(QDir::Files).size());
    state.counters["hl7_files"] = double(QDir(installation.path("hl7")).entryList(QDir::Files).size());
    state.counters["pictures"] = double(QDir(installation.path("images")).entryList(QDir::Files).size());
}

} // namespace

// Arg 1: print to PDF files, export HL7 and report files; arg 0: the same run with printing off.
BENCHMARK(exportRun)
    ->ArgName("print")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
