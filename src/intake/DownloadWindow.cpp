#include "intake/DownloadWindow.h"

#include "store/SqlLiteral.h"

#include <QLocale>

namespace tv::intake {

namespace {

// 1/96 of a day.
constexpr qint64 kAheadSeconds = 15 * 60;

QString amPmLower(const QString& text)
{
    QString out = text;
    out.replace(QLatin1String("AM"), QLatin1String("am"));
    out.replace(QLatin1String("PM"), QLatin1String("pm"));
    return out;
}

} // namespace

DownloadWindow downloadWindow(DownloadMode mode, const QDate& baseDate, const QDateTime& now,
                              const QDateTime& lastProcess)
{
    DownloadWindow window;
    const QDateTime ahead = now.addSecs(kAheadSeconds);
    switch (mode) {
    case DownloadMode::Daily:
        window.start = store::sqlDayStart(baseDate);
        window.end = store::sqlDayStart(baseDate.addDays(1));
        window.searchDate = QDateTime(baseDate.addDays(1), QTime(0, 0));
        break;
    case DownloadMode::Stat:
        window.start = store::sqlDayStart(baseDate);
        window.end = store::sqlDateTime(ahead);
        window.searchDate = now;
        break;
    case DownloadMode::SinceLast:
        window.start = store::sqlDateTime(lastProcess);
        window.end = store::sqlDateTime(ahead);
        window.searchDate = now;
        break;
    }
    return window;
}

QDateTime lastProcessFloor(const QDateTime& newestStored, const QDate& today)
{
    const QDateTime floor(today.addDays(-7), QTime(0, 0));
    if (!newestStored.isValid() || newestStored < floor)
        return floor;
    return newestStored;
}

QString downloadStatement(store::Channel channel, const DownloadWindow& window, int account)
{
    return QStringLiteral("SELECT * FROM %1 R WHERE (R.PROCESS BETWEEN %2 AND %3) AND (R.ACCOUNT=%4)")
        .arg(store::channelNames(channel).remoteView, window.start, window.end, QString::number(account));
}

QString emptyAnswerInstruction(store::Channel channel)
{
    return channel == store::Channel::Reference ? QStringLiteral("No Reference Lab Results available")
                                                : QStringLiteral("No Results Available");
}

QString searchDateContent(const QDateTime& searchDate)
{
    return QStringLiteral("Search Date :") +
           QLocale::c().toString(searchDate.date(), QStringLiteral("ddd, MMMM/dd/yyyy"));
}

QString sinceLastCaption(const QDateTime& lastProcess)
{
    return QStringLiteral("Since Last Results Release Date\n") +
           amPmLower(QLocale::c().toString(lastProcess, QStringLiteral("ddd, MMM/dd/yyyy hh:mm:ss AP")));
}

} // namespace tv::intake
