// Text forms of numbers and dates in the fixed US locale: CStr's output and the strings that
// convert back to numbers and dates.
#include "script/Variant.h"

#include <cmath>
#include <cstdio>

namespace tv::script {

namespace {

constexpr int64_t kUnixEpochSerial = 25569; // 1/1/1970

// Days since 1/1/1970 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int& y, int& m, int& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2));
}

int daysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) return 29;
    return days[m - 1];
}

const char* const kMonths[] = {"january", "february", "march",     "april",   "may",      "june",
                               "july",    "august",   "september", "october", "november", "december"};

int monthFromName(const QString& word)
{
    if (word.size() < 3) return 0;
    for (int i = 0; i < 12; ++i) {
        const QLatin1String full(kMonths[i]);
        if (full.startsWith(word, Qt::CaseInsensitive)) return i + 1;
    }
    if (word.compare(QLatin1String("sept"), Qt::CaseInsensitive) == 0) return 9;
    return 0;
}

struct Token {
    enum Kind { Number, Word, Colon, Sep };
    explicit Token(Kind k) : kind(k) {}
    Kind kind;
    int value = 0;
    int digits = 0;
    QString text;
};

bool tokenizeDate(QStringView s, std::vector<Token>& out)
{
    for (qsizetype i = 0; i < s.size();) {
        const QChar c = s[i];
        if (c.isDigit()) {
            Token t(Token::Number);
            while (i < s.size() && s[i].isDigit()) {
                if (t.digits++ > 5) return false;
                t.value = t.value * 10 + s[i++].digitValue();
            }
            out.push_back(t);
        } else if (c.isLetter()) {
            Token t(Token::Word);
            while (i < s.size() && s[i].isLetter())
                t.text += s[i++];
            out.push_back(t);
        } else if (c == u':') {
            out.emplace_back(Token::Colon);
            ++i;
        } else if (c == u'/' || c == u'-' || c == u',' || c == u'.' || c == u' ' || c == u'\t') {
            if (c != u' ' && c != u'\t' && c != u',') out.emplace_back(Token::Sep);
            ++i;
        } else {
            return false;
        }
    }
    return !out.empty();
}

int fullYear(const Token& t)
{
    if (t.digits <= 2) return t.value < 30 ? 2000 + t.value : 1900 + t.value;
    return t.value;
}

} // namespace

double dateFromParts(int year, int month, int day)
{
    int64_t y = year + (month - 1 >= 0 ? (month - 1) / 12 : -((12 - month) / 12));
    int64_t m = ((month - 1) % 12 + 12) % 12 + 1;
    return double(daysFromCivil(y, m, 1) + day - 1 + kUnixEpochSerial);
}

