#include "platform/datetime.h"

#include "platform/text.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace formidor {

namespace {

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

// Days from 0001-01-01 (day 1) in the proleptic Gregorian calendar.
long daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468; // days since 1970-01-01
}

const long kEpoch1899 = daysFromCivil(1899, 12, 30);

} // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime& out) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month))
        return false;
    out = static_cast<double>(daysFromCivil(year, month, day) - kEpoch1899);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime dt;
    if (!TryEncodeDate(year, month, day, dt))
        throw EConvertError("Ungültiges Argument zum Codieren des Datums");
    return dt;
}

DateParts DecodeDate(TDateTime dt) {
    // Outside 1 January 0001 … 31 December 9999 (or NaN) there is no date, and the day count
    // would not even fit the arithmetic below: all parts read 0 then.
    if (!(dt > -693594.0 && dt < 2958466.0)) return {0, 0, 0};
    // The whole days count towards zero: -1.25 is 29 December 1899, 6:00, the time of day
    // being the fraction's amount (as DecodeTime and DateOf read it).
    long z = static_cast<long>(std::trunc(dt)) + kEpoch1899 + 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long y = yoe + era * 400;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const long d = doy - (153 * mp + 2) / 5 + 1;
    const long m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    return (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + msec) / 86400000.0;
}

void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& msec) {
    if (!std::isfinite(dt)) dt = 0;
    double frac = std::fabs(dt - std::trunc(dt));
    long ms = std::lround(frac * 86400000.0);
    if (ms >= 86400000) ms = 86399999;
    hour = static_cast<int>(ms / 3600000);
    minute = static_cast<int>(ms / 60000 % 60);
    second = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

TDateTime Now() {
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm lt{};
    localtime_r(&t, &lt);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
    return EncodeDate(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday) +
           EncodeTime(lt.tm_hour, lt.tm_min, lt.tm_sec, static_cast<int>(ms.count()));
}

TDateTime Date() {
    return std::floor(Now());
}

TDateTime DateOf(TDateTime dt) {
    return std::trunc(dt);
}

namespace {
std::string two(int v) {
    return v < 10 ? "0" + std::to_string(v) : std::to_string(v);
}
} // namespace

std::string DateToStr(TDateTime dt, const FormatSettings& fs) {
    auto p = DecodeDate(dt);
    std::string y = std::to_string(p.year);
    while (y.size() < 4) y.insert(y.begin(), '0');
    return two(p.day) + fs.dateSeparator + two(p.month) + fs.dateSeparator + y;
}

std::string TimeToStr(TDateTime dt, const FormatSettings& fs) {
    int h, m, s, ms;
    DecodeTime(dt, h, m, s, ms);
    return two(h) + fs.timeSeparator + two(m) + fs.timeSeparator + two(s);
}

std::string DateTimeToStr(TDateTime dt, const FormatSettings& fs) {
    return DateToStr(dt, fs) + " " + TimeToStr(dt, fs);
}

bool TryStrToDate(std::string_view s, TDateTime& out, const FormatSettings& fs) {
    std::string t = trim(s);
    int parts[3] = {0, 0, 0};
    int lens[3] = {0, 0, 0};
    int n = 0;
    size_t i = 0;
    while (n < 3) {
        size_t start = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
            if (i - start >= 4) return false;
            parts[n] = parts[n] * 10 + (t[i] - '0');
            ++i;
        }
        lens[n] = static_cast<int>(i - start);
        if (lens[n] == 0) return false;
        ++n;
        if (i == t.size()) break;
        if (t[i] != fs.dateSeparator) return false;
        ++i;
        if (i == t.size() && n == 3) break;
    }
    if (i != t.size() || n < 2) return false;
    int day = parts[0], month = parts[1], year;
    if (n == 2) {
        year = DecodeDate(Date()).year;
    } else {
        year = parts[2];
        if (lens[2] <= 2) {
            int current = DecodeDate(Date()).year;
            int century = current - current % 100;
            year += century;
            if (year > current + 49)
                year -= 100;
            else if (year < current - 50)
                year += 100;
        }
    }
    return TryEncodeDate(year, month, day, out);
}

TDateTime StrToDate(std::string_view s, const FormatSettings& fs) {
    TDateTime dt;
    if (!TryStrToDate(s, dt, fs)) throw EConvertError(formatMessage(kInvalidDate, s));
    return dt;
}

} // namespace formidor
