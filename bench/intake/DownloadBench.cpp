// A since-last download of 10,000 reports (one channel) from `tallyvane-lab` into a fresh
// installation's store, beside the floor: the same rows inserted by the same two procedures in
// one transaction with nothing else around them. The middle case stores the downloaded answer
// through the intake code without the query, so the gap splits into query and conversion.
// Run: bench_intake_download [--benchmark_filter=...]; the first run seeds the laboratory once.
#include "intake/ChannelStore.h"
#include "intake/ResultDownload.h"
#include "labkit/DemoLab.h"
#include "labkit/RunRecorder.h"
#include "store/ConfigStore.h"
#include "store/LocalDatabase.h"
#include "store/SchemaUpdater.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

using namespace tv;

namespace {

constexpr int kReports = 10000;

bench::DemoLab& demoLab()
{
    static bench::DemoLab lab;
    return lab;
}

// Creating a store with its whole schema takes seconds; every iteration starts from a copy of one.
QString templateStore()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        store::Connection db;
        const store::OpenOutcome opened = store::openDatabase(db, folder.path());
        if (!opened.ok) return QString();
        db.close();
        store::SchemaUpdater updater(opened.location);
        if (!updater.runUpdateStep(1).ok || !updater.runUpdateStep(2).ok || !db.open(opened.location).ok ||
            !store::ConfigStore(db).addConfig("USER.ACCOUNT", "1001").ok)
            return QString();
        return opened.location;
    }();
    return path;
}

/// A new installation folder with an empty store, opened.
struct FreshInstallation {
    QTemporaryDir folder;
    store::Connection db;

    bool open()
    {
        const QString location = folder.filePath(store::kDefaultDatabaseName);
        return !templateStore().isEmpty() && QFile::copy(templateStore(), location) && db.open(location).ok;
    }
};

/// The answer the download received, for the cases that store it without the query.
remote::Rowset& downloadedRows()
{
    static remote::Rowset rows;
    return rows;
}

