#include "cli/cli_batch.h"

#include "calc/catalogue.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "calc/comparison.h"
#include "calc/operating_point.h"
#include "report/report_lines.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <vector>

namespace {

const char kHeader[] = "wiersz,przypadek,wywietrznik,v,Q,Qh,DPsw,c,stan,powód\n";
// Options that belong to the batch as a whole, not to one of its cases.
const std::string_view kBatchOnly[] = {"--batch", "--format", "--printer",
                                       "--help",  "-h",       "--version"};

// A number at full precision with a decimal point, whatever the locale.
std::string Number(double value)
{
    char buffer[32];
    const auto end = std::to_chars(std::begin(buffer), std::end(buffer), value).ptr;
    return std::string(buffer, end);
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

struct Case {
    int line;
    std::string text;
};

// One row of the CSV output.
struct Row {
    int model = 0;
    double wind = 0.0;
    const OperatingPoint* point = nullptr; // with the results when found
    std::string status;
    std::string reason;
};

void AppendRow(const Case& c, const Row& row, std::string& out)
{
    out += std::to_string(c.line) + ',' + CsvField(c.text) + ',';
    out += row.model ? std::to_string(row.model) : std::string();
    out += ',' + (row.status == "błąd" ? std::string() : Number(row.wind)) + ',';
    const OperatingPoint* p = row.point;
    if (p && p->status == OperatingPointStatus::Found)
        out += Number(FlowPerSecond(p->flowPerHour)) + ',' + Number(p->flowPerHour) + ',' +
               Number(p->ventilatorSuction) + ',' + Number(p->ductVelocity) + ',';
    else
        out += ",,,,";
    out += CsvField(row.status) + ',' + CsvField(row.reason) + '\n';
}

Row PointRow(int model, double wind, const OperatingPoint& point)
{
    Row row{model, wind, &point, "wynik", ""};
    if (point.status == OperatingPointStatus::Refused) {
        row.status = "odmowa";
        row.reason = RefusalText(point.refusal);
    } else if (point.status != OperatingPointStatus::Found) {
        row.status = "brak";
        row.reason = "brak punktu pracy";
    }
    return row;
}

int ExitOf(const OperatingPoint& point)
{
    if (point.status == OperatingPointStatus::Found)
        return kExitResult;
    return point.status == OperatingPointStatus::Refused ? kExitRefused : kExitNoOperatingPoint;
}

// The rows of one well-formed case, as RunCli computes it.
int CsvCase(const Case& c, CliRequest request, std::string& out)
{
    std::string error;
    const std::optional<CliInputs> inputs = ResolveCliInputs(request, error);
    if (!inputs) {
        AppendRow(c, Row{0, 0.0, nullptr, "błąd", error}, out);
        return kExitFile;
    }
    CalcState state = inputs->state;
    const Refusal refusal = inputs->refusal != Refusal::None ? inputs->refusal : CheckInputs(state);
    if (refusal != Refusal::None || (!request.all && !request.windSweep)) {
        OperatingPoint point;
        if (refusal != Refusal::None) {
            point.status = OperatingPointStatus::Refused;
            point.refusal = refusal;
        } else {
            point = ComputeOperatingPoint(state, LookUpVentilator(request.model));
        }
        AppendRow(c, PointRow(request.model, state.WindSpeed, point), out);
        return ExitOf(point);
    }
    if (request.all) {
        const auto points = EvaluateAllVentilators(state);
        for (std::size_t i = 0; i < points.size(); ++i)
            AppendRow(c, PointRow(static_cast<int>(i + 1), state.WindSpeed, points[i]), out);
        return kExitResult;
    }
    for (const WindSweepPoint& s : WindSweep(state, LookUpVentilator(request.model),
                                             request.sweepFrom, request.sweepTo, request.sweepStep))
        AppendRow(c, PointRow(request.model, s.windSpeed, s.point), out);
    return kExitResult;
}

// One case as RunCli gives it in JSON, on one line with its line and text.
int JsonCase(const Case& c, CliRequest request, std::string& out)
{
    request.format = CliRequest::Format::Json;
    std::string single;
    std::string err;
    const int status = RunCli(request, single, err);
    QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(single)).object();
    if (single.empty()) { // told only as text: a file error, or inputs with no JSON form
        object.insert("error", "Niewłaściwe obliczenia!!!");
        object.insert("reason", QString::fromStdString(err).trimmed());
    }
    object.insert("line", c.line);
    object.insert("case", QString::fromStdString(c.text));
    out += QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + '\n';
    return status;
}

int UsageRow(const Case& c, const std::string& message, CliRequest::Format format, std::string& out)
{
    if (format == CliRequest::Format::Json) {
        QJsonObject object;
        object.insert("line", c.line);
        object.insert("case", QString::fromStdString(c.text));
        object.insert("error", QString::fromStdString(message));
        out += QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + '\n';
    } else {
        AppendRow(c, Row{0, 0.0, nullptr, "błąd", message}, out);
    }
    return kExitUsage;
}

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words{"wywietrznik-cli"};
    std::size_t at = 0;
    while ((at = text.find_first_not_of(" \t", at)) != std::string::npos) {
        const std::size_t end = std::min(text.find_first_of(" \t", at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

int RunCase(const Case& c, CliRequest::Format format, std::string& out)
{
    const std::vector<std::string> words = Words(c.text);
    for (const std::string& word : words) {
        for (std::string_view only : kBatchOnly) {
            if (word == only || word.rfind(std::string(only) + '=', 0) == 0)
                return UsageRow(c, "opcja " + std::string(only) + " nie działa w wierszu wsadu",
                                format, out);
        }
    }
    const CliParseResult parsed = ParseCliArguments(words);
    if (const auto* usage = std::get_if<CliUsageError>(&parsed))
        return UsageRow(c, usage->message, format, out);
    const CliRequest& request = std::get<CliRequest>(parsed);
    return format == CliRequest::Format::Json ? JsonCase(c, request, out)
                                              : CsvCase(c, request, out);
}

} // namespace

int RunBatchText(std::string_view text, CliRequest::Format format, std::string& out)
{
    if (format != CliRequest::Format::Json)
        out += kHeader;
    int worst = kExitResult;
    int number = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string line(text.substr(at, end - at));
        at = end + 1;
        ++number;
        line.resize(std::min(line.find('#'), line.size()));
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos)
            continue;
        line = line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);
        worst = std::max(worst, RunCase(Case{number, line}, format, out));
    }
    return worst;
}

int RunBatch(const CliRequest& request, std::string& out, std::string& err)
{
    std::string text;
    if (request.batch == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        QFile file(QString::fromStdString(request.batch));
        if (QFileInfo(file.fileName()).isDir() || !file.open(QIODevice::ReadOnly)) {
            err += "wywietrznik-cli: nie można odczytać pliku przypadków „" + request.batch + "”\n";
            return kExitFile;
        }
        text = file.readAll().toStdString();
    }
    return RunBatchText(text, request.format, out);
}
