// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_run.h"

#include "calc/comparison.h"
#include "calc/input_limits.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "calc/operating_point.h"
#include "calc/program_texts.h"
#include "calc/stack_draught.h"
#include "calc/state_fields.h"
#include "cli/cli_output.h"
#include "cli/cli_sheet.h"
#include "cli/cli_stack.h"
#include "cli/cli_weather.h"
#include "compare/comparison_rows.h"
#include "compare/comparison_workbook.h"
#include "project/project_file.h"
#include "report/report_lines.h"
#include "ui/text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace {

// The fields that each installation's dialogs write.
const std::vector<std::string_view>& InstallationFields(Installation kind)
{
    static const std::vector<std::string_view> hall = {"InstallationType", "IsHall", "DuctLength",
                                                       "LossCoefficient"};
    static const std::vector<std::string_view> rectangular = {
        "InstallationType", "IsHall",      "StoreyHeight",    "StoreyCount", "DuctLength",
        "GrilleSizeA",      "GrilleSizeB", "LossCoefficient", "GrilleArea"};
    static const std::vector<std::string_view> round = {
        "InstallationType", "IsHall",      "StoreyHeight",    "StoreyCount",
        "DuctLength",       "GrilleSizeA", "LossCoefficient", "GrilleArea"};
    if (kind == Installation::Hall)
        return hall;
    return kind == Installation::BuildingRectangular ? rectangular : round;
}

// Calls `use` with every field that the inputs set.
template <typename Use> void ForEachField(const CliInputs& inputs, Use&& use)
{
    for (std::string_view name : inputs.fields) {
        if (const StateField* field = FindStateField(name))
            use(*field);
    }
}

bool AllFieldsFinite(const CliInputs& inputs)
{
    bool finite = true;
    ForEachField(inputs, [&](const StateField& field) {
        finite = finite && std::isfinite(FieldNumber(inputs.state, field));
    });
    return finite;
}

QJsonObject InputsJson(const CliInputs& inputs)
{
    QJsonObject object;
    if (inputs.weather) {
        object.insert("Temperature", inputs.weather->temperature);
        object.insert("Pressure", inputs.weather->pressure);
        object.insert("Humidity", inputs.weather->humidity);
    }
    ForEachField(inputs, [&](const StateField& field) {
        const double value = FieldNumber(inputs.state, field);
        if (field.Whole())
            object.insert(Text(field.name), static_cast<int>(value));
        else
            object.insert(Text(field.name), value);
    });
    return object;
}

// Every operating point listed, the chosen one marked, and the notes that go
// with them (with the gravity draught), into `object`.
void InsertPoints(QJsonObject& object, const OperatingPoint& point,
                  const std::vector<std::string>& notes)
{
    QJsonArray points;
    for (std::size_t i = 0; i < point.count && i < point.flowsPerHour.size(); ++i) {
        QJsonObject flow;
        flow.insert("FlowPerHour", point.flowsPerHour[i]);
        flow.insert("chosen", i == point.chosen);
        points.append(flow);
    }
    if (point.status == OperatingPointStatus::Found || !points.isEmpty())
        object.insert("OperatingPoints", points);
    if (notes.empty())
        return;
    QJsonArray texts;
    for (const std::string& note : notes)
        texts.append(Text(note));
    object.insert("notes", texts);
}

QJsonObject ResultJson(const OperatingPoint& point, std::string_view name,
                       const std::vector<std::string>& notes = {})
{
    QJsonObject result;
    result.insert("FlowPerHour", point.flowPerHour);
    result.insert("VentilatorSuction", point.ventilatorSuction);
    result.insert("DuctVelocity", point.ductVelocity);
    result.insert("Q", FlowPerSecond(point.flowPerHour));
    result.insert("VentilatorName", Text(name));
    InsertPoints(result, point, notes);
    return result;
}

// The notes of a result, one line each after "Uwaga: " and `prefix`.
std::string NotesText(const std::vector<std::string>& notes, const std::string& prefix = {})
{
    std::string text;
    for (std::string note : notes) {
        // The note's sentence goes on after the colon: its first letter small.
        if (!note.empty() && note[0] >= 'A' && note[0] <= 'Z')
            note[0] = static_cast<char>(note[0] - 'A' + 'a');
        text += "Uwaga: ";
        text += prefix;
        text += note;
        text += '\n';
    }
    return text;
}

