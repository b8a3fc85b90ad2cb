// Which report list a command works on, chosen with the list options every listing command shares
// (--work-date, --download-date, --batch, --labid, --name, --printed, --unprinted, --reference).
// The choice is kept, so the same list can be opened again after the store is reconnected.
#pragma once

#include "store/ReportList.h"

#include <QDateTime>
#include <QStringList>

namespace tv::cli {

struct ReportListChoice {
    enum class Kind { WorkDate, DownloadDate, Batch, LabId, Name };
    Kind kind = Kind::DownloadDate;
    QDate date;      ///< the picked day (today unless a date or batch names another)
    QDateTime batch; ///< Kind::Batch
    QString typed;   ///< Kind::LabId, Kind::Name
    store::PrintedFilter filter = store::PrintedFilter::All;
    bool reference = false;
};

enum class ListOption {
    Taken,   ///< args[i] (and its value) read into the choice
    NotMine, ///< args[i] is no list option
    Wrong,   ///< a list option with a missing or unreadable value; the reason is in `error`
};

/// Reads the list option at args[i], moving i onto its value when it has one.
ListOption readListOption(const QStringList& args, qsizetype& i, ReportListChoice& choice, QString& error);

/// The usage text of the list options.
QString listOptionsUsage();

/// Opens `list` as chosen, in the reference-laboratory mode when asked; false with list.error().
bool openChosenList(store::ReportList& list, const ReportListChoice& choice, const QDate& today);

} // namespace tv::cli
