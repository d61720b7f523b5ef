// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_weather.h"

#include "calc/number_format.h"
#include "calc/schedule.h"
#include "cli/cli_stack.h"
#include "compare/year_column.h"
#include "files/csv.h"
#include "files/outcome.h"
#include "files/read_file.h"
#include "ui/text.h"
#include "weather/year_text.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <utility>

namespace {

const char* const kHourlyHeader = "miesiąc,dzień,godzina,Ro,v,te,p,Qh,stan,opcje\r\n";

// The source with ti and te of --stack, read when it is a file.
Result<LoadedWeather> LoadSource(const CliRequest& request, int& status)
{
    WeatherSource source = *request.weatherSource;
    if (request.stack) {
        source.inside = request.stack->inside;
        source.outside = request.stack->outside;
    }
    status = kExitRefused;
    if (Outcome checked = CheckWeatherSource(source); !checked)
        return checked.Fault();
    if (source.kind == WeatherSource::Kind::Distribution)
        return LoadWeather(source);
    status = kExitFile;
    // "-": the standard input, as every file option of the command line takes it.
    const Result<QByteArray> bytes = ReadWholeFile(
        source.path == "-" ? QStringLiteral("/dev/stdin") : QString::fromStdString(source.path));
    if (!bytes)
        return UnusableWeatherFile(source.path, ReasonOf(bytes).toStdString());
    return LoadWeather(source, std::string_view(bytes.Value().constData(),
                                                static_cast<std::size_t>(bytes.Value().size())));
}

QJsonArray Strings(const std::vector<std::string>& lines)
{
    QJsonArray array;
    for (const std::string& line : lines)
        array.append(Text(line));
    return array;
}

QJsonObject SummaryJson(const YearOutcome& outcome)
{
    QJsonObject object;
    object.insert("MeetingShare", outcome.MeetingShare());
    if (outcome.distribution) {
        object.insert("VentilatorWind", outcome.share.ventilatorWind);
        object.insert("StationWind", outcome.share.stationWind);
        return object;
    }
    const HourlySummary& s = outcome.summary;
    object.insert("PeriodHours", s.periodHours);
    object.insert("ComputedHours", s.computedHours);
    object.insert("MeetingHours", s.meetingHours);
    object.insert("NoFlowHours", s.noFlowHours);
    object.insert("MissingHours", s.missingHours);
    object.insert("RefusedHours", s.refusedHours);
    object.insert("OutOfRangeHours", s.outOfRangeHours);
    object.insert("FlowExceeded50", s.flowExceeded50);
    object.insert("FlowExceeded90", s.flowExceeded90);
    QJsonArray months;
    for (const MonthShare& month : s.months)
        months.append(month.hours > 0 ? QJsonValue(month.share) : QJsonValue());
    object.insert("MonthShares", months);
    object.insert("WorstMonth", s.worstMonth);
    return object;
}

// The options of one single run that gives the hour's Qh.
std::string HourOptions(const CliYear& year, const HourRow& row)
{
    if (row.status == HourStatus::Missing || row.status == HourStatus::Refused)
        return {};
    return "--density " + ExactNumber(row.density) + " --wind " + ExactNumber(row.wind) +
           " --stack " + ExactNumber(year.weather.source.inside) + "," + ExactNumber(row.outside) +
           "," + ExactNumber(year.question.height) + "," + ExactNumber(row.pressure);
}

std::string HourFlow(const HourRow& row)
{
    if (row.status == HourStatus::Flow)
        return ExactNumber(row.flowPerHour);
    return row.status == HourStatus::NoDraught ? "0" : "";
}

} // namespace

int UseKeptWeather(CliRequest& request, const CliInputs& inputs, std::string& err)
{
    if (!request.weatherSource && inputs.keptWeather && request.need) {
        request.weatherSource = inputs.keptWeather->source;
        request.site = request.site.value_or(inputs.keptWeather->site);
    }
    const bool asks = (request.need && !request.all && request.sheet.empty()) || request.site ||
                      request.period || request.hourly;
    Outcome checked = CheckWeatherCombination(request);
    if (checked && asks && !request.weatherSource)
        checked = Failure{"w pliku " + request.project +
                          " nie ma pogody roku: --need bez --all, --site, --period i --hourly "
                          "wymagają --weather-file albo --wind-distribution"};
    if (checked)
        return kExitResult;
    err += "wywietrznik-cli: " + checked.Reason() + '\n';
    return kExitUsage;
}

namespace {

// The request's weather read, with the message of a failure, or the note of
// a file changed since the calculation was saved, in `err`.
Result<LoadedWeather> LoadNoted(const CliRequest& request, int& status, std::string& err)
{
    status = kExitFile;
    Result<LoadedWeather> loaded = LoadSource(request, status);
    if (!loaded) {
        err += "wywietrznik-cli: " + loaded.Reason() + '\n';
        return loaded;
    }
    if (loaded.Value().changed)
        err += "Uwaga: plik pogodowy „" + loaded.Value().source.path +
               "” zmienił się od zapisania obliczeń (suma kontrolna " +
               request.weatherSource->checksum + ", teraz " + loaded.Value().source.checksum +
               ").\n";
    return loaded;
}

} // namespace

int LoadCliWeather(const CliRequest& request, std::shared_ptr<const LoadedWeather>& weather,
                   std::string& err)
{
    if (!request.weatherSource)
        return kExitResult;
    int status = kExitFile;
    Result<LoadedWeather> loaded = LoadNoted(request, status, err);
    if (!loaded)
        return status;
    weather = std::make_shared<const LoadedWeather>(std::move(loaded).Value());
    return kExitResult;
}