// The operating points other than the chosen one, one line each.
std::string OtherPointsNote(const OperatingPoint& point)
{
    static const char* const kOrdinals[] = {"drugi", "trzeci", "czwarty", "piąty", "szósty"};
    std::string note;
    std::size_t other = 0;
    for (std::size_t i = 0; i < point.count && point.count > 1; ++i) {
        if (i == point.chosen)
            continue;
        note += std::string("Uwaga: ") + kOrdinals[other++] +
                " punkt pracy Qh = " + FormatFixed(point.flowsPerHour[i], 4) + " [m3/h]\n";
    }
    return note;
}

std::string Json(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Indented).toStdString();
}

std::string ReasonOf(const OperatingPoint& point)
{
    return point.status == OperatingPointStatus::Refused ? std::string(RefusalText(point.refusal))
                                                         : std::string(kNoOperatingPointText);
}

// One model's result on the inputs: by the wind alone, or with the gravity
// draught when --stack is given. `reason` is empty when a point was found.
struct ModelResult {
    OperatingPoint point;
    std::string reason;
    std::vector<std::string> notes; // with the gravity draught: StackNotes
    bool Found() const { return point.status == OperatingPointStatus::Found; }
};

ModelResult EvaluateModel(const CliRequest& request, const CliInputs& inputs,
                          const CalcState& state, const VentilatorModel& model)
{
    ModelResult result;
    if (!request.stack) {
        result.point = EvaluateOperatingPoint(state, model);
        if (!result.Found())
            result.reason = ReasonOf(result.point);
        return result;
    }
    const StackPoint stack = EvaluateStackPoint(state, model, StackOf(request, inputs));
    result.point = AsOperatingPoint(stack);
    result.reason = std::string(StackReason(stack));
    result.notes = StackNotes(stack);
    return result;
}

// A failure: text mode writes the message to the error stream, JSON mode an
// object with `error` and `reason` to the output. A model's result without a
// point adds the stable states and notes of the gravity draught.
int ReportRefusal(const CliRequest& request, const CliInputs& inputs, Refusal refusal,
                  std::string& out, std::string& err, std::string reason = {},
                  const ModelResult* result = nullptr)
{
    const bool refused = refusal != Refusal::None;
    if (reason.empty())
        reason = refused ? std::string(RefusalText(refusal)) : kNoOperatingPointText;
    // A number that is not finite has no JSON form: such inputs are told as text.
    if (request.format == CliRequest::Format::Json && AllFieldsFinite(inputs)) {
        QJsonObject object;
        object.insert("inputs", InputsJson(inputs));
        if (request.stack && !refused)
            object.insert("stack", StackJson(request, inputs));
        object.insert("error", kFailedCalculationText);
        object.insert("reason", Text(reason));
        if (result)
            InsertPoints(object, result->point, result->notes);
        out += Json(object);
    } else {
        err += kFailedCalculationText;
        err += '\n';
        if (refused || request.stack)
            err += reason + '\n';
        if (result)
            err += NotesText(result->notes);
    }
    return refused ? kExitRefused : kExitNoOperatingPoint;
}

// The inputs' refusal, a need out of its bounds, or with the gravity draught that of its
// conditions: a stack pressure that is refused or not finite is never shown as a number.
Refusal CheckRequest(const CliRequest& request, const CliInputs& inputs)
{
    Refusal refusal = CheckInputs(inputs.state);
    if (refusal == Refusal::None && request.need)
        refusal = CheckLimits({{Limited::Need, *request.need}});
    if (refusal != Refusal::None || !request.stack)
        return refusal;
    return CheckStackConditions(StackOf(request, inputs));
}

// One report, one row per line, an empty line for an empty row.
std::string ReportText(const CalcState& state, ReportVariant variant)
{
    std::string text;
    int row = 0;
    for (const ReportLine& line : BuildReport(state, variant)) {
        for (; row < line.row; ++row)
            text += '\n';
        text += line.text + '\n';
        row = line.row + 1;
    }
    return text;
}

// One row of the comparison as JSON.
QJsonObject ComparisonRowJson(const ComparisonRow& row)
{
    QJsonObject object;
    object.insert("index", row.number);
    object.insert("name", Text(row.name));
    if (row.HasPoint())
        object.insert("result", ResultJson(row.point, LookUpVentilator(row.number).Name));
    else
        object.insert("result", QJsonValue::Null);
    object.insert("NominalDiameter", row.nominalDiameter);
    object.insert("DuctFit", Text(DuctFitText(row.fit)));
    if (row.yearShare >= 0.0)
        object.insert("YearMeetingShare", row.yearShare);
    if (row.NeedSet()) {
        object.insert("ReachesNeed", row.Reaches());
        object.insert("WindForNeed", Text(WindRangesText(row.windRanges, row.windSteps)));
        object.insert("suggested", row.suggested);
    }
    return object;
}

