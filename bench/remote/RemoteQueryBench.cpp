// The cost of one download-sized answer: the client's query of 10,000 report rows from the
// demo laboratory, end to end against `tallyvane-lab` as a child process, and stage by stage:
// the service's own code in-process (SQL fetch, rowset XML, gzip), the transfer (the same answer
// replayed by a loopback test server), and the client's gunzip and rowset reading into vt.
// Wall times follow the machine's load; CPU times are the steadier figure.
// Run: bench_remote_query [--benchmark_filter=...]; the first run seeds the laboratory once.
#include "lab/LabDatabase.h"
#include "lab/LabService.h"
#include "labkit/DemoLab.h"
#include "labkit/RunRecorder.h"
#include "remote/Gzip.h"
#include "remote/RemoteClient.h"
#include "remote/Rowset.h"
#include "support/TestCertificates.h"
#include "support/TestHttpsServer.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <ctime>

using namespace tv::remote;

namespace {

constexpr int kReports = 10000;

tv::bench::DemoLab& demoLab()
{
    static tv::bench::DemoLab lab;
    return lab;
}

// The statement is plain ASCII, the same bytes in every single-byte character set.
QByteArray selectForm()
{
    return formEncode({{"SQL", tv::bench::DemoLab::sinceLastStatement(demoLab().clock()).toLatin1()},
                       {"DB", "127.0.0.1:ORVALIS"},
                       {"ZIP", "ZIP"}});
}

/// The service's answer, computed in-process on the seeded data (never while the child runs).
struct Answer {
    QByteArray gzip;
    QByteArray xml;
    Rowset rowset;
};

const Answer& answer()
{
    static const Answer a = [] {
        Answer out;
        tv::lab::LabDatabase database;
        QString error;
        if (!database.open(demoLab().dataDir(), tv::lab::LabClock(demoLab().clock()), &error)) return out;
        tv::lab::LabService service(database.database(), tv::lab::LabClock(demoLab().clock()));
        out.gzip = service.handle({"GET", tv::lab::LabService::servicePath() + "/SELECT", selectForm()}).body;
        out.xml = gzipDecompress(out.gzip).data;
        out.rowset = readRowsetXml(out.xml).rowset;
        return out;
    }();
    return a;
}

bool haveAnswer(benchmark::State& state)
{
    if (answer().rowset.rows.size() == demoLab().rows()) return true;
    state.SkipWithError("the service's answer could not be computed");
    return false;
}

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

enum Stage { ServiceSelect, ServiceXml, ServiceGzip, ClientQuery, ClientGunzip, ClientRead, StageCount };

/// Seconds per round, by stage.
struct StageTimes {
    double wall[StageCount]{};
    double cpu[StageCount]{};
};

StageTimes& stageTimes()
{
    static StageTimes times;
    return times;
}

template <typename Work> void timeStage(StageTimes& times, Stage stage, const Work& work)
{
    const auto wall = std::chrono::steady_clock::now();
    const double cpu = processCpuSeconds();
    work();
    times.wall[stage] += std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
    times.cpu[stage] += processCpuSeconds() - cpu;
}

RemoteConfig clientConfig(const QTemporaryDir& dir, const QString& caFile)
{
    RemoteConfig config;
    config.http.caFile = caFile;
    config.servers.path = dir.filePath(QStringLiteral("SERVERS_DNS_EMP.INI"));
    return config;
}

/// Every stage of the query once per round, one after the other, so that all of them share the
/// machine's load of the moment: the service's own code in-process, then the client's query of
/// the same answer replayed by a loopback server, then the client's gunzip and reading alone.
void BM_QueryStages(benchmark::State& state)
{
    if (!haveAnswer(state)) return;
    tv::lab::LabDatabase database;
    QString error;
    if (!database.open(demoLab().dataDir(), tv::lab::LabClock(demoLab().clock()), &error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    tv::lab::LabService service(database.database(), tv::lab::LabClock(demoLab().clock()));
    const tv::lab::HttpRequest request{"GET", tv::lab::LabService::servicePath() + "/SELECT", selectForm()};

    const test::CertificatePair& cert = test::testCertificate();
    // Challenges like the service, for the password the client sends.
    test::TestHttpsServer server(
        {cert.certPem, cert.keyPem, test::AuthScheme::Basic, "WebDAV", HttpSettings().password.toUtf8()});
    if (!server.start()) {
        state.SkipWithError("server did not start");
        return;
    }
    server.setHandler([](const test::RecordedRequest&) { return test::reply(200, answer().gzip); });
    QTemporaryDir dir;
    RemoteClient client(clientConfig(dir, cert.certPath), [&state](const QString& a, const QString& b) {
        state.SkipWithError(qPrintable(a + ": " + b));
    });
    client.setLastServer(QString::fromLatin1(server.rootUrl()));
    const QString sql = tv::bench::DemoLab::sinceLastStatement(demoLab().clock());

    StageTimes times;
    for (auto _ : state) {
        timeStage(times, ServiceSelect, [&] { benchmark::DoNotOptimize(service.handle(request)); });
        timeStage(times, ServiceXml, [] { benchmark::DoNotOptimize(writeRowsetXml(answer().rowset)); });
        timeStage(times, ServiceGzip, [] { benchmark::DoNotOptimize(gzipCompress(answer().xml)); });
        timeStage(times, ClientQuery, [&] { client.remoteQuery(sql, false); });
        timeStage(times, ClientGunzip, [] { benchmark::DoNotOptimize(gzipDecompress(answer().gzip)); });
        timeStage(times, ClientRead, [] { benchmark::DoNotOptimize(readRowsetXml(answer().xml)); });
        if (client.vt().rows.size() != demoLab().rows()) state.SkipWithError("answer not loaded");
    }
    for (int stage = 0; stage < StageCount; ++stage) {
        stageTimes().wall[stage] = times.wall[stage] / double(state.iterations());
        stageTimes().cpu[stage] = times.cpu[stage] / double(state.iterations());
    }
    state.counters["xml_MB"] = double(answer().xml.size()) / 1e6;
    state.counters["gzip_MB"] = double(answer().gzip.size()) / 1e6;
}

void BM_RemoteQueryFromLab(benchmark::State& state)
{
    QString error;
    if (!demoLab().start(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    QTemporaryDir dir;
    RemoteClient client(clientConfig(dir, demoLab().certificate()), [&state](const QString& a, const QString& b) {
        state.SkipWithError(qPrintable(a + ": " + b));
    });
    client.setLastServer(demoLab().serviceUrl());
    const QString sql = tv::bench::DemoLab::sinceLastStatement(demoLab().clock());
    const double serviceCpu = demoLab().serviceCpuSeconds();
    for (auto _ : state) {
        client.remoteQuery(sql, false);
        if (client.vt().rows.size() != demoLab().rows()) state.SkipWithError("answer not loaded");
    }
    state.counters["service_cpu_s"] =
        benchmark::Counter(demoLab().serviceCpuSeconds() - serviceCpu, benchmark::Counter::kAvgIterations);
    demoLab().stop();
}

void printStages(const tv::bench::RunRecorder& runs)
{
    const tv::bench::RunTimes* lab = runs.find("BM_RemoteQueryFromLab");
    if (!lab || !runs.find("BM_QueryStages")) return;
    const StageTimes& t = stageTimes();
    const struct {
        const char* stage;
        double wall;
        double cpu;
    } stages[] = {
        {"service: SQL fetch into a rowset", t.wall[ServiceSelect] - t.wall[ServiceXml] - t.wall[ServiceGzip],
         t.cpu[ServiceSelect] - t.cpu[ServiceXml] - t.cpu[ServiceGzip]},
        {"service: rowset XML writing", t.wall[ServiceXml], t.cpu[ServiceXml]},
        {"service: gzip", t.wall[ServiceGzip], t.cpu[ServiceGzip]},
        // Its CPU counts both ends' TLS: the replaying server runs in this process.
        {"transfer: HTTPS request, challenge, answer", t.wall[ClientQuery] - t.wall[ClientGunzip] - t.wall[ClientRead],
         t.cpu[ClientQuery] - t.cpu[ClientGunzip] - t.cpu[ClientRead]},
        {"client: gunzip", t.wall[ClientGunzip], t.cpu[ClientGunzip]},
        {"client: rowset reading into vt", t.wall[ClientRead], t.cpu[ClientRead]},
    };
    const double sum = t.wall[ServiceSelect] + t.wall[ClientQuery];
    std::printf("\nRemoteQuery of %d rows from tallyvane-lab: %.0f ms wall, %.0f ms client CPU, %.0f ms service CPU\n",
                demoLab().rows(), 1e3 * lab->wallSeconds, 1e3 * lab->cpuSeconds,
                1e3 * lab->counters.at("service_cpu_s").value);
    std::printf("%-44s %9s %9s %8s\n", "stage (run one after another)", "wall ms", "CPU ms", "share");
    for (const auto& s : stages)
        std::printf("%-44s %9.0f %9.0f %s\n", s.stage, 1e3 * s.wall, 1e3 * s.cpu,
                    tv::bench::share(s.wall, sum).c_str());
    std::printf("%-44s %9.0f\n", "sum of the stages", 1e3 * sum);
}

} // namespace

BENCHMARK(BM_QueryStages)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(5);
// One service start; its CPU per query is read from /proc.
BENCHMARK(BM_RemoteQueryFromLab)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(5);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QString error;
    if (!demoLab().prepare(kReports, &error)) {
        std::fprintf(stderr, "cannot prepare the demo laboratory: %s\n", qPrintable(error));
        return 1;
    }
    tv::bench::RunRecorder runs;
    benchmark::RunSpecifiedBenchmarks(&runs);
    printStages(runs);
    benchmark::Shutdown();
    return 0;
}
