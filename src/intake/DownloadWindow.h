// Which releases a download asks for: the three modes and their windows of release time. The
// laboratory's working day turns at 05:30, and "now" windows reach 15 minutes (1/96 day) ahead
// to cover clocks that differ between the laboratory and the office.
#pragma once

#include "store/ReportChannel.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace tv::intake {

enum class DownloadMode { Daily = 10, Stat = 11, SinceLast = 12 };

struct DownloadWindow {
    QString start;        ///< quoted bound, ready for the statement
    QString end;
    QDateTime searchDate; ///< named in the "No Results Available" notice
};

/// `baseDate`: for a daily download the day before the picked date. `lastProcess`: the newest
/// stored release of the channel (see lastProcessFloor), used by SinceLast only.
DownloadWindow downloadWindow(DownloadMode mode, const QDate& baseDate, const QDateTime& now,
                              const QDateTime& lastProcess);

/// The newest stored release, but never before today 00:00 minus 7 days; an invalid or null
/// newest release counts as that floor.
QDateTime lastProcessFloor(const QDateTime& newestStored, const QDate& today);

/// The remote SELECT of released reports of the account in the window.
QString downloadStatement(store::Channel channel, const DownloadWindow& window, int account);

/// The notice for an empty answer: instruction and "Search Date :" content.
QString emptyAnswerInstruction(store::Channel channel);
QString searchDateContent(const QDateTime& searchDate);

/// "Since Last Results Release Date" and the start of the since-last window on a second line.
QString sinceLastCaption(const QDateTime& lastProcess);

} // namespace tv::intake
