// tallyvane-lab: the stand-in for the laboratory's HTTPS service.
// tallyvane-lab --port N --data DIR [--demo] (see --help for the rest).
#include "lab/DemoSeeder.h"
#include "lab/HttpsServer.h"
#include "lab/LabCertificate.h"
#include "lab/LabDatabase.h"
#include "lab/LabOptions.h"
#include "lab/LabService.h"

#include <QCoreApplication>
#include <QDir>
#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <thread>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

// SIGINT and SIGTERM are blocked in every thread (the database engine's included, which must
// never be interrupted mid-call) and taken by one waiting thread that asks the loop to stop.
void catchStopSignals()
{
    static sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::thread([] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        stopRequested = 1;
    }).detach();
}

int fail(const QString& message)
{
    std::fprintf(stderr, "tallyvane-lab: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    catchStopSignals();
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.contains(QStringLiteral("--help"))) {
        std::printf("%s\n", qPrintable(tv::lab::parseLabOptions({}).error.section(QLatin1Char('\n'), 1)));
        return 0;
    }
    const tv::lab::ParsedOptions parsed = tv::lab::parseLabOptions(args);
    if (!parsed.options) return fail(parsed.error);
    const tv::lab::LabOptions& options = *parsed.options;
    if (!QDir().mkpath(options.dataDir)) return fail(QStringLiteral("cannot create %1").arg(options.dataDir));

    const tv::lab::LabIdentity identity = tv::lab::loadOrCreateIdentity(options.dataDir);
    if (!identity.error.isEmpty()) return fail(identity.error);
    const tv::lab::LabClock clock(options.fixedNow);
    tv::lab::LabDatabase database;
    QString error;
    if (!database.open(options.dataDir, clock, &error)) return fail(error);
    // An existing laboratory keeps its data: restarting with a later clock shows what was released since.
    if (options.demo && database.isEmpty()) {
        const tv::lab::DemoSeedResult seeded =
            tv::lab::seedDemoLaboratory(database.database(), clock.now(), options.demoReports);
        if (!seeded.ok) return fail(QStringLiteral("seeding the demo failed: %1").arg(seeded.error));
        std::fprintf(stderr, "demo laboratory seeded: %d reports\n", seeded.reports);
    }

    tv::lab::LabService service(database.database(), clock);
    tv::lab::HttpsServer server;
    const tv::lab::HttpsSettings settings{options.bindAddress,   options.port, identity.certificatePem,
                                          identity.keyPem,       "WebDAV",     options.password.toUtf8(),
                                          "Tallyvane laboratory"};
    if (!server.start(
            settings, [&service](const tv::lab::HttpRequest& request) { return service.handle(request); }, &error))
        return fail(error);
    const QString host = options.bindAddress.contains(QLatin1Char(':'))
                             ? QLatin1Char('[') + options.bindAddress + QLatin1Char(']')
                             : options.bindAddress;
    std::printf("listening on https://%s:%u\n", qPrintable(host), server.port());
    std::fflush(stdout);
    server.run(stopRequested);
    return 0;
}
