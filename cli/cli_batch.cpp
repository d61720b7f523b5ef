#include "cli/cli_batch.h"

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "files/csv.h"
#include "files/read_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <optional>
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

struct Case {
    int line;
    std::string text;
};

// One row of the CSV output.
struct Row {
    int model = 0;
    std::optional<double> wind;
    QJsonObject result; // empty when no operating point was found
    std::string status;
    std::string reason;
};

void AppendRow(const Case& c, const Row& row, std::string& out)
{
    std::vector<std::string> fields{std::to_string(c.line), c.text,
                                    row.model ? std::to_string(row.model) : std::string(),
                                    row.wind ? Number(*row.wind) : std::string()};
    for (const char* key : {"Q", "FlowPerHour", "VentilatorSuction", "DuctVelocity"})
        fields.push_back(row.result.isEmpty()
                             ? std::string()
                             : Number(row.result.value(QLatin1String(key)).toDouble()));
    fields.push_back(row.status);
    fields.push_back(row.reason);
    out += CsvRow(fields, ',', "\n");
}

std::string Utf8(const QJsonValue& value)
{
    return value.toString().toStdString();
}

// A row of a table in the single run's JSON: --all or --wind-sweep.
Row TableRow(const QJsonObject& item, int model, std::optional<double> wind)
{
    const QJsonObject result = item.value("result").toObject();
    return {model, wind, result, result.isEmpty() ? "brak punktu pracy" : "wynik",
            Utf8(item.value("reason"))};
}

// The rows of one well-formed case, from the JSON of its single run, so that
// they are that run's results.
int CsvCase(const Case& c, CliRequest request, std::string& out)
{
    request.format = CliRequest::Format::Json;
    std::string json;
    std::string err;
    const int status = RunCli(request, json, err);
    const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    const QJsonObject inputs = object.value("inputs").toObject();
    const int model = inputs.value("VentilatorIndex").toInt();
    std::optional<double> wind;
    if (inputs.contains("WindSpeed"))
        wind = inputs.value("WindSpeed").toDouble();
    if (object.contains("results")) {
        for (const QJsonValue item : object.value("results").toArray())
            AppendRow(c, TableRow(item.toObject(), item.toObject().value("index").toInt(), wind),
                      out);
    } else if (object.contains("sweep")) {
        for (const QJsonValue item : object.value("sweep").toArray())
            AppendRow(
                c, TableRow(item.toObject(), model, item.toObject().value("WindSpeed").toDouble()),
                out);
    } else if (object.contains("result")) {
        AppendRow(c, Row{model, wind, object.value("result").toObject(), "wynik", ""}, out);
    } else {
        const char* word = status == kExitNoOperatingPoint ? "brak punktu pracy"
                           : status == kExitRefused        ? "dane odrzucone"
                                                           : "błąd";
        std::string reason = object.contains("reason") ? Utf8(object.value("reason")) : err;
        while (!reason.empty() && reason.back() == '\n')
            reason.pop_back();
        AppendRow(c, Row{model, wind, {}, word, reason}, out);
    }
    return status;
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
        AppendRow(c, Row{0, std::nullopt, {}, "błąd", message}, out);
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
                return UsageRow(
                    c, "opcja " + std::string(only) + " nie działa w wierszu pliku przypadków",
                    format, out);
        }
    }
    const CliParseResult parsed = ParseCliArguments(words);
    const CliRequest* request = CommandOf<CliRequest>(parsed);
    if (!request)
        return UsageRow(c, parsed.Reason(), format, out);
    return format == CliRequest::Format::Json ? JsonCase(c, *request, out)
                                              : CsvCase(c, *request, out);
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
        const Result<QByteArray> read = ReadWholeFile(QString::fromStdString(request.batch));
        if (!read) {
            err += "wywietrznik-cli: nie można odczytać pliku przypadków „" + request.batch +
                   "”: " + read.Reason() + "\n";
            return kExitFile;
        }
        text = read.Value().toStdString();
    }
    return RunBatchText(text, request.format, out);
}