// --all with a need or as CSV: the comparison window's table, in its order
// (Qh, largest first), with the conditions it is computed for.
int RunComparison(const CliRequest& request, const CliInputs& inputs, const CliYear* year,
                  std::string& out, std::string& err)
{
    const std::optional<StackConditions> stack =
        request.stack ? std::optional(StackOf(request, inputs)) : std::nullopt;
    const StackConditions* draught = stack ? &*stack : nullptr;
    std::vector<ComparisonRow> rows =
        BuildComparisonRows(inputs.state, draught, request.need.value_or(0.0));
    if (const int status = year ? AddYearToComparison(*year, rows, err) : kExitResult;
        status != kExitResult)
        return status;
    const std::vector<int> order = SortedComparisonOrder(rows, kColumnFlowPerHour, true);
    const ComparisonConditions conditions = ConditionsOf(inputs.state, draught, rows);
    if (request.format == CliRequest::Format::Xlsx)
        return WriteWorkbook(request.output, ComparisonWorkbook(rows, order, conditions),
                             kExitResult, err);
    if (request.format == CliRequest::Format::Csv) {
        out += ComparisonCsv(rows, order, conditions, CsvForm::Plain);
    } else if (request.format == CliRequest::Format::Text) {
        out += ComparisonText(rows, order, conditions) + CliYearConditionText(year);
    } else {
        QJsonArray results;
        for (int position : order)
            results.append(ComparisonRowJson(rows[static_cast<std::size_t>(position)]));
        QJsonObject object;
        object.insert("inputs", InputsJson(inputs));
        if (request.stack)
            object.insert("stack", StackJson(request, inputs));
        if (request.need) {
            object.insert("NeededFlowPerHour", *request.need);
            object.insert("suggested", conditions.suggested);
            object.insert("suggestion", Text(conditions.suggestion));
        }
        object.insert("results", results);
        if (year)
            object.insert("year", CliYearConditionsJson(*year));
        out += Json(object);
    }
    return kExitResult;
}

int RunAll(const CliRequest& request, const CliInputs& inputs, const CliYear* year,
           std::string& out, std::string& err)
{
    const Refusal refusal = CheckRequest(request, inputs);
    if (refusal != Refusal::None)
        return ReportRefusal(request, inputs, refusal, out, err);
    if (request.need || request.format == CliRequest::Format::Csv ||
        request.format == CliRequest::Format::Xlsx)
        return RunComparison(request, inputs, year, out, err);

    std::vector<ModelResult> points;
    points.reserve(kVentilatorCatalogue.size());
    for (const VentilatorModel& model : kVentilatorCatalogue)
        points.push_back(EvaluateModel(request, inputs, inputs.state, model));
    if (request.format == CliRequest::Format::Json) {
        QJsonArray results;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const std::string_view name = kVentilatorCatalogue[i].Name;
            QJsonObject row;
            row.insert("index", static_cast<int>(i + 1));
            row.insert("name", Text(name));
            if (points[i].Found()) {
                row.insert("result", ResultJson(points[i].point, name, points[i].notes));
            } else {
                row.insert("result", QJsonValue::Null);
                row.insert("reason", Text(points[i].reason));
                InsertPoints(row, points[i].point, points[i].notes);
            }
            results.append(row);
        }
        QJsonObject object;
        object.insert("inputs", InputsJson(inputs));
        if (request.stack)
            object.insert("stack", StackJson(request, inputs));
        object.insert("results", results);
        out += Json(object);
        return kExitResult;
    }
    out += "Nr\tWywietrznik\tQ [m3/s]\tQh [m3/h]\tDPsw [Pa]\tc [m/s]\n";
    for (std::size_t i = 0; i < points.size(); ++i) {
        out += FormatWhole(static_cast<std::int32_t>(i + 1)) + '\t';
        out += std::string(kVentilatorCatalogue[i].Name) + '\t';
        const OperatingPoint& p = points[i].point;
        if (points[i].Found()) {
            out += FormatFixed(FlowPerSecond(p.flowPerHour), 4) + '\t' +
                   FormatFixed(p.flowPerHour, 4) + '\t' + FormatFixed(p.ventilatorSuction, 4) +
                   '\t' + FormatFixed(p.ductVelocity, 4) + '\n';
        } else {
            out += points[i].reason + '\n';
        }
        err +=
            NotesText(points[i].notes, "nr " + FormatWhole(static_cast<std::int32_t>(i + 1)) + " " +
                                           std::string(kVentilatorCatalogue[i].Name) + ": ");
    }
    if (request.stack)
        out += StackLine(request, inputs);
    return kExitResult;
}

