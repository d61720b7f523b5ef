#include "cli_run.h"

#include "comparison.h"
#include "inputs.h"
#include "number_format.h"
#include "operating_point.h"
#include "report_lines.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <variant>

namespace {

const char* const kFailure = "Niewłaściwe obliczenia!!!";
const char* const kNoPoint = "brak punktu pracy";

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

// The CalcState fields that the command line can set, by name.
struct StateField {
    std::string_view name;
    std::variant<std::int32_t CalcState::*, double CalcState::*> member;
};

const StateField kStateFields[] = {
    {"DensityEntered", &CalcState::DensityEntered},
    {"DuctRound", &CalcState::DuctRound},
    {"InstallationType", &CalcState::InstallationType},
    {"VentilatorIndex", &CalcState::VentilatorIndex},
    {"AirDensity", &CalcState::AirDensity},
    {"WindSpeed", &CalcState::WindSpeed},
    {"DuctRoughness", &CalcState::DuctRoughness},
    {"DuctArea", &CalcState::DuctArea},
    {"DuctDiameter", &CalcState::DuctDiameter},
    {"DuctLength", &CalcState::DuctLength},
    {"LossCoefficient", &CalcState::LossCoefficient},
    {"GrilleArea", &CalcState::GrilleArea},
    {"DuctSideA", &CalcState::DuctSideA},
    {"DuctSideB", &CalcState::DuctSideB},
    {"IsHall", &CalcState::IsHall},
    {"GrilleSizeA", &CalcState::GrilleSizeA},
    {"GrilleSizeB", &CalcState::GrilleSizeB},
    {"StoreyCount", &CalcState::StoreyCount},
    {"StoreyHeight", &CalcState::StoreyHeight},
};

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Calls `use` with the name and value of every field that the inputs set.
template <typename Use> void ForEachField(const CliInputs& inputs, Use&& use)
{
    for (std::string_view name : inputs.fields) {
        for (const StateField& field : kStateFields) {
            if (field.name == name)
                std::visit([&](auto member) { use(name, inputs.state.*member); }, field.member);
        }
    }
}

bool AllFieldsFinite(const CliInputs& inputs)
{
    bool finite = true;
    ForEachField(inputs, [&](std::string_view, auto value) {
        finite = finite && std::isfinite(static_cast<double>(value));
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
    ForEachField(inputs,
                 [&](std::string_view name, auto value) { object.insert(Text(name), value); });
    return object;
}

QJsonObject ResultJson(const OperatingPoint& point, std::string_view name)
{
    QJsonObject result;
    result.insert("FlowPerHour", point.flowPerHour);
    result.insert("VentilatorSuction", point.ventilatorSuction);
    result.insert("DuctVelocity", point.ductVelocity);
    result.insert("Q", FlowPerSecond(point.flowPerHour));
    result.insert("VentilatorName", Text(name));
    QJsonArray points;
    for (std::size_t i = 0; i < point.count; ++i) {
        QJsonObject flow;
        flow.insert("FlowPerHour", point.flowsPerHour[i]);
        flow.insert("chosen", i == point.chosen);
        points.append(flow);
    }
    result.insert("OperatingPoints", points);
    return result;
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
                                                         : std::string(kNoPoint);
}

// A failure: text mode writes the message to the error stream, JSON mode an
// object with `error` and `reason` to the output.
int Failure(const CliRequest& request, const CliInputs& inputs, Refusal refusal, std::string& out,
            std::string& err)
{
    const bool refused = refusal != Refusal::None;
    const std::string reason = refused ? std::string(RefusalText(refusal)) : kNoPoint;
    // A number that is not finite has no JSON form: such inputs are told as text.
    if (request.format == CliRequest::Format::Json && AllFieldsFinite(inputs)) {
        QJsonObject object;
        object.insert("inputs", InputsJson(inputs));
        object.insert("error", kFailure);
        object.insert("reason", Text(reason));
        out += Json(object);
    } else {
        err += kFailure;
        err += '\n';
        if (refused)
            err += reason + '\n';
    }
    return refused ? kExitRefused : kExitNoOperatingPoint;
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

int RunAll(const CliRequest& request, const CliInputs& inputs, std::string& out, std::string& err)
{
    const Refusal refusal = CheckInputs(inputs.state);
    if (refusal != Refusal::None)
        return Failure(request, inputs, refusal, out, err);

    const auto points = EvaluateAllVentilators(inputs.state);
    if (request.format == CliRequest::Format::Json) {
        QJsonArray results;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const std::string_view name = VentilatorCatalogue[i].Name;
            QJsonObject row;
            row.insert("index", static_cast<int>(i + 1));
            row.insert("name", Text(name));
            if (points[i].status == OperatingPointStatus::Found) {
                row.insert("result", ResultJson(points[i], name));
            } else {
                row.insert("result", QJsonValue::Null);
                row.insert("reason", Text(ReasonOf(points[i])));
            }
            results.append(row);
        }
        QJsonObject object;
        object.insert("inputs", InputsJson(inputs));
        object.insert("results", results);
        out += Json(object);
        return kExitResult;
    }
    out += "Nr\tWywietrznik\tQ [m3/s]\tQh [m3/h]\tDPsw [Pa]\tc [m/s]\n";
    for (std::size_t i = 0; i < points.size(); ++i) {
        out += FormatWhole(static_cast<std::int32_t>(i + 1)) + '\t';
        out += std::string(VentilatorCatalogue[i].Name) + '\t';
        const OperatingPoint& p = points[i];
        if (p.status == OperatingPointStatus::Found) {
            out += FormatFixed(FlowPerSecond(p.flowPerHour), 4) + '\t' +
                   FormatFixed(p.flowPerHour, 4) + '\t' + FormatFixed(p.ventilatorSuction, 4) +
                   '\t' + FormatFixed(p.ductVelocity, 4) + '\n';
        } else {
            out += ReasonOf(p) + '\n';
        }
    }
    return kExitResult;
}

int RunSweep(const CliRequest& request, const CliInputs& inputs, std::string& out, std::string& err)
{
    const Refusal refusal = CheckInputs(inputs.state);
    if (refusal != Refusal::None)
        return Failure(request, inputs, refusal, out, err);

    const VentilatorModel& model = LookUpVentilator(request.model);
    QJsonArray rows;
    std::string text = "v [m/s]\tQ [m3/s]\tQh [m3/h]\n";
    for (const WindSweepPoint& sweepPoint :
         WindSweep(inputs.state, model, request.sweepFrom, request.sweepTo, request.sweepStep)) {
        const OperatingPoint& p = sweepPoint.point;
        const bool found = p.status == OperatingPointStatus::Found;
        text += FormatFixed(sweepPoint.windSpeed, 2) + '\t';
        text += found ? FormatFixed(FlowPerSecond(p.flowPerHour), 4) + '\t' +
                            FormatFixed(p.flowPerHour, 4) + '\n'
                      : ReasonOf(p) + '\n';
        QJsonObject row;
        row.insert("WindSpeed", sweepPoint.windSpeed);
        row.insert("result", found ? QJsonValue(ResultJson(p, model.Name)) : QJsonValue());
        if (!found)
            row.insert("reason", Text(ReasonOf(p)));
        rows.append(row);
    }
    if (request.format == CliRequest::Format::Json) {
        QJsonObject object;
        object.insert("inputs", InputsJson(inputs));
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

    s.DensityEntered = r.densityTyped ? 1 : 0;
    double density = r.density;
    if (!r.densityTyped) {
        in.weather = CliInputs::Weather{r.temperature, r.pressure, r.humidity};
        const WeatherDensity weather = AirDensityFromWeather(r.temperature, r.pressure, r.humidity);
        density = weather.density;
        if (weather.refusal != Refusal::None)
            in.refusal = weather.refusal;
    }
    ApplyTypedAir(s, density, r.windSpeed);
    set({"DensityEntered", "AirDensity", "WindSpeed"});

    s.DuctRound = r.roundDuct ? 1 : 0;
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

int RunCli(const CliRequest& request, std::string& out, std::string& err)
{
    CliInputs inputs = BuildCliInputs(request);
    if (inputs.refusal == Refusal::None && !AllFieldsFinite(inputs))
        inputs.refusal = Refusal::NonFiniteInput;
    if (inputs.refusal != Refusal::None)
        return Failure(request, inputs, inputs.refusal, out, err);
    if (request.all)
        return RunAll(request, inputs, out, err);
    if (request.windSweep)
        return RunSweep(request, inputs, out, err);

    const OperatingPoint point =
        ComputeOperatingPoint(inputs.state, LookUpVentilator(request.model));
    if (point.status != OperatingPointStatus::Found)
        return Failure(request, inputs, point.refusal, out, err);

    if (request.format == CliRequest::Format::Json) {
        QJsonObject object;
        object.insert("inputs", InputsJson(inputs));
        object.insert("result", ResultJson(point, inputs.state.VentilatorName));
        out += Json(object);
    } else {
        out += ReportText(inputs.state,
                          request.printer ? ReportVariant::Printer : ReportVariant::Screen);
        err += OtherPointsNote(point);
    }
    return kExitResult;
}
