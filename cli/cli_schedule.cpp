// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_schedule.h"

#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/program_texts.h"
#include "cli/cli_output.h"
#include "cli/cli_run.h"
#include "cli/cli_sheet.h"
#include "cli/cli_weather.h"
#include "project/project_file.h"
#include "report/schedule_export.h"
#include "report/schedule_table.h"
#include "weather/schedule_year.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>
#include <set>

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QJsonArray Options(const std::vector<std::string>& options)
{
    QJsonArray array;
    for (const std::string& option : options)
        array.append(Q(option));
    return array;
}

// One condition: the flow or the reason, the flat's underpressure (0 in an open
// room), whether the air comes down, and the single run that reproduces it.
QJsonObject ConditionJson(const ScheduleBuilding& building, const ScheduleRow& row,
                          const RowResult& rowResult, ScheduleCondition condition)
{
    QJsonObject object;
    const ConditionResult& result = rowResult.Of(condition);
    object.insert("underpressure", result.underpressure);
    if (!row.flat.empty())
        object.insert("backdraught", result.backdraught);
    if (rowResult.model != 0)
        object.insert("options",
                      Options(ConditionOptions(building, row, rowResult.inputs, rowResult.model,
                                               condition, result.underpressure)));
    if (rowResult.model != 0 && result.Found())
        object.insert("FlowPerHour", result.point.flowPerHour);
    else
        object.insert("reason",
                      Q(result.reason.empty() ? "nie dobrano wywietrznika" : result.reason));
    return object;
}

QJsonObject RowJson(const ScheduleBuilding& building, const ScheduleRow& row,
                    const RowResult& result)
{
    QJsonObject object;
    object.insert("label", Q(row.label));
    object.insert("storey", row.storey);
    object.insert("storeys", RowStoreys(building, row));
    object.insert("need", RowNeed(row));
    object.insert("model", row.model == 0 ? QJsonValue(kChooseModelText) : QJsonValue(row.model));
    if (!result.computed) {
        object.insert("problem", Q(result.computed.Reason()));
        object.insert("meets", false);
        return object;
    }
    if (result.model != 0) {
        QJsonArray options;
        for (const std::string& option : RowOptions(building, row, result.model))
            options.append(Q(option));
        object.insert("options", options);
    }
    object.insert("stack", Q(RowStackOption(result.inputs)));
    object.insert("flat", Q(row.flat));
    object.insert("calm", ConditionJson(building, row, result, ScheduleCondition::Calm));
    object.insert("wind", ConditionJson(building, row, result, ScheduleCondition::Wind));
    object.insert("windStack", ConditionJson(building, row, result, ScheduleCondition::WindStack));
    object.insert("meets", result.meets);
    if (result.yearVerdict) {
        // The share of the period (0..1), or why there is none.
        if (result.yearShare)
            object.insert("yearShare", result.yearShare.Value());
        else
            object.insert("yearReason", Q(result.yearShare.Reason()));
    }
    object.insert("suggested", result.suggested == 0 ? QJsonValue() : QJsonValue(result.suggested));
    object.insert("note", Q(result.note));
    return object;
}

// Each flat: its supply, its balance by condition and the inlets needed.
QJsonArray FlatsJson(const Schedule& schedule, const ScheduleResult& result)
{
    const char* const keys[] = {"calm", "wind", "windStack"};
    QJsonArray flats;
    for (const FlatResult& flat : result.flats) {
        const FlatSupply& s = schedule.flats[flat.supply];
        QJsonObject object{{"flat", Q(s.flat)}, {"storey", s.storey}, {"inlets", s.inlets}};
        if (!flat.computed) {
            object.insert("problem", Q(flat.computed.Reason()));
            flats.append(object);
            continue;
        }
        for (int c = 0; c < kScheduleConditionCount; ++c) {
            const FlatBalance& b = flat.balance[static_cast<std::size_t>(c)];
            QJsonObject balance;
            if (b.status == BalanceStatus::Fold) {
                balance.insert("reason", "brak bilansu (fałd charakterystyki wywietrznika)");
            } else {
                balance.insert("underpressure", b.underpressure);
                balance.insert("inflowPerHour", b.inflowPerHour);
            }
            object.insert(keys[c], balance);
        }
        object.insert("inletsNeeded",
                      flat.needed.possible ? QJsonValue(flat.needed.count) : QJsonValue());
        object.insert("note", Q(flat.neededText));
        flats.append(object);
    }
    return flats;
}

// The bill: {"model", "name", "count"} of each model counted.
QJsonArray BillJson(const std::array<int, kVentilatorCount>& counts)
{
    QJsonArray models;
    for (int i = 0; i < kVentilatorCount; ++i) {
        if (const int count = counts[static_cast<std::size_t>(i)]; count > 0)
            models.append(QJsonObject{{"model", i + 1},
                                      {"name", Q(std::string(VentilatorCaption(i + 1)))},
                                      {"count", count}});
    }
    return models;
}

