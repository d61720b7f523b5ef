// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/epw.h"

#include "calc/strict_number.h"

#include <fmt/format.h>

#include <array>
#include <cmath>
#include <iterator>
#include <optional>

namespace {

constexpr std::size_t kHourFields = 22;
constexpr std::size_t kLocationFields = 10;
constexpr std::size_t kShownFieldLength = 40;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kYearLength = "rok ma 8760 godzin (8784 w roku przestępnym)";

// The text's lines one by one, without their CR LF or LF.
class Lines {
public:
    explicit Lines(std::string_view text)
        : rest_(text)
    {
    }
    bool Next(std::string_view& line)
    {
        if (rest_.empty())
            return false;
        const std::size_t end = rest_.find('\n');
        line = rest_.substr(0, end);
        rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ++number_;
        return true;
    }
    std::size_t Number() const { return number_; }

private:
    std::string_view rest_;
    std::size_t number_ = 0;
};

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The first `count` comma-separated fields of a line (fewer when it has fewer).
std::vector<std::string_view> Fields(std::string_view line, std::size_t count)
{
    std::vector<std::string_view> fields;
    while (fields.size() < count) {
        const std::size_t comma = line.find(',');
        fields.push_back(line.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        line.remove_prefix(comma + 1);
    }
    return fields;
}

// A field's text as the reason shows it: at most 40 bytes, never a part of a
// UTF-8 character.
std::string Shown(std::string_view field)
{
    if (field.size() <= kShownFieldLength)
        return std::string(field);
    std::size_t end = kShownFieldLength;
    while (end > 0 && (static_cast<unsigned char>(field[end]) & 0xC0U) == 0x80U)
        --end;
    return std::string(field.substr(0, end)) + "…";
}

struct FieldReader {
    const std::vector<std::string_view>& fields;
    std::size_t line;
    std::string reason; // set by the first field that is refused

    // Field `number` (from 1) as a number; `name` says what it holds.
    std::optional<double> Number(std::size_t number, std::string_view name)
    {
        const std::string_view text = Trimmed(fields[number - 1]);
        std::optional<double> value = StrictNumber(text);
        if (!value && reason.empty())
            reason = fmt::format("wiersz {}: pole {} ({}) „{}” nie jest liczbą", line, number, name,
                                 Shown(text));
        return value;
    }

    // A whole number from 1 to `largest`.
    int Whole(std::size_t number, std::string_view name, int largest)
    {
        const std::optional<double> value = Number(number, name);
        if (!value)
            return 0;
        if (!(*value >= 1.0 && *value <= largest && std::floor(*value) == *value)) {
            if (reason.empty())
                reason =
                    fmt::format("wiersz {}: pole {} ({}) „{}” nie jest liczbą całkowitą od "
                                "1 do {}",
                                line, number, name, Shown(Trimmed(fields[number - 1])), largest);
            return 0;
        }
        return static_cast<int>(*value);
    }
};

Result<WeatherStation> ReadLocation(std::string_view line)
{
    const std::vector<std::string_view> fields = Fields(line, kLocationFields);
    if (fields.empty() || Trimmed(fields[0]) != "LOCATION")
        return Failure{"wiersz 1: to nie jest plik pogodowy EPW – brak wiersza LOCATION"};
    if (fields.size() < kLocationFields)
        return Failure{fmt::format("wiersz 1: za mało pól w wierszu LOCATION ({}, potrzeba {})",
                                   fields.size(), kLocationFields)};
    FieldReader reader{fields, 1, {}};
    WeatherStation station;
    station.name = std::string(Trimmed(fields[1]));
    station.country = std::string(Trimmed(fields[3]));
    station.latitude = reader.Number(7, "szerokość geograficzna").value_or(0.0);
    station.longitude = reader.Number(8, "długość geograficzna").value_or(0.0);
    station.elevation = reader.Number(10, "wysokość nad poziomem morza").value_or(0.0);
    if (!reader.reason.empty())
        return Failure{reader.reason};
    return station;
}

Result<WeatherHour> ReadHour(std::string_view line, std::size_t number)
{
    const std::vector<std::string_view> fields = Fields(line, kHourFields);
    if (fields.size() < kHourFields)
        return Failure{fmt::format("wiersz {}: za mało pól ({}, potrzeba co najmniej {})", number,
                                   fields.size(), kHourFields)};
    FieldReader reader{fields, number, {}};
    WeatherHour hour;
    hour.month = reader.Whole(2, "miesiąc", 12);
    hour.day = reader.Whole(3, "dzień", 31);
    hour.hour = reader.Whole(4, "godzina", 24);
    hour.temperature = reader.Number(7, "temperatura powietrza").value_or(0.0);
    hour.humidity = reader.Number(9, "wilgotność względna").value_or(0.0);
    hour.pressure = reader.Number(10, "ciśnienie na stacji").value_or(0.0);
    hour.wind = reader.Number(22, "prędkość wiatru").value_or(0.0);
    if (!reader.reason.empty())
        return Failure{reader.reason};
    hour.missing = hour.temperature >= kMissingTemperature || hour.humidity >= kMissingHumidity ||
                   hour.pressure >= kMissingPressure || hour.wind >= kMissingWind;
    return hour;
}

// The text without its byte-order mark and without blank lines at its end.
std::string_view Content(std::string_view text)
{
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                             text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

Result<std::vector<WeatherHour>> ReadHours(Lines& lines)
{
    std::vector<WeatherHour> hours;
    hours.reserve(kHoursInLeapYear);
    std::string_view line;
    while (lines.Next(line)) {
        if (hours.size() == kHoursInLeapYear)
            return Failure{fmt::format("wiersz {}: więcej niż {} godzin – {}", lines.Number(),
                                       kHoursInLeapYear, kYearLength)};
        Result<WeatherHour> hour = ReadHour(line, lines.Number());
        if (!hour)
            return hour.Fault();
        hours.push_back(hour.Value());
    }
    if (hours.size() != kHoursInYear && hours.size() != kHoursInLeapYear)
        return Failure{fmt::format("wiersz {}: plik kończy się po {} godzinach – {}",
                                   lines.Number(), hours.size(), kYearLength)};
    return hours;
}

} // namespace

Result<WeatherYear> ReadEpwText(std::string_view text)
{
    Lines lines(Content(text));
    std::string_view line;
    if (!lines.Next(line))
        return Failure{"wiersz 1: to nie jest plik pogodowy EPW – brak wiersza LOCATION"};
    Result<WeatherStation> station = ReadLocation(line);
    if (!station)
        return station.Fault();
    while (lines.Number() < kEpwHeaderLines) {
        if (!lines.Next(line))
            return Failure{fmt::format("wiersz {}: plik kończy się w nagłówku – plik EPW ma {} "
                                       "wierszy nagłówka przed danymi godzinowymi",
                                       lines.Number(), kEpwHeaderLines)};
    }
    Result<std::vector<WeatherHour>> hours = ReadHours(lines);
    if (!hours)
        return hours.Fault();
    WeatherYear year;
    year.station = std::move(station).Value();
    year.hours = std::move(hours).Value();
    return year;
}

Result<WeatherYear> ReadEpw(std::istream& in)
{
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return Failure{"Nie udało się odczytać pliku pogodowego."};
    return ReadEpwText(text);
}
