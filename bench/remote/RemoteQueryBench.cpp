// The cost of one download-sized answer: the client's query of 10,000 report rows from the
// demo laboratory, end to end against `tallyvane-lab` as a child process, and stage by stage:
// the service's own code in-process (SQL fetch, rowset XML, gzip), the transfer (the same answer
// replayed by a loopback test server), and the client's gunzip and rowset reading into vt.
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
#include <cstdio>

using namespace tv::remote;

namespace {

constexpr int kReports = 10000;

tv::bench::DemoLab& demoLab()
{
    static tv::bench::DemoLab lab;
    return lab;
}

QByteArray selectForm()
{
    return formEncode({{"SQL", toWindows1252(tv::bench::DemoLab::sinceLastStatement(demoLab().clock()))},
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

void setSizes(benchmark::State& state)
{
    state.counters["xml_MB"] = double(answer().xml.size()) / 1e6;
    state.counters["gzip_MB"] = double(answer().gzip.size()) / 1e6;
}

void BM_ServiceSelect(benchmark::State& state)
{
    tv::lab::LabDatabase database;
    QString error;
    if (!database.open(demoLab().dataDir(), tv::lab::LabClock(demoLab().clock()), &error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    tv::lab::LabService service(database.database(), tv::lab::LabClock(demoLab().clock()));
    const tv::lab::HttpRequest request{"GET", tv::lab::LabService::servicePath() + "/SELECT", selectForm()};
    for (auto _ : state) {
        if (service.handle(request).status != 200) state.SkipWithError("the service refused the query");
    }
}

void BM_ServiceWriteXml(benchmark::State& state)
{
    if (!haveAnswer(state)) return;
    for (auto _ : state)
        benchmark::DoNotOptimize(writeRowsetXml(answer().rowset));
    setSizes(state);
}

void BM_ServiceGzip(benchmark::State& state)
{
    if (!haveAnswer(state)) return;
    for (auto _ : state)
        benchmark::DoNotOptimize(gzipCompress(answer().xml));
}

void BM_ClientGunzip(benchmark::State& state)
{
    if (!haveAnswer(state)) return;
    for (auto _ : state)
        benchmark::DoNotOptimize(gzipDecompress(answer().gzip));
}

void BM_ClientReadXml(benchmark::State& state)
{
    if (!haveAnswer(state)) return;
    for (auto _ : state) {
        if (readRowsetXml(answer().xml).rowset.rows.size() != demoLab().rows()) state.SkipWithError("rowset not read");
    }
}

void query(benchmark::State& state, const QString& serviceUrl, const QString& caFile)
{
    QTemporaryDir dir;
    RemoteConfig config;
    config.http.caFile = caFile;
    config.servers.path = dir.filePath(QStringLiteral("SERVERS_DNS_EMP.INI"));
    RemoteClient client(
        config, [&state](const QString& a, const QString& b) { state.SkipWithError(qPrintable(a + ": " + b)); });
    client.setLastServer(serviceUrl);
    const QString sql = tv::bench::DemoLab::sinceLastStatement(demoLab().clock());
    for (auto _ : state) {
        client.remoteQuery(sql, false);
        if (client.vt().rows.size() != demoLab().rows()) state.SkipWithError("answer not loaded");
    }
}

/// The request, transfer and client side of the query, the service's part replaced by a prepared answer.
void BM_RemoteQueryReplayed(benchmark::State& state)
{
    if (!haveAnswer(state)) return;
    const test::CertificatePair& cert = test::testCertificate();
    // Challenges like the service, for the password the client sends.
    test::TestHttpsServer server(
        {cert.certPem, cert.keyPem, test::AuthScheme::Basic, "WebDAV", HttpSettings().password.toUtf8()});
    if (!server.start()) {
        state.SkipWithError("server did not start");
        return;
    }
    server.setHandler([](const test::RecordedRequest&) { return test::reply(200, answer().gzip); });
    query(state, QString::fromLatin1(server.rootUrl()), cert.certPath);
}

void BM_RemoteQueryFromLab(benchmark::State& state)
{
    QString error;
    if (!demoLab().start(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    const double serviceCpu = demoLab().serviceCpuSeconds();
    query(state, demoLab().serviceUrl(), demoLab().certificate());
    state.counters["service_cpu_s"] =
        benchmark::Counter((demoLab().serviceCpuSeconds() - serviceCpu), benchmark::Counter::kAvgIterations);
    demoLab().stop();
}

void printStages(const tv::bench::RunRecorder& runs)
{
    const auto* select = runs.find("BM_ServiceSelect");
    const auto* xml = runs.find("BM_ServiceWriteXml");
    const auto* gzip = runs.find("BM_ServiceGzip");
    const auto* gunzip = runs.find("BM_ClientGunzip");
    const auto* read = runs.find("BM_ClientReadXml");
    const auto* replayed = runs.find("BM_RemoteQueryReplayed");
    const auto* lab = runs.find("BM_RemoteQueryFromLab");
    if (!select || !xml || !gzip || !gunzip || !read || !replayed || !lab) return;
    const double total = lab->wallSeconds;
    const struct {
        const char* stage;
        double wall;
        double cpu;
    } stages[] = {
        {"service: SQL fetch into a rowset", select->wallSeconds - xml->wallSeconds - gzip->wallSeconds,
         select->cpuSeconds - xml->cpuSeconds - gzip->cpuSeconds},
        {"service: rowset XML writing", xml->wallSeconds, xml->cpuSeconds},
        {"service: gzip", gzip->wallSeconds, gzip->cpuSeconds},
        {"transfer: HTTPS request, challenge, answer", replayed->wallSeconds - gunzip->wallSeconds - read->wallSeconds,
         replayed->cpuSeconds - gunzip->cpuSeconds - read->cpuSeconds},
        {"client: gunzip", gunzip->wallSeconds, gunzip->cpuSeconds},
        {"client: rowset reading into vt", read->wallSeconds, read->cpuSeconds},
    };
    double sum = 0;
    std::printf("\nRemoteQuery of %d rows from tallyvane-lab: %.0f ms wall, %.0f ms client CPU, %.0f ms service CPU\n",
                demoLab().rows(), 1e3 * total, 1e3 * lab->cpuSeconds, 1e3 * lab->counters.at("service_cpu_s").value);
    std::printf("%-44s %9s %9s %8s\n", "stage", "wall ms", "CPU ms", "share");
    for (const auto& s : stages) {
        std::printf("%-44s %9.0f %9.0f %s\n", s.stage, 1e3 * s.wall, 1e3 * s.cpu,
                    tv::bench::share(s.wall, total).c_str());
        sum += s.wall;
    }
    std::printf("%-44s %9.0f %9s %s\n", "sum of the stages", 1e3 * sum, "", tv::bench::share(sum, total).c_str());
}

} // namespace

BENCHMARK(BM_ServiceSelect)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(3);
BENCHMARK(BM_ServiceWriteXml)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_ServiceGzip)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_ClientGunzip)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_ClientReadXml)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_RemoteQueryReplayed)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(5);
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
