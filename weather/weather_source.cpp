// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/weather_source.h"

#include "calc/input_limits.h"
#include "calc/number_format.h"

#include <charconv>
#include <cmath>
#include <utility>

namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;
constexpr int kChecksumDigits = 16;

// A month 1..12 written with digits only.
int MonthOf(std::string_view text)
{
    int month = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), month);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty() ||
        text.front() == '-' || month < 1 || month > 12)
        return 0;
    return month;
}

std::string DayText(int day, int month)
{
    return FormatWhole(day) + "." + (month < 10 ? "0" : "") + FormatWhole(month);
}

} // namespace

WeatherSource WeatherFileSource(std::string path, std::string checksum)
{
    WeatherSource source;
    source.kind = WeatherSource::Kind::File;
    source.path = std::move(path);
    source.checksum = std::move(checksum);
    return source;
}

WeatherSource WindDistributionSource(double wind, double shape, bool scaleGiven)
{
    WeatherSource source;
    source.kind = WeatherSource::Kind::Distribution;
    source.wind = wind;
    source.shape = shape;
    source.scaleGiven = scaleGiven;
    return source;
}

std::string FileChecksum(std::string_view bytes)
{
    std::uint64_t hash = kFnvOffset;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= kFnvPrime;
    }
    static const char kDigits[] = "0123456789abcdef";
    std::string text(kChecksumDigits, '0');
    for (int i = kChecksumDigits - 1; i >= 0; --i, hash >>= 4)
        text[static_cast<std::size_t>(i)] = kDigits[hash & 0xFU];
    return text;
}

bool IsChecksum(std::string_view text)
{
    if (text.size() != kChecksumDigits)
        return false;
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

Outcome CheckWeatherSource(const WeatherSource& s)
{
    if (!std::isfinite(s.inside) || s.inside < -60.0 || s.inside > 60.0)
        return Failure{"Temperatura wewnętrzna ti musi leżeć w granicach −60…60 °C."};
    if (s.kind == WeatherSource::Kind::File)
        return s.path.empty() ? Outcome{Failure{"Nie podano pliku pogodowego."}} : Outcome{};
    if (const Result<Weibull> w =
            s.scaleGiven ? WeibullFromScale(s.wind, s.shape) : WeibullFromMean(s.wind, s.shape);
        !w)
        return w.Fault();
    if (CheckLimits({{Limited::OutdoorTemperature, s.outside}}) != Refusal::None)
        return Failure{"Temperatura zewnętrzna te musi leżeć w granicach −60…60 °C."};
    return {};
}

double ScheduleVentilatorHeight(std::int32_t storeys, double storeyHeight)
{
    return storeys * storeyHeight + 1.0;
}

Result<double> SiteWindRatio(const Site& site)
{
    return TerrainWindRatio(site.height, site.buildingTerrain, site.stationTerrain);
}

int TerrainCategoryOf(std::string_view text)
{
    for (const TerrainCategory& category : kTerrainCategories) {
        if (text == category.name || (text.size() == 1 && text[0] == '0' + category.number))
            return category.number;
    }
    return -1;
}

Result<WeatherPeriod> ParsePeriod(std::string_view text)
{
    if (text == "year")
        return WholeYear();
    if (text == "heating")
        return HeatingSeason();
    const std::size_t dash = text.find('-');
    const int from = dash == std::string_view::npos ? 0 : MonthOf(text.substr(0, dash));
    const int to = dash == std::string_view::npos ? 0 : MonthOf(text.substr(dash + 1));
    if (from == 0 || to == 0)
        return Failure{"okres to year, heating albo M1-M2 z miesiącami 1..12, podano: " +
                       std::string(text)};
    return MonthsPeriod(from, to);
}

std::string PeriodKey(const WeatherPeriod& p)
{
    if (p == WholeYear())
        return "year";
    if (p == HeatingSeason())
        return "heating";
    return FormatWhole(p.fromMonth) + "-" + FormatWhole(p.toMonth);
}

std::string PeriodText(const WeatherPeriod& p)
{
    const WeatherPeriod year = WholeYear();
    const WeatherPeriod heating = HeatingSeason();
    if (p.fromMonth == year.fromMonth && p.fromDay == year.fromDay && p.toMonth == year.toMonth &&
        p.toDay == year.toDay)
        return "cały rok";
    if (p.fromMonth == heating.fromMonth && p.fromDay == heating.fromDay &&
        p.toMonth == heating.toMonth && p.toDay == heating.toDay)
        return "sezon grzewczy (" + DayText(p.fromDay, p.fromMonth) + "–" +
               DayText(p.toDay, p.toMonth) + ")";
    if (p.fromDay == 1 && p.toDay == 31)
        return "miesiące " + FormatWhole(p.fromMonth) + "–" + FormatWhole(p.toMonth);
    return DayText(p.fromDay, p.fromMonth) + "–" + DayText(p.toDay, p.toMonth);
}

Result<LoadedWeather> LoadWeather(const WeatherSource& source, std::string_view fileBytes)
{
    if (Outcome checked = CheckWeatherSource(source); !checked)
        return checked.Fault();
    LoadedWeather loaded;
    loaded.source = source;
    if (source.kind == WeatherSource::Kind::Distribution) {
        loaded.weibull = (source.scaleGiven ? WeibullFromScale(source.wind, source.shape)
                                            : WeibullFromMean(source.wind, source.shape))
                             .Value();
        return loaded;
    }
    loaded.source.checksum = FileChecksum(fileBytes);
    loaded.changed = !source.checksum.empty() && source.checksum != loaded.source.checksum;
    Result<WeatherYear> year = ReadEpwText(fileBytes);
    if (!year)
        return UnusableWeatherFile(source.path, year.Reason());
    loaded.year = std::move(year).Value();
    return loaded;
}

Failure UnusableWeatherFile(std::string_view path, std::string reason)
{
    if (!reason.empty() && reason.back() == '.')
        reason.pop_back();
    return Failure{"Nie można użyć pliku pogodowego „" + std::string(path) + "”: " + reason + "."};
}