double timeFromParts(int hour, int minute, int second)
{
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

DateParts dateParts(double serial)
{
    if (!(serial > -1e7 && serial < 1e7)) raise(6);
    double whole = std::trunc(serial);
    long long secs = std::llround(std::fabs(serial - whole) * 86400.0);
    if (secs >= 86400) {
        secs -= 86400;
        whole += serial < 0 ? -1 : 1;
    }
    DateParts p{};
    const int64_t days = int64_t(whole);
    civilFromDays(days - kUnixEpochSerial, p.year, p.month, p.day);
    p.hour = int(secs / 3600);
    p.minute = int(secs / 60 % 60);
    p.second = int(secs % 60);
    p.weekday = int(((days % 7) + 7 + 6) % 7) + 1;
    return p;
}

QString Variant::formatDouble(double v, int significantDigits)
{
    if (v == 0) return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", significantDigits, v);
    return QString::fromLatin1(buf);
}

QString Variant::formatCurrency(int64_t scaled)
{
    const bool negative = scaled < 0;
    const uint64_t magnitude = negative ? uint64_t(0) - uint64_t(scaled) : uint64_t(scaled);
    QString s = QString::number(magnitude / 10000);
    uint64_t fraction = magnitude % 10000;
    if (fraction) {
        QString f = QString::number(fraction).rightJustified(4, u'0');
        while (f.endsWith(u'0'))
            f.chop(1);
        s += u'.' + f;
    }
    return negative ? u'-' + s : s;
}

QString Variant::formatDate(double serial)
{
    const DateParts p = dateParts(serial);
    const bool hasTime = p.hour || p.minute || p.second;
    const bool hasDate = std::trunc(serial) != 0;
    const QString date = QStringLiteral("%1/%2/%3").arg(p.month).arg(p.day).arg(p.year);
    if (!hasTime && hasDate) return date;
    const int h12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    const QString time = QStringLiteral("%1:%2:%3 %4")
                             .arg(h12)
                             .arg(p.minute, 2, 10, QChar(u'0'))
                             .arg(p.second, 2, 10, QChar(u'0'))
                             .arg(p.hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
    return hasDate ? date + u' ' + time : time;
}

bool Variant::parseNumber(QStringView text, double& out)
{
    QStringView s = text.trimmed();
    if (s.isEmpty()) return false;
    if (s.size() > 2 && s[0] == u'&' && (s[1] == u'H' || s[1] == u'h' || s[1] == u'O' || s[1] == u'o')) {
        const int base = (s[1] == u'H' || s[1] == u'h') ? 16 : 8;
        uint64_t v = 0;
        for (QChar c : s.mid(2)) {
            const int d = c.isDigit()                                    ? c.digitValue()
                          : (c.toLower() >= u'a' && c.toLower() <= u'f') ? c.toLower().unicode() - 'a' + 10
                                                                         : 99;
            if (d >= base) return false;
            v = v * uint64_t(base) + uint64_t(d);
            if (v > 0xFFFFFFFFull) return false;
        }
        out = double(v <= 0xFFFF ? int16_t(v) : int32_t(uint32_t(v)));
        return true;
    }
    QByteArray ascii;
    ascii.reserve(s.size());
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ascii += char(s[i++].unicode());
    if (i < s.size() && s[i] == u'$') ++i;
    bool digits = false;
    for (; i < s.size() && (s[i].isDigit() || (s[i] == u',' && digits)); ++i)
        if (s[i] != u',') {
            ascii += char(s[i].unicode());
            digits = true;
        }
    if (i < s.size() && s[i] == u'.') {
        ascii += '.';
        for (++i; i < s.size() && s[i].isDigit(); ++i) {
            ascii += char(s[i].unicode());
            digits = true;
        }
    }
    if (!digits) return false;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
        ascii += 'e';
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ascii += char(s[i++].unicode());
        bool expDigits = false;
        for (; i < s.size() && s[i].isDigit(); ++i) {
            ascii += char(s[i].unicode());
            expDigits = true;
        }
        if (!expDigits) return false;
    }
    if (i != s.size()) return false;
    bool ok = false;
    out = ascii.toDouble(&ok);
    return ok && std::isfinite(out);
}

bool Variant::parseDate(QStringView text, double& serial)
{
    std::vector<Token> tokens;
    if (!tokenizeDate(text.trimmed(), tokens)) return false;
    std::vector<Token> dateNums;
    int monthName = 0;
    int timeParts[3] = {0, 0, 0};
    int timeCount = 0;
    int ampm = 0; // 1 AM, 2 PM
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == Token::Number) {
            const bool startsTime = i + 1 < tokens.size() && tokens[i + 1].kind == Token::Colon;
            const bool hourWithMarker = i + 1 < tokens.size() && tokens[i + 1].kind == Token::Word && timeCount == 0 &&
                                        (tokens[i + 1].text.compare(QLatin1String("am"), Qt::CaseInsensitive) == 0 ||
                                         tokens[i + 1].text.compare(QLatin1String("pm"), Qt::CaseInsensitive) == 0);
            if ((startsTime || hourWithMarker) && timeCount == 0) {
                timeParts[timeCount++] = t.value;
                while (i + 2 < tokens.size() && tokens[i + 1].kind == Token::Colon &&
                       tokens[i + 2].kind == Token::Number && timeCount < 3) {
                    timeParts[timeCount++] = tokens[i + 2].value;
                    i += 2;
                }
                if (i + 1 < tokens.size() && tokens[i + 1].kind == Token::Colon) return false;
            } else {
                dateNums.push_back(t);
            }
        } else if (t.kind == Token::Word) {
            if (t.text.compare(QLatin1String("am"), Qt::CaseInsensitive) == 0 ||
                t.text.compare(QLatin1String("a"), Qt::CaseInsensitive) == 0) {
                ampm = 1;
            } else if (t.text.compare(QLatin1String("pm"), Qt::CaseInsensitive) == 0 ||
                       t.text.compare(QLatin1String("p"), Qt::CaseInsensitive) == 0) {
                ampm = 2;
            } else {
                const int m = monthFromName(t.text);
                if (!m || monthName) return false;
                monthName = m;
            }
        } else if (t.kind == Token::Colon) {
            return false;
        }
    }
    if (ampm && timeCount == 0) return false;
    int hour = timeParts[0];
    if (ampm) {
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + (ampm == 2 ? 12 : 0);
    }
    if (hour > 23 || timeParts[1] > 59 || timeParts[2] > 59) return false;
    const double time = timeFromParts(hour, timeParts[1], timeParts[2]);

    int y = 0, m = 0, d = 0;
    if (monthName) {
        if (dateNums.size() != 2) return false;
        m = monthName;
        const bool firstIsYear = dateNums[0].digits > 2 || dateNums[0].value > 31;
        d = firstIsYear ? dateNums[1].value : dateNums[0].value;
        y = fullYear(firstIsYear ? dateNums[0] : dateNums[1]);
    } else if (dateNums.size() == 3) {
        if (dateNums[0].digits > 2) {
            y = dateNums[0].value;
            m = dateNums[1].value;
            d = dateNums[2].value;
        } else {
            m = dateNums[0].value;
            d = dateNums[1].value;
            y = fullYear(dateNums[2]);
            if (m > 12 && d <= 12) std::swap(m, d);
        }
    } else if (dateNums.empty() && timeCount > 0) {
        serial = time;
        return true;
    } else {
        return false;
    }
    if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m)) return false;
    const double day = dateFromParts(y, m, d);
    serial = day < 0 ? day - time : day + time;
    return true;
}

} // namespace tv::script
