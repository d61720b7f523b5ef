// SPDX-License-Identifier: GPL-3.0-or-later
// The weather options of the command line and their combination with the others.
#include "cli/cli_values.h"
#include "cli/cli_weather.h"

#include <string_view>

namespace {

Outcome OptionFault(std::string_view option, const std::string& reason)
{
    return Failure{"opcja " + std::string(option) + ": " + reason};
}

bool HasSource(const CliRequest& r)
{
    return r.weatherSource.has_value();
}

bool FileSource(const CliRequest& r)
{
    return HasSource(r) && r.weatherSource->kind == WeatherSource::Kind::File;
}

std::string SourceOption(const CliRequest& r)
{
    return FileSource(r) ? "--weather-file" : "--wind-distribution";
}

} // namespace

Outcome ApplyWeatherFile(CliRequest& r, const std::string& v)
{
    if (v.empty())
        return Failure{"opcja --weather-file wymaga nazwy pliku"};
    r.weatherSource = WeatherFileSource(v);
    return {};
}

Outcome ApplyWindDistribution(CliRequest& r, const std::string& v)
{
    const std::vector<std::string> items = SplitList(v, ',');
    if (items.empty() || items.size() > 2)
        return Failure{"opcja --wind-distribution wymaga postaci V[,K] albo A=SKALA[,K], "
                       "podano: " +
                       v};
    const bool scale = items[0].rfind("A=", 0) == 0;
    double wind = 0.0;
    double shape = kWeibullShape;
    if (Outcome e = First(
            [&] {
                return Assign(
                    RealValue("--wind-distribution", scale ? items[0].substr(2) : items[0]), wind);
            },
            [&] {
                return items.size() < 2 ? Outcome{}
                                        : Assign(RealValue("--wind-distribution", items[1]), shape);
            });
        !e)
        return e;
    r.weatherSource = WindDistributionSource(wind, shape, scale);
    if (Outcome checked = CheckWeatherSource(*r.weatherSource); !checked)
        return OptionFault("--wind-distribution", checked.Reason());
    return {};
}

Outcome ApplySite(CliRequest& r, const std::string& v)
{
    const std::vector<std::string> items = SplitList(v, ',');
    if (items.size() != 3)
        return Failure{"opcja --site wymaga 3 wartości rozdzielonych przecinkami (podano " +
                       std::to_string(items.size()) + "): " + v};
    Site site;
    site.stationTerrain = TerrainCategoryOf(items[0]);
    site.buildingTerrain = TerrainCategoryOf(items[1]);
    for (const int i : {0, 1}) {
        if (TerrainCategoryOf(items[static_cast<std::size_t>(i)]) < 0)
            return Failure{"opcja --site: kategoria terenu to 0, I, II, III albo IV (albo 0..4), "
                           "podano: " +
                           items[static_cast<std::size_t>(i)]};
    }
    if (Outcome e = Assign(RealValue("--site", items[2]), site.height); !e)
        return e;
    if (!(site.height > 0.0) || site.height > 1000.0)
        return Failure{"opcja --site wymaga wysokości Z większej od zera i nie większej niż "
                       "1000 m, podano: " +
                       items[2]};
    r.site = site;
    return {};
}

Outcome ApplyPeriod(CliRequest& r, const std::string& v)
{
    const Result<WeatherPeriod> period = ParsePeriod(v);
    if (!period)
        return OptionFault("--period", period.Reason());
    r.period = period.Value();
    r.periodText = v;
    return {};
}

Outcome SetHourly(CliRequest& r, const std::string&)
{
    r.hourly = true;
    return {};
}

Outcome CheckWeatherCombination(const CliRequest& r)
{
    if (!HasSource(r)) {
        // A calculation file may keep the weather: checked again when it is read.
        if ((r.site || r.period || r.hourly) && r.project.empty() && r.schedule.empty())
            return Failure{std::string("opcja ") +
                           (r.site     ? "--site"
                            : r.period ? "--period"
                                       : "--hourly") +
                           " działa tylko z --weather-file albo --wind-distribution"};
        return {};
    }
    const std::string source = SourceOption(r);
    // A schedule's need is each row's, its period and share its own.
    if (!r.schedule.empty())
        return r.hourly ? Failure{"opcje --schedule i --hourly wykluczają się"} : Outcome{};
    if (!r.batch.empty())
        return Failure{"opcja --batch przyjmuje obok siebie tylko --format, podano " + source};
    if (r.windSweep)
        return Failure{"opcje --wind-sweep i " + source + " wykluczają się"};
    if (r.underpressure)
        return Failure{"opcje --underpressure i " + source + " wykluczają się"};
    if (!r.need)
        return Failure{"opcja " + source + " wymaga --need (wymaganej wydajności Qh [m3/h])"};
    if (r.hourly && !FileSource(r))
        return Failure{"opcja --hourly wymaga --weather-file"};
    if (r.hourly && r.all)
        return Failure{"opcje --all i --hourly wykluczają się"};
    if (r.hourly && (r.format == CliRequest::Format::Text || r.printer))
        return Failure{"opcja --hourly wymaga --format csv albo json"};
    return {};
}
