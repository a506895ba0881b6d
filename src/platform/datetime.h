#pragma once
// Points in time as day counts since 30 December 1899, the time of day as the fraction.
#include "platform/convert.h"

#include <string>
#include <string_view>

namespace formidor {

using TDateTime = double;

struct DateParts {
    int year = 1899, month = 12, day = 30;
};

// Raises EConvertError "Ungültiges Argument zum Codieren des Datums" for a date that does not
// exist.
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
// Year, month and day; all 0 for a value outside the years 1 … 9999.
DateParts DecodeDate(TDateTime dt);
TDateTime EncodeTime(int hour, int minute, int second, int msec = 0);
void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& msec);

TDateTime Now();  // local date and time
TDateTime Date(); // today, local, no time
TDateTime DateOf(TDateTime dt);

// "dd.mm.yyyy" in German settings.
std::string DateToStr(TDateTime dt, const FormatSettings& fs = FormatSettings::german());
// "hh:mm:ss"
std::string TimeToStr(TDateTime dt, const FormatSettings& fs = FormatSettings::german());
std::string DateTimeToStr(TDateTime dt, const FormatSettings& fs = FormatSettings::german());
// Day, month and year separated by the date separator; a year of one or two digits lies in
// the century window of the last 50 years. Raises "'%s' ist kein gültiges Datum".
TDateTime StrToDate(std::string_view s, const FormatSettings& fs = FormatSettings::german());
bool TryStrToDate(std::string_view s, TDateTime& out,
                  const FormatSettings& fs = FormatSettings::german());

inline constexpr std::string_view kInvalidDate = "'%s' ist kein gültiges Datum";

} // namespace formidor
