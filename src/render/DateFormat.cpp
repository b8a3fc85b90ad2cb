#include "render/DateFormat.h"

#include "script/Variant.h"

#include <cmath>

namespace tv::render {

namespace {

const char* const kShortDate = "m/d/yyyy";
const char* const kLongDate = "dddd, mmmm d, yyyy";
const char* const kShortTime = "hh:nn";
const char* const kLongTime = "h:nn:ss AM/PM";
const char* const kDayShort[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kDayLong[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonthShort[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kMonthLong[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};

QString padded(int value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

class PatternWriter {
public:
    PatternWriter(const QDateTime& when, const QString& pattern)
        : m_when(when), m_pattern(pattern), m_twelveHour(usesTwelveHourClock(pattern))
    {
    }

    QString run()
    {
        while (m_pos < m_pattern.size())
            step();
        return m_out;
    }

private:
    static bool usesTwelveHourClock(const QString& pattern)
    {
        return pattern.contains(QLatin1String("am/pm"), Qt::CaseInsensitive) ||
               pattern.contains(QLatin1String("ampm"), Qt::CaseInsensitive);
    }

    int countRun(QChar letter) const
    {
        int n = 0;
        while (m_pos + n < m_pattern.size() && m_pattern[m_pos + n].toLower() == letter)
            ++n;
        return n;
    }

    bool matches(QLatin1String word) const
    {
        return QStringView(m_pattern).mid(m_pos).startsWith(word, Qt::CaseInsensitive);
    }

    void nested(const char* pattern) { m_out += PatternWriter(m_when, QString::fromLatin1(pattern)).run(); }

    void step()
    {
        const QChar c = m_pattern[m_pos];
        const QChar lower = c.toLower();
        const QDate date = m_when.date();
        const QTime time = m_when.time();
        // "m" means minutes when the last pattern letter before it was an hour.
        const bool afterHour = m_lastLetter == QLatin1Char('h');
        if (c.isLetter()) m_lastLetter = lower;
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype end = m_pattern.indexOf(c, m_pos + 1);
            const qsizetype stop = end < 0 ? m_pattern.size() : end;
            m_out += m_pattern.mid(m_pos + 1, stop - m_pos - 1);
            m_pos = stop + 1;
            return;
        }
        if (matches(QLatin1String("am/pm"))) {
            const bool upper = m_pattern[m_pos].isUpper();
            const QString marker = time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm");
            m_out += upper ? marker.toUpper() : marker;
            m_pos += 5;
            return;
        }
        if (matches(QLatin1String("ampm"))) {
            m_out += time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            m_pos += 4;
            return;
        }
        int n = 1;
        if (lower == QLatin1Char('d')) {
            n = std::min(countRun(lower), 6);
            const int weekday = date.dayOfWeek() % 7;
            switch (n) {
            case 1:
                m_out += QString::number(date.day());
                break;
            case 2:
                m_out += padded(date.day(), 2);
                break;
            case 3:
                m_out += QLatin1String(kDayShort[weekday]);
                break;
            case 4:
                m_out += QLatin1String(kDayLong[weekday]);
                break;
            case 5:
                nested(kShortDate);
                break;
            default:
                nested(kLongDate);
                break;
            }
        } else if (lower == QLatin1Char('m')) {
            n = std::min(countRun(lower), 4);
            if (afterHour && n <= 2)
                m_out += n == 1 ? QString::number(time.minute()) : padded(time.minute(), 2);
            else if (n <= 2)
                m_out += n == 1 ? QString::number(date.month()) : padded(date.month(), 2);
            else
                m_out += QLatin1String((n == 3 ? kMonthShort : kMonthLong)[date.month() - 1]);
        } else if (lower == QLatin1Char('y')) {
            n = std::min(countRun(lower), 4);
            m_out += n <= 2 ? padded(date.year() % 100, 2) : padded(date.year(), 4);
        } else if (lower == QLatin1Char('h')) {
            n = std::min(countRun(lower), 2);
            int hour = time.hour();
            if (m_twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
            m_out += n == 1 ? QString::number(hour) : padded(hour, 2);
        } else if (lower == QLatin1Char('n') || lower == QLatin1Char('s')) {
            n = std::min(countRun(lower), 2);
            const int value = lower == QLatin1Char('n') ? time.minute() : time.second();
            m_out += n == 1 ? QString::number(value) : padded(value, 2);
        } else if (lower == QLatin1Char('z')) {
            n = countRun(lower) >= 3 ? 3 : 1;
            m_out += n == 1 ? QString::number(time.msec()) : padded(time.msec(), 3);
        } else if (lower == QLatin1Char('t')) {
            n = std::min(countRun(lower), 2);
            nested(n == 1 ? kShortTime : kLongTime);
        } else if (lower == QLatin1Char('c')) {
            nested(kShortDate);
            m_out += QLatin1Char(' ');
            nested(kLongTime);
        } else {
            // "/" and ":" are the system separators, which are the characters themselves here.
            m_out += c;
        }
        m_pos += n;
    }

    const QDateTime& m_when;
    const QString& m_pattern;
    const bool m_twelveHour;
    qsizetype m_pos = 0;
    QChar m_lastLetter;
    QString m_out;
};

} // namespace

std::optional<QDateTime> parseSystemDateTime(const QString& text)
{
    double serial = 0;
    if (!script::Variant::parseDate(text, serial)) return std::nullopt;
    const double days = std::floor(serial);
    const qint64 msecs = qint64(std::llround((serial - days) * 86400000.0));
    const QDate date = QDate(1899, 12, 30).addDays(qint64(days));
    return QDateTime(date, QTime(0, 0).addMSecs(int(std::min<qint64>(msecs, 86399999))));
}

QString formatDatePattern(const QDateTime& when, const QString& pattern)
{
    return PatternWriter(when, pattern).run();
}

} // namespace tv::render
