// The cost of one download-sized answer: 10,000 report rows with 4 KB report programs, stage by
// stage (the service's rowset writing and gzip, the client's gunzip and rowset reading) and end
// to end through the client's query over loopback HTTPS.
#include "remote/Gzip.h"
#include "remote/RemoteClient.h"
#include "remote/Rowset.h"
#include "support/TestCertificates.h"
#include "support/TestHttpsServer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tv::remote;

namespace {

constexpr int kRows = 10000;

const Rowset& reportRowset()
{
    static const Rowset rs = [] {
        Rowset r;
        r.fields = {{"LABID", FieldType::Integer},     {"NAME", FieldType::Text, 60},
                    {"SEX", FieldType::Text, 1},       {"BDATE", FieldType::Date},
                    {"AGE", FieldType::Integer},       {"ACCOUNT", FieldType::Integer},
                    {"WDATE", FieldType::Date},        {"PROCESS", FieldType::DateTime},
                    {"PHYSICIAN", FieldType::Text, 60}, {"GENERICCODE", FieldType::Text, 20},
                    {"DESCRIPTION", FieldType::Text, 120}, {"PRINTED", FieldType::DateTime},
                    {"REP_CODE", FieldType::LongText}};
        QString program;
        for (int line = 0; program.size() < 4096; ++line)
            program += QStringLiteral("  PRN.TextOut 120, %1, \"Glucose, fasting  %2 mg/dL  (70-99)\"\r\n")
                           .arg(line * 40)
                           .arg(80 + line);
        for (int i = 0; i < kRows; ++i) {
            const QDateTime processed(QDate(2026, 12, 1 + i % 10), QTime(8, i % 60, i % 60), Qt::UTC);
            r.rows.append(Row{2600000 + i, QStringLiteral("PATIENT%1, JANE Q").arg(i), "F", QDate(1970, 1, 1 + i % 28),
                              56, 1001, processed.date(), processed, "DR. HOUSE", QStringLiteral("G%1").arg(i % 300),
                              "COMPREHENSIVE METABOLIC PANEL", QVariant(), program});
        }
        return r;
    }();
    return rs;
}

const QByteArray& rowsetXml()
{
    static const QByteArray xml = writeRowsetXml(reportRowset());
    return xml;
}

const QByteArray& rowsetGzip()
{
    static const QByteArray gz = gzipCompress(rowsetXml());
    return gz;
}

void setSizes(benchmark::State& state)
{
    state.counters["xml_MB"] = double(rowsetXml().size()) / 1e6;
    state.counters["gzip_MB"] = double(rowsetGzip().size()) / 1e6;
}

void BM_ServiceWriteXml(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(writeRowsetXml(reportRowset()));
    setSizes(state);
}

void BM_ServiceGzip(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(gzipCompress(rowsetXml()));
    setSizes(state);
}

void BM_ClientGunzip(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(gzipDecompress(rowsetGzip()));
}

void BM_ClientReadXml(benchmark::State& state)
{
    for (auto _ : state) {
        const RowsetReadResult r = readRowsetXml(rowsetXml());
        if (r.rowset.rows.size() != kRows)
            state.SkipWithError("rowset not read");
    }
}

/// The client's whole query: probe-free request, transfer of the prepared answer, gunzip, read into vt.
void BM_RemoteQueryEndToEnd(benchmark::State& state)
{
    const test::CertificatePair& cert = test::testCertificate();
    test::TestHttpsServer server({cert.certPem, cert.keyPem, test::AuthScheme::Basic});
    if (!server.start()) {
        state.SkipWithError("server did not start");
        return;
    }
    server.setHandler([](const test::RecordedRequest&) { return test::reply(200, rowsetGzip()); });
    QTemporaryDir dir;
    RemoteConfig config;
    config.http.password = QStringLiteral("secret");
    config.http.caFile = cert.certPath;
    config.servers.path = dir.filePath(QStringLiteral("SERVERS_DNS_EMP.INI"));
    RemoteClient client(config, [&state](const QString& a, const QString& b) {
        state.SkipWithError(qPrintable(a + ": " + b));
    });
    client.setLastServer(QString::fromLatin1(server.rootUrl()));
    for (auto _ : state) {
        client.remoteQuery(QStringLiteral("SELECT * FROM V_EXTERNAL_REPORT_V2 where ACCOUNT=1001"), false);
        if (client.vt().rows.size() != kRows)
            state.SkipWithError("answer not loaded");
    }
    setSizes(state);
}

} // namespace

BENCHMARK(BM_ServiceWriteXml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ServiceGzip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClientGunzip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClientReadXml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoteQueryEndToEnd)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