void BM_DownloadSinceLast(benchmark::State& state)
{
    QString error;
    if (!demoLab().start(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    const double serviceCpu = demoLab().serviceCpuSeconds();
    const QDateTime now = demoLab().clock();
    for (auto _ : state) {
        state.PauseTiming();
        auto installation = std::make_unique<FreshInstallation>();
        QFile list(installation->folder.filePath(QStringLiteral("SERVERS_DNS_EMP.INI")));
        if (!installation->open() || !list.open(QIODevice::WriteOnly)) {
            state.SkipWithError("no fresh installation");
            break;
        }
        list.write(
            ("[INIT]\r\nMaxAddr=1\r\n[1]\r\nMAIN=" + demoLab().root() + "\r\nWEB.SERVICE=/orvalis/qtx80z.dll\r\n")
                .toUtf8());
        list.close();
        remote::RemoteConfig config;
        config.http.caFile = demoLab().certificate();
        config.servers.path = list.fileName();
        remote::RemoteClient client(
            config, [&state](const QString& a, const QString& b) { state.SkipWithError(qPrintable(a + ": " + b)); });
        intake::IntakeContext context{
            client, installation->db, 1001,
            [&state](const QString& a, const QString& b) { state.SkipWithError(qPrintable(a + ": " + b)); },
            [now] { return now; }};
        state.ResumeTiming();

        const intake::ChannelDownload download =
            intake::downloadResults(context, intake::DownloadMode::SinceLast,
                                    intake::downloadBaseDate(intake::DownloadMode::SinceLast, now.date(), now.date()));
        if (download.stored != demoLab().rows()) {
            state.SkipWithError(qPrintable(QStringLiteral("stored %1 of %2 rows %3")
                                               .arg(download.stored)
                                               .arg(download.received)
                                               .arg(download.error)));
            break;
        }
        state.PauseTiming();
        downloadedRows() = client.vt();
        installation.reset();
        state.ResumeTiming();
    }
    qsizetype programChars = 0;
    for (int row = 0; row < downloadedRows().rows.size(); ++row)
        programChars += intake::textValue(downloadedRows(), row, QStringLiteral("REP_CODE")).size();
    state.counters["program_KB"] =
        double(programChars) / 1e3 / double(qMax<qsizetype>(1, downloadedRows().rows.size()));
    state.counters["service_cpu_s"] =
        benchmark::Counter(demoLab().serviceCpuSeconds() - serviceCpu, benchmark::Counter::kAvgIterations);
    demoLab().stop();
}

/// The timed part of `store` on a fresh installation per iteration.
template <typename Store> void onFreshStores(benchmark::State& state, Store store)
{
    if (downloadedRows().rows.size() != demoLab().rows()) {
        state.SkipWithError("needs the rows of BM_DownloadSinceLast");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto installation = std::make_unique<FreshInstallation>();
        if (!installation->open()) {
            state.SkipWithError("no fresh installation");
            break;
        }
        state.ResumeTiming();
        if (!store(installation->db)) {
            state.SkipWithError("storing failed");
            break;
        }
        state.PauseTiming();
        installation.reset();
        state.ResumeTiming();
    }
}

void BM_StoreDownloadedRows(benchmark::State& state)
{
    const QDateTime batch = demoLab().clock();
    onFreshStores(state, [&batch](store::Connection& db) {
        return intake::storeChannelRows(db, store::Channel::Normal, downloadedRows(), batch).stored == demoLab().rows();
    });
}

void BM_InsertFloor(benchmark::State& state)
{
    const store::ChannelNames& names = store::channelNames(store::Channel::Normal);
    QList<QVariantList> patients;
    QList<QVariantList> reports;
    for (int row = 0; row < downloadedRows().rows.size(); ++row) {
        patients.append(intake::patientValues(downloadedRows(), row, demoLab().clock()));
        reports.append(intake::reportValues(downloadedRows(), row, false));
    }
    onFreshStores(state, [&](store::Connection& db) {
        if (!db.beginTransaction().ok) return false;
        for (qsizetype i = 0; i < patients.size(); ++i) {
            if (!db.executeProcedure(names.addPatient, patients[i]).ok ||
                !db.executeProcedure(names.addReport, reports[i]).ok) {
                db.rollback();
                return false;
            }
        }
        return db.commit().ok;
    });
}

void printRatio(const bench::RunRecorder& runs)
{
    const auto* download = runs.find("BM_DownloadSinceLast");
    const auto* stored = runs.find("BM_StoreDownloadedRows");
    const auto* floor = runs.find("BM_InsertFloor");
    if (!download || !stored || !floor) return;
    const double serviceCpu = download->counters.at("service_cpu_s").value;
    std::printf("\nsince-last download of %d reports: %.0f ms wall, %.0f ms client CPU (+ %.0f ms service CPU)\n",
                demoLab().rows(), 1e3 * download->wallSeconds, 1e3 * download->cpuSeconds, 1e3 * serviceCpu);
    std::printf("insert floor (same rows, one transaction): %.0f ms wall, %.0f ms CPU\n", 1e3 * floor->wallSeconds,
                1e3 * floor->cpuSeconds);
    std::printf("download / floor: %.2fx wall, %.2fx client CPU, %.2fx client + service CPU (aim <= 1.5x)\n",
                download->wallSeconds / floor->wallSeconds, download->cpuSeconds / floor->cpuSeconds,
                (download->cpuSeconds + serviceCpu) / floor->cpuSeconds);
    std::printf("of the download's wall time: query %s, storing %s (of which value conversion and row checks %s)\n",
                bench::share(download->wallSeconds - stored->wallSeconds, download->wallSeconds).c_str(),
                bench::share(stored->wallSeconds, download->wallSeconds).c_str(),
                bench::share(stored->wallSeconds - floor->wallSeconds, download->wallSeconds).c_str());
}

} // namespace

// In this order: the later cases store the rows the download received.
BENCHMARK(BM_DownloadSinceLast)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(3);
BENCHMARK(BM_StoreDownloadedRows)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(3);
BENCHMARK(BM_InsertFloor)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(3);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QString error;
    if (!demoLab().prepare(kReports, &error)) {
        std::fprintf(stderr, "cannot prepare the demo laboratory: %s\n", qPrintable(error));
        return 1;
    }
    bench::RunRecorder runs;
    benchmark::RunSpecifiedBenchmarks(&runs);
    printRatio(runs);
    benchmark::Shutdown();
    return 0;
}