int RunSweep(const CliRequest& request, const CliInputs& inputs, std::string& out, std::string& err)
{
    const Refusal refusal = CheckRequest(request, inputs);
    if (refusal != Refusal::None)
        return ReportRefusal(request, inputs, refusal, out, err);

    const VentilatorModel& model = LookUpVentilator(request.model);
    QJsonArray rows;
    std::string text = "v [m/s]\tQ [m3/s]\tQh [m3/h]\n";
    for (const WindSweepPoint& sweepPoint :
         WindSweep(inputs.state, model, request.sweepFrom, request.sweepTo, request.sweepStep)) {
        CalcState windy = inputs.state;
        windy.WindSpeed = sweepPoint.windSpeed;
        const ModelResult result = request.stack ? EvaluateModel(request, inputs, windy, model)
                                                 : ModelResult{sweepPoint.point, "", {}};
        const OperatingPoint& p = result.point;
        const bool found = result.Found();
        const std::string reason = found || !result.reason.empty() ? result.reason : ReasonOf(p);
        text += FormatFixed(sweepPoint.windSpeed, 2) + '\t';
        text += found ? FormatFixed(FlowPerSecond(p.flowPerHour), 4) + '\t' +
                            FormatFixed(p.flowPerHour, 4) + '\n'
                      : reason + '\n';
        if (request.format != CliRequest::Format::Json)
            err +=
                NotesText(result.notes, "v = " + FormatFixed(sweepPoint.windSpeed, 2) + " [m/s]: ");
        QJsonObject row;
        row.insert("WindSpeed", sweepPoint.windSpeed);
        row.insert("result",
                   found ? QJsonValue(ResultJson(p, model.Name, result.notes)) : QJsonValue());
        if (!found) {
            row.insert("reason", Text(reason));
            InsertPoints(row, p, result.notes);
        }
        rows.append(row);
    }
    if (request.stack)
        text += StackLine(request, inputs);
    if (request.format == CliRequest::Format::Json) {
        QJsonObject object;
        object.insert("inputs", InputsJson(inputs));
        if (request.stack)
            object.insert("stack", StackJson(request, inputs));
        object.insert("sweep", rows);
        out += Json(object);
    } else {
        out += text;
    }
    return kExitResult;
}

} // namespace

CliInputs BuildCliInputs(const CliRequest& r)
{
    CliInputs in;
    CalcState& s = in.state;
    auto set = [&in](std::initializer_list<std::string_view> names) {
        in.fields.insert(in.fields.end(), names);
    };

    s.DensityEntered = r.densityTyped;
    double density = r.density;
    if (!r.densityTyped) {
        in.weather = CliInputs::Weather{r.temperature, r.pressure, r.humidity};
        in.ambientPressure = AmbientStackPressure(false, static_cast<double>(r.pressure));
        const WeatherDensity weather = AirDensityFromWeather(r.temperature, r.pressure, r.humidity);
        density = weather.density;
        in.refusal = CheckLimits({{Limited::Pressure, static_cast<double>(r.pressure)},
                                  {Limited::Humidity, static_cast<double>(r.humidity)}});
        if (in.refusal == Refusal::None)
            in.refusal = weather.refusal;
        if (in.refusal == Refusal::None)
            in.refusal =
                CheckLimits({{Limited::OutdoorTemperature, static_cast<double>(r.temperature)}});
    }
    ApplyTypedAir(s, density, r.windSpeed);
    set({"DensityEntered", "AirDensity", "WindSpeed"});

    s.DuctRound = r.roundDuct;
    if (r.roundDuct) {
        ApplyRoundDuct(s, r.diameter);
        set({"DuctRound", "DuctDiameter", "DuctArea"});
    } else {
        const Refusal sides = ApplyRectangularDuct(s, r.sideA, r.sideB);
        if (sides != Refusal::None && in.refusal == Refusal::None)
            in.refusal = sides;
        set({"DuctRound", "DuctSideA", "DuctSideB", "DuctDiameter", "DuctArea"});
    }
    s.DuctRoughness = kDuctMaterials[static_cast<std::size_t>(r.material - 1)].roughness;
    set({"DuctRoughness"});

    ApplyInstallation(s, r.installation);
    const auto& installation = InstallationFields(r.installation.kind);
    in.fields.insert(in.fields.end(), installation.begin(), installation.end());

    if (r.model != 0) {
        s.VentilatorIndex = r.model;
        s.VentilatorName = LookUpVentilator(r.model).Name;
        set({"VentilatorIndex"});
    }
    return in;
}

