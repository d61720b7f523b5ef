// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/year_text.h"

#include "calc/number_format.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "styczeń", "luty",     "marzec",   "kwiecień",    "maj",      "czerwiec",
    "lipiec",  "sierpień", "wrzesień", "październik", "listopad", "grudzień"};
constexpr std::array<const char*, 12> kMonthNumerals = {"I",   "II",   "III", "IV", "V",  "VI",
                                                        "VII", "VIII", "IX",  "X",  "XI", "XII"};

std::string Percent(double share)
{
    return FormatFixed(100.0 * share, 2) + " %";
}

std::string TerrainName(int category)
{
    return category >= 0 && category < kTerrainCategoryCount
               ? std::string(kTerrainCategories[static_cast<std::size_t>(category)].name)
               : "?";
}

std::string Hours(int hours)
{
    return FormatWhole(hours);
}

void FileLines(const HourlySummary& s, std::vector<std::string>& lines)
{
    lines.push_back("Godziny spełnienia wymagania: " + Hours(s.meetingHours) + " z " +
                    Hours(s.computedHours) + " obliczonych (" + Percent(s.share) + ")");
    lines.push_back("Godziny bez przepływu w górę: " + Hours(s.noFlowHours));
    lines.push_back("Godziny bez danych: " + Hours(s.missingHours));
    if (s.refusedHours > 0)
        lines.push_back("Godziny odrzucone: " + Hours(s.refusedHours));
    if (s.outOfRangeHours > 0)
        lines.push_back("Godziny poza zakresem charakterystyki: " + Hours(s.outOfRangeHours));
    lines.push_back("Q50 = " + FormatFixed(s.flowExceeded50, 2) +
                    " [m3/h], Q90 = " + FormatFixed(s.flowExceeded90, 2) + " [m3/h]");
    std::string months = "Udział miesięcy:";
    for (std::size_t m = 0; m < s.months.size(); ++m) {
        if (s.months[m].hours > 0)
            months += std::string(" ") + kMonthNumerals[m] + " " +
                      FormatFixed(100.0 * s.months[m].share, 1) + " %";
    }
    lines.push_back(months);
    if (s.worstMonth > 0)
        lines.push_back(std::string("Najgorszy miesiąc: ") +
                        kMonthNames[static_cast<std::size_t>(s.worstMonth - 1)] + " (" +
                        Percent(s.months[static_cast<std::size_t>(s.worstMonth - 1)].share) + ")");
}

void DistributionLines(const WindShare& share, std::vector<std::string>& lines)
{
    lines.push_back("Udział czasu spełnienia wymagania: " + Percent(share.share));
    switch (share.reach) {
    case NeedReach::MetInCalm:
        lines.push_back("Wymaganie spełnione także bez wiatru");
        break;
    case NeedReach::NeverMet:
        lines.push_back("Wymaganie niespełnione przy wietrze do " +
                        FormatFixed(share.largestWind, 1) + " [m/s] przy wywietrzniku");
        break;
    case NeedReach::Crossing:
    case NeedReach::NotMonotone:
        lines.push_back("Potrzebny wiatr: przy wywietrzniku " +
                        FormatFixed(share.ventilatorWind, 2) + " [m/s], na stacji " +
                        FormatFixed(share.stationWind, 2) + " [m/s]");
        if (share.reach == NeedReach::NotMonotone)
            lines.push_back("Wydajność nie rośnie monotonicznie z wiatrem");
        break;
    }
}

} // namespace

std::string MeetingPercentText(const YearOutcome& outcome)
{
    return FormatFixed(100.0 * outcome.MeetingShare(), 2);
}

std::vector<std::string> YearConditionLines(const LoadedWeather& weather,
                                            const YearQuestion& question)
{
    std::vector<std::string> lines;
    const WeatherSource& s = weather.source;
    const bool file = s.kind == WeatherSource::Kind::File;
    if (file) {
        lines.push_back("Stacja: " + weather.year.station.name);
        lines.push_back("Okres: " + PeriodText(question.period));
    }
    if (const Result<double> ratio = SiteWindRatio(question.site); ratio)
        lines.push_back("Teren stacji " + TerrainName(question.site.stationTerrain) + ", budynku " +
                        TerrainName(question.site.buildingTerrain) +
                        ", z = " + FormatFixed(question.site.height, 2) +
                        " [m]: wiatr przy wywietrzniku = " + FormatFixed(ratio.Value(), 4) +
                        " × wiatr na stacji");
    lines.push_back("Wymagana wydajność Qh = " + FormatFixed(question.need, 2) + " [m3/h]");
    if (!file)
        lines.push_back("Rozkład Weibulla: A = " + FormatFixed(weather.weibull.scale, 3) +
                        " [m/s], k = " + FormatFixed(weather.weibull.shape, 2) +
                        ", te = " + FormatFixed(s.outside, 1) +
                        " [°C], ti = " + FormatFixed(s.inside, 1) + " [°C]");
    return lines;
}

std::vector<std::string> YearResultLines(const YearOutcome& outcome)
{
    std::vector<std::string> lines;
    if (outcome.distribution)
        DistributionLines(outcome.share, lines);
    else
        FileLines(outcome.summary, lines);
    return lines;
}

std::vector<std::string> YearLines(const LoadedWeather& weather, const YearQuestion& question,
                                   const YearOutcome& outcome)
{
    std::vector<std::string> lines = YearConditionLines(weather, question);
    for (std::string& line : YearResultLines(outcome))
        lines.push_back(std::move(line));
    return lines;
}

std::string_view HourStatusText(HourStatus status)
{
    switch (status) {
    case HourStatus::Flow:
        return "przepływ";
    case HourStatus::NoDraught:
        return "brak przepływu w górę";
    case HourStatus::OutOfRange:
        return "poza zakresem charakterystyki";
    case HourStatus::Refused:
        return "odrzucona";
    case HourStatus::Missing:
        break;
    }
    return "brak danych";
}