int PrepareCliYear(const CliRequest& request, const CliInputs& inputs, std::optional<CliYear>& year,
                   std::string& err)
{
    int status = kExitFile;
    Result<LoadedWeather> weather = LoadNoted(request, status, err);
    if (!weather)
        return status;
    YearQuestion q;
    q.state = inputs.state;
    q.height = inputs.state.DuctLength;
    q.pressure = inputs.ambientPressure;
    if (request.stack) {
        q.height = request.stack->height.value_or(q.height);
        q.pressure = request.stack->pressure.value_or(q.pressure);
    }
    q.need = request.need.value_or(0.0);
    q.site =
        request.site.value_or(Site{kStationTerrain, kBuildingTerrain, q.state.DuctLength + 1.0});
    q.period = request.period.value_or(WholeYear());
    year = CliYear{std::move(weather).Value(), q};
    return kExitResult;
}

int AddYearToReport(const CliYear& year, int model, std::string& text, QJsonObject& json,
                    std::string& err)
{
    const Result<YearOutcome> outcome = EvaluateYearModel(year.weather, year.question, model);
    if (!outcome) {
        err += "wywietrznik-cli: " + outcome.Reason() + '\n';
        return kExitRefused;
    }
    text += "\nPraca w ciągu roku:\n";
    for (const std::string& line : YearLines(year.weather, year.question, outcome.Value()))
        text += "   " + line + '\n';
    json = CliYearConditionsJson(year);
    json.insert("result", SummaryJson(outcome.Value()));
    json.insert("lines", Strings(YearResultLines(outcome.Value())));
    return kExitResult;
}

int AddYearToComparison(const CliYear& year, std::vector<ComparisonRow>& rows, std::string& err)
{
    const Result<std::vector<YearOutcome>> all = EvaluateYearAllModels(year.weather, year.question);
    if (!all) {
        err += "wywietrznik-cli: " + all.Reason() + '\n';
        return kExitRefused;
    }
    SetYearShares(rows, all.Value());
    return kExitResult;
}

std::vector<std::string> CliYearConditionLines(const CliYear& year)
{
    return YearConditionLines(year.weather, year.question);
}

std::string CliYearConditionText(const CliYear* year)
{
    std::string text;
    for (const std::string& line : year ? CliYearConditionLines(*year) : std::vector<std::string>{})
        text += (text.empty() ? "\n" : "") + line + '\n';
    return text;
}

QJsonObject CliYearConditionsJson(const CliYear& year)
{
    QJsonObject object;
    const WeatherSource& s = year.weather.source;
    if (s.kind == WeatherSource::Kind::File) {
        object.insert("WeatherFile", Text(s.path));
        object.insert("Checksum", Text(s.checksum));
        object.insert("Station", Text(year.weather.year.station.name));
        object.insert("Period", Text(PeriodText(year.question.period)));
    } else {
        object.insert("WeibullScale", year.weather.weibull.scale);
        object.insert("WeibullShape", year.weather.weibull.shape);
        object.insert("OutsideTemperature", s.outside);
    }
    object.insert("InsideTemperature", s.inside);
    object.insert("StationTerrain", year.question.site.stationTerrain);
    object.insert("BuildingTerrain", year.question.site.buildingTerrain);
    object.insert("VentilatorHeight", year.question.site.height);
    object.insert("NeededFlowPerHour", year.question.need);
    object.insert("conditions", Strings(CliYearConditionLines(year)));
    return object;
}

int RunHourly(const CliRequest& request, const CliYear& year, std::string& out, std::string& err)
{
    const Result<std::vector<HourRow>> rows =
        ListYearHours(year.weather, year.question, request.model);
    if (!rows) {
        err += "wywietrznik-cli: " + rows.Reason() + '\n';
        return kExitRefused;
    }
    const bool csv = request.format == CliRequest::Format::Csv;
    QJsonArray hours;
    if (csv)
        out += kHourlyHeader;
    for (const HourRow& row : rows.Value()) {
        const bool computed = !HourOptions(year, row).empty();
        const std::vector<std::string> cells = {FormatWhole(row.month),
                                                FormatWhole(row.day),
                                                FormatWhole(row.hour),
                                                computed ? ExactNumber(row.density) : "",
                                                computed ? ExactNumber(row.wind) : "",
                                                computed ? ExactNumber(row.outside) : "",
                                                computed ? ExactNumber(row.pressure) : "",
                                                HourFlow(row),
                                                std::string(HourStatusText(row.status)),
                                                HourOptions(year, row)};
        if (csv) {
            out += CsvRow(cells);
            continue;
        }
        QJsonObject hour{{"month", row.month}, {"day", row.day}, {"hour", row.hour}};
        if (computed) {
            hour.insert("density", row.density);
            hour.insert("wind", row.wind);
            hour.insert("outside", row.outside);
            hour.insert("pressure", row.pressure);
        }
        if (!cells[7].empty())
            hour.insert("FlowPerHour", row.status == HourStatus::Flow ? row.flowPerHour : 0.0);
        hour.insert("status", Text(cells[8]));
        hour.insert("options", Text(cells[9]));
        hours.append(hour);
    }
    if (!csv) {
        QJsonObject object = CliYearConditionsJson(year);
        object.insert("hours", hours);
        out += QJsonDocument(object).toJson(QJsonDocument::Indented).toStdString();
    }
    return kExitResult;
}