namespace {

// The inputs of a calculation kept in a file: the whole state as it was saved.
Result<CliInputs> ProjectInputs(CliRequest& request)
{
    Result<Project> read = ReadProjectInput(QString::fromStdString(request.project));
    if (!read)
        return read.Fault();
    CliInputs inputs;
    inputs.state = read.Value().state;
    inputs.ambientPressure = ProjectAmbientPressure(read.Value());
    inputs.keptWeather = read.Value().weather;
    // A file kept without results may hold inputs that cannot be calculated:
    // such a file cannot be used, the same as one holding results on them.
    if (const Refusal refusal = CheckCalculationInputs(inputs.state); refusal != Refusal::None)
        return UnusableProjectFile(
            QString::fromStdString(request.project),
            QString::fromUtf8(RefusalText(refusal).data(),
                              static_cast<qsizetype>(RefusalText(refusal).size())));
    for (const StateField& field : StateFields()) {
        if (field.group != FieldGroup::Results)
            inputs.fields.push_back(field.name);
    }
    if (request.model == 0 && !request.all) {
        request.model = inputs.state.VentilatorIndex;
        if (request.model == 0)
            return Failure{"w pliku " + request.project +
                           " nie wybrano wywietrznika; podaj --model"};
    }
    if (request.model != 0) {
        inputs.state.VentilatorIndex = request.model;
        inputs.state.VentilatorName = LookUpVentilator(request.model).Name;
    }
    return inputs;
}

} // namespace

Result<CliInputs> ResolveCliInputs(CliRequest& request)
{
    Result<CliInputs> resolved =
        request.project.empty() ? BuildCliInputs(request) : ProjectInputs(request);
    if (!resolved)
        return resolved;
    CliInputs& inputs = resolved.Value();
    if (inputs.refusal == Refusal::None && !AllFieldsFinite(inputs))
        inputs.refusal = Refusal::NonFiniteInput;
    if (inputs.refusal == Refusal::None)
        inputs.refusal = CheckCalculationInputs(inputs.state);
    return resolved;
}

int RunCli(const CliRequest& original, std::string& out, std::string& err)
{
    CliRequest request = original;
    Result<CliInputs> resolved = ResolveCliInputs(request);
    if (!resolved) {
        err += "wywietrznik-cli: " + resolved.Reason() + '\n';
        return kExitFile;
    }
    CliInputs inputs = std::move(resolved).Value();
    if (inputs.refusal != Refusal::None)
        return ReportRefusal(request, inputs, inputs.refusal, out, err);
    if (const int status = UseKeptWeather(request, inputs, err); status != kExitResult)
        return status;
    std::optional<CliYear> year;
    if (request.weatherSource) {
        if (const Refusal refusal = CheckRequest(request, inputs); refusal != Refusal::None)
            return ReportRefusal(request, inputs, refusal, out, err);
        if (const int status = PrepareCliYear(request, inputs, year, err); status != kExitResult)
            return status;
        if (request.hourly)
            return RunHourly(request, *year, out, err);
    }
    if (request.all)
        return RunAll(request, inputs, year ? &*year : nullptr, out, err);
    if (request.windSweep)
        return RunSweep(request, inputs, out, err);

    const ModelResult result =
        EvaluateModel(request, inputs, inputs.state, LookUpVentilator(request.model));
    const OperatingPoint& point = result.point;
    if (!result.Found())
        return ReportRefusal(request, inputs, point.refusal, out, err, result.reason, &result);
    CalcState& state = inputs.state;
    WriteResults(state, point);
    std::string yearText;
    QJsonObject yearJson;
    if (const int status =
            year ? AddYearToReport(*year, request.model, yearText, yearJson, err) : kExitResult;
        status != kExitResult)
        return status;
    if (request.format == CliRequest::Format::Json) {
        QJsonObject object;
        object.insert("inputs", InputsJson(inputs));
        if (request.stack)
            object.insert("stack", StackJson(request, inputs));
        object.insert("result", ResultJson(point, state.VentilatorName, result.notes));
        if (year)
            object.insert("year", yearJson);
        out += Json(object);
    } else {
        out += ReportText(state, request.printer ? ReportVariant::Printer : ReportVariant::Screen);
        if (request.stack)
            out += StackLine(request, inputs);
        out += yearText;
        err += request.stack ? NotesText(result.notes) : OtherPointsNote(point);
    }
    if (!request.sheet.empty())
        return WriteCalculationSheet(request, inputs, kExitResult, err);
    return kExitResult;
}