QJsonObject SummaryJson(const Schedule& schedule, const ScheduleResult& result)
{
    QJsonObject summary;
    summary.insert("ducts", static_cast<int>(result.summary.ducts));
    QJsonArray failing;
    std::set<std::int32_t> storeys;
    for (std::size_t i : result.summary.failing) {
        failing.append(Q(schedule.rows[i].label));
        storeys.insert(schedule.rows[i].storey);
    }
    summary.insert("failing", failing);
    QJsonArray failingStoreys;
    for (std::int32_t storey : storeys)
        failingStoreys.append(storey);
    summary.insert("failingStoreys", failingStoreys);
    summary.insert("models", BillJson(result.summary.models));
    summary.insert("toVerify", BillJson(result.summary.toVerify));
    QJsonArray dangers;
    for (const std::string& line : DangerLines(schedule, result))
        dangers.append(Q(line));
    summary.insert("dangers", dangers);
    summary.insert("flats", FlatsJson(schedule, result));
    QJsonArray lines;
    for (const std::string& line : SummaryLines(schedule, result))
        lines.append(Q(line));
    summary.insert("lines", lines);
    return summary;
}

std::string Json(const Schedule& schedule, const ScheduleResult& result)
{
    QJsonObject building;
    QJsonArray conditions;
    for (const std::string& line : ScheduleConditionLines(schedule.building))
        conditions.append(Q(line));
    QJsonArray rows;
    for (std::size_t i = 0; i < schedule.rows.size(); ++i)
        rows.append(RowJson(schedule.building, schedule.rows[i], result.rows[i]));
    QJsonObject object;
    object.insert("conditions", conditions);
    object.insert("condition", Q(VerdictConditionText(schedule.building)));
    object.insert("oneModelPerRiser", schedule.building.oneModelPerRiser);
    object.insert("rows", rows);
    object.insert("summary", SummaryJson(schedule, result));
    return QJsonDocument(object).toJson(QJsonDocument::Indented).toStdString();
}

// The schedule's weather: the command line's source or the file's kept one,
// the terrains of --site (z is N x h + 1 m), and --period in place of the
// schedule's own. A schedule on the year without a weather: the reason.
int UseWeather(const CliRequest& request, const Project& project, Schedule& schedule,
               ScheduleWeather& weather, std::string& err)
{
    CliRequest r = request;
    if (!r.weatherSource && project.weather) {
        r.weatherSource = project.weather->source;
        r.site = r.site.value_or(project.weather->site);
    }
    if (!r.periodText.empty())
        schedule.building.yearPeriod = r.periodText;
    if (r.site) {
        weather.stationTerrain = r.site->stationTerrain;
        weather.buildingTerrain = r.site->buildingTerrain;
    }
    if (const int status = LoadCliWeather(r, weather.weather, err); status != kExitResult)
        return status;
    if (schedule.building.condition == ScheduleCondition::Year && !weather.weather) {
        err += "wywietrznik-cli: zestawienie w pliku " + request.schedule +
               " ocenia przewody w warunkach „rok”, a nie podano pogody roku: dodaj "
               "--weather-file PLIK.epw albo --wind-distribution ŚREDNIA[,K] (albo zapisz pogodę "
               "w pliku w oknie „Praca w ciągu roku…”)\n";
        return kExitUsage;
    }
    return kExitResult;
}

} // namespace

int RunSchedule(const CliRequest& request, std::string& out, std::string& err)
{
    const Result<Project> read = ReadProjectInput(QString::fromStdString(request.schedule));
    if (!read) {
        err += "wywietrznik-cli: " + read.Reason() + '\n';
        return kExitFile;
    }
    const Project& project = read.Value();
    if (!project.schedule) {
        err += "wywietrznik-cli: w pliku " + request.schedule +
               " nie ma zestawienia przewodów (utwórz je w oknie „Zestawienie przewodów” albo "
               "zacznij od --schedule-template)\n";
        return kExitFile;
    }
    Schedule schedule = *project.schedule;
    ScheduleWeather weather;
    if (const int status = UseWeather(request, project, schedule, weather, err);
        status != kExitResult)
        return status;
    const ScheduleResult result = ComputeScheduleOn(schedule, weather);
    // A script tells a duct that does not meet its need by the status.
    const int found = result.summary.failing.empty() ? kExitResult : kExitNoOperatingPoint;
    const int status =
        request.sheet.empty() ? found : WriteScheduleSheets(request, schedule, result, found, err);
    if (status == kExitFile)
        return status;
    switch (request.format) {
    case CliRequest::Format::Xlsx:
        return WriteWorkbook(request.output, ScheduleWorkbook(schedule, result), status, err);
    case CliRequest::Format::Json:
        out += Json(schedule, result);
        break;
    case CliRequest::Format::Csv:
        out += ScheduleCsv(schedule, result, CsvForm::Plain);
        break;
    case CliRequest::Format::Text:
        out += ScheduleText(schedule, result);
        break;
    }
    return status;
}

std::string ScheduleTemplateFile()
{
    Project project;
    ResetCalcState(project.state);
    project.schedule = ScheduleTemplate();
    // The template's numbers are all finite.
    return ProjectBytes(project).Value().toStdString();
}
