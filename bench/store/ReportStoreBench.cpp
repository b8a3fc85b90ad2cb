// Storing downloaded reports: ADD_PATIENT + ADD_REPORT with a 4 KB report program per report,
// all in one transaction versus each statement committing on its own (every commit is a
// synchronous write). Run: bench_store [--benchmark_filter=...]
#include "store/LocalDatabase.h"
#include "store/ReportProcedures.h"
#include "store/SchemaUpdater.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tv::store;

namespace {

QString reportProgram(int labId)
{
    QString program = QStringLiteral("LABID = %1\r\nPANEL = \"\"\r\n").arg(labId);
    while (program.size() < 4096)
        program += QStringLiteral("PANEL = PANEL & \"GLUCOSE|H|105|mg/dL|70-99||||||2345-7\" & Chr(3)\r\n");
    return program.left(4096);
}

PatientHeader header(int labId, const QDateTime& batch)
{
    PatientHeader h;
    h.labId = labId;
    h.name = QStringLiteral("PÉREZ RIVERA, ANA %1").arg(labId);
    h.sex = QStringLiteral("F");
    h.birthDate = QDate(1970, 3, 5);
    h.age = 54;
    h.ageUnit = QStringLiteral("Y");
    h.account = 1001;
    h.workDate = batch.date();
    h.process = batch.addSecs(-labId % 3600);
    h.physician = QStringLiteral("SMITH, JOHN");
    h.genericCode = QStringLiteral("CMP14");
    h.description = QStringLiteral("COMPREHENSIVE METABOLIC PANEL");
    h.batch = batch;
    return h;
}

struct BenchStore {
    QTemporaryDir dir;
    Connection db;

    BenchStore()
    {
        const OpenOutcome opened = openDatabase(db, dir.path());
        SchemaUpdater updater(opened.location);
        updater.runUpdateStep(1);
        updater.runUpdateStep(2);
        db.executeProcedure(QStringLiteral("ADD_CONFIG"), {"USER.ACCOUNT", "1001", ""});
    }
};

void storeReports(benchmark::State& state, bool oneTransaction)
{
    const int reports = int(state.range(0));
    QList<QString> programs;
    for (int i = 0; i < reports; ++i)
        programs.append(reportProgram(i));
    for (auto _ : state) {
        state.PauseTiming();
        BenchStore store;
        const QDateTime batch = QDateTime::currentDateTime();
        state.ResumeTiming();
        if (oneTransaction)
            store.db.beginTransaction();
        for (int i = 0; i < reports; ++i) {
            const int labId = 100000 + i;
            if (!store.db.executeProcedure(QStringLiteral("ADD_PATIENT"), addPatientValues(header(labId, batch))).ok ||
                !store.db.executeProcedure(QStringLiteral("ADD_REPORT"),
                                           addReportValues(labId, QStringLiteral("CMP14"), programs[i]))
                     .ok) {
                state.SkipWithError("a procedure failed");
                break;
            }
        }
        if (oneTransaction)
            store.db.commit();
    }
    state.SetItemsProcessed(state.iterations() * reports);
}

void BM_StoreReportsOneTransaction(benchmark::State& state)
{
    storeReports(state, true);
}

void BM_StoreReportsStatementByStatement(benchmark::State& state)
{
    storeReports(state, false);
}

} // namespace

BENCHMARK(BM_StoreReportsOneTransaction)->Arg(10000)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
// Every statement commits and waits for the disk; the per-report rate carries over to 10,000.
BENCHMARK(BM_StoreReportsStatementByStatement)->Arg(500)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
