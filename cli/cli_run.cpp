#include "cli_run.h"

#include "comparison.h"
#include "inputs.h"
#include "number_format.h"
#include "operating_point.h"
#include "report_lines.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <variant>

namespace {

const char* const kFailure = "Niewłaściwe obliczenia!!!";
const char* const kNoPoint = "brak punktu pracy";

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

QJsonObject InputsJson(const CliInputs& inputs)
{
    QJsonObject object;
    for (std::string_view name : inputs.fields) {
        for (const StateField& field : kStateFields) {
            if (field.name != name)
                continue;
            std::visit([&](auto member) { object.insert(Text(name), inputs.state.*member); },
                       field.member);
        }
    }
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
    return result;
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
    if (request.format == CliRequest::Format::Json) {
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
            out += std::string(kNoPoint) + '\n';
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

    using Installation = CliRequest::Installation;
    switch (r.installation) {
    case Installation::Hall:
        s.InstallationType = 0;
        s.IsHall = 1;
        ApplyHall(s, r.hallLength,
                  kHallInlets[static_cast<std::size_t>(r.inlet - 1)].lossCoefficient);
        set({"InstallationType", "IsHall", "DuctLength", "LossCoefficient"});
        break;
    case Installation::BuildingRectangular:
        s.InstallationType = 1;
        ApplyStoreys(s, r.storeyHeight, r.storeys);
        ApplyRectangularGrille(s, r.grilleHeight, r.grilleWidth, r.grilleLoss);
        set({"InstallationType", "IsHall", "StoreyHeight", "StoreyCount", "DuctLength",
             "GrilleSizeA", "GrilleSizeB", "LossCoefficient", "GrilleArea"});
        break;
    case Installation::BuildingRound:
        s.InstallationType = 2;
        ApplyStoreys(s, r.storeyHeight, r.storeys);
        ApplyRoundGrille(s, r.grilleDiameter, r.grilleLoss);
        set({"InstallationType", "IsHall", "StoreyHeight", "StoreyCount", "DuctLength",
             "GrilleSizeA", "LossCoefficient", "GrilleArea"});
        break;
    case Installation::BuildingAdjustable:
        s.InstallationType = 3;
        ApplyStoreys(s, r.storeyHeight, r.storeys);
        ApplyAdjustableGrille(s, kAdjustableGrilles[static_cast<std::size_t>(r.grille - 1)],
                              r.opening);
        set({"InstallationType", "IsHall", "StoreyHeight", "StoreyCount", "DuctLength",
             "GrilleSizeA", "LossCoefficient", "GrilleArea"});
        break;
    }

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
    }
    return kExitResult;
}
