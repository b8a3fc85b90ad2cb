// Seeds the demo laboratory: three accounts (1001 active with most of the data, 1002 on hold,
// 1003 disabled), two software vendors with their files, the WEB/WEB9 configuration rows,
// reports of both channels over the two weeks before the laboratory's clock (with corrected
// re-releases, some still to come), and messages. Deterministic for a given clock; one transaction.
#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

namespace tv::lab {

/// A few reports every demo holds, at fixed offsets from the clock, for tests and the README.
/// 26000001 RIVERA LOPEZ, ANA (1001): CBCD released yesterday, corrected again a day after
///          the clock; CMP14 released yesterday and corrected two hours before the clock.
/// 26000002 O'NEIL, JOHN (1001): LIPID released three hours before the clock, not printed.
/// 26000003 GARCIA LOPEZ, MARIA ELENA (1001): reference-channel WCULA (two pages) released five hours before.
/// 26000004 (1001): UAMIC entered an hour before the clock, waiting.
/// 26000005 (1001): LIPID processed half an hour before the clock, released two hours after it.
struct DemoSeedResult {
    bool ok = false;
    QString error;
    int reports = 0; ///< report rows (test x channel) seeded, showcase included
};

DemoSeedResult seedDemoLaboratory(QSqlDatabase database, const QDateTime& now, int reportCount);

} // namespace tv::lab
