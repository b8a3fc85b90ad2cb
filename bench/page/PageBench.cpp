// Lays out and records a two-page result report (fonts, a 40-row table, lines) and plays it,
// to a 96-dpi image as the preview does and to a metafile as the export does.
#include "page/PagePlayer.h"
#include "page/PagePrinter.h"
#include "page/WmfReader.h"
#include "page/WmfWriter.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

using namespace tv::page;

namespace {

void layOutReport(PagePrinter& p)
{
    FontSpec body = p.font();
    body.name = QStringLiteral("Courier New");
    body.size = 12;
    FontSpec heading = body;
    heading.name = QStringLiteral("Arial");
    heading.size = 16;
    heading.bold = true;
    p.setNewPageHandler([&p, heading, body] {
        p.setFont(heading);
        p.writeLine(QStringLiteral("TALLYVANE REFERENCE LABORATORY"));
        p.setFont(body);
        p.writeTableRow(QStringLiteral("#Test|Result|Units|Reference|Page {$PAGE}"),
                        QStringLiteral("<2.5|>1.2|<1|^1.8|>1"));
        p.canvas().setPenWidth(3);
        p.canvas().moveTo({p.textArea().left(), p.textArea().top() + p.cursorY()});
        p.canvas().lineTo({p.textArea().right(), p.textArea().top() + p.cursorY()});
    });
    p.setLineSpacing(LineSpacing::OneAndHalf);
    p.beginDoc();
    p.writeLine(QStringLiteral("Patient: DOE, JANE        DOB: 4/12/1961        Collected: 3/5/2026 07:40"));
    p.write(QStringLiteral("Physician: SMITH, ROBERT MD\tAccount: 10442 "));
    p.writeLine(QStringLiteral("Comment: fasting specimen, received refrigerated; all results reviewed."));
    p.setTableFormat(QStringLiteral("<2.5|>1.2|<1|^1.8|>1"));
    for (int i = 0; i < 40; ++i) {
        const QString flag = i % 7 == 3 ? QStringLiteral("?clYellow?#") : QString();
        p.writeTableRow(QStringLiteral("%1Analyte number %2|%3|mg/dL|%4 - %5|%6")
                            .arg(flag)
                            .arg(i)
                            .arg(80 + i * 1.5, 0, 'f', 1)
                            .arg(70 + i)
                            .arg(110 + i)
                            .arg(i % 7 == 3 ? QStringLiteral("H") : QString()));
    }
    p.canvas().setBrushClear();
    p.canvas().rectangle({75, 2900}, {2325, 3050});
    p.endDoc();
    p.setNewPageHandler({});
}

void BM_LayOutTwoPageReport(benchmark::State& state)
{
    PagePrinter printer;
    for (auto _ : state) {
        layOutReport(printer);
        benchmark::DoNotOptimize(printer.pageCount());
    }
    if (printer.pageCount() != 2) state.SkipWithError("the report is not two pages long");
    state.counters["pages"] = printer.pageCount();
}
BENCHMARK(BM_LayOutTwoPageReport)->Unit(benchmark::kMicrosecond);

void BM_PlayPageAt96Dpi(benchmark::State& state)
{
    PagePrinter printer;
    layOutReport(printer);
    for (auto _ : state)
        benchmark::DoNotOptimize(renderPage(printer.document(), 1, 96));
}
BENCHMARK(BM_PlayPageAt96Dpi)->Unit(benchmark::kMillisecond);

void BM_WriteAndReadWmf(benchmark::State& state)
{
    PagePrinter printer;
    layOutReport(printer);
    for (auto _ : state) {
        const QByteArray wmf = writeWmf(printer.document().pages[0], printer.device());
        benchmark::DoNotOptimize(readWmf(wmf).picture);
    }
}
BENCHMARK(BM_WriteAndReadWmf)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
