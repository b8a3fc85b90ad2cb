// Start-up of an existing installation: open the store, check the schema (two catalogue
// queries, no DDL), normalise the configuration, read the account, clean up old reports and
// read the offsets and the export folder.
#include "app/Tdm.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tv::app;

namespace {

class SilentNotices : public NoticeSink {
public:
    void showNotice(const QString&, const QString&) override {}
    void showTimedNotice(const QString&, const QString&, int) override {}
};

void BM_StartExistingInstallation(benchmark::State& state)
{
    QTemporaryDir folder;
    QTemporaryDir home;
    SilentNotices notices;
    UserStore users(home.filePath(QStringLiteral("users.ini")));
    {
        Tdm first(folder.path(), notices, users);
        first.askAccount = [] { return AccountSetup{QStringLiteral("1001"), QStringLiteral("Bench"), 30}; };
        if (!first.DataModuleCreate())
            state.SkipWithError("the installation could not be created");
    }
    for (auto _ : state) {
        Tdm tdm(folder.path(), notices, users);
        if (!tdm.DataModuleCreate())
            state.SkipWithError("start-up failed");
    }
}

} // namespace

BENCHMARK(BM_StartExistingInstallation)->Unit(benchmark::kMillisecond)->MinTime(3.0);

BENCHMARK_MAIN();
