// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_batch.h"

#include "calc/program_texts.h"
#include "cli/cli_options.h"
#include "cli/cli_output.h"
#include "cli/cli_run.h"
#include "files/csv.h"
#include "files/read_file.h"
#include "files/visible_text.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <fmt/format.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <functional>
#include <iterator>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const char kHeader[] = "wiersz,przypadek,wywietrznik,v,Q,Qh,DPsw,c,stan,powód\n";
// Options that belong to the batch as a whole, not to one of its cases.
const std::string_view kBatchOnly[] = {"--batch", "--format",  "--printer", "--help",
                                       "-h",      "--version", "--hourly"};

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

// One case's object on one line; a control character of the case's text
// written escaped.
std::string JsonLine(const QJsonObject& object)
{
    return VisibleJson(QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString()) + '\n';
}

std::string Utf8(const QJsonValue& value)
{
    return value.toString().toStdString();
}

// A row of a table in the single run's JSON: --all or --wind-sweep.
Row TableRow(const QJsonObject& item, int model, std::optional<double> wind)
{
    const QJsonObject result = item.value("result").toObject();
    return {model, wind, result, result.isEmpty() ? kNoOperatingPointText : "wynik",
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
        const char* word = status == kExitNoOperatingPoint ? kNoOperatingPointText
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
        object.insert("error", kFailedCalculationText);
        object.insert("reason", QString::fromStdString(err).trimmed());
    }
    object.insert("line", c.line);
    object.insert("case", QString::fromStdString(c.text));
    out += JsonLine(object);
    return status;
}

int UsageRow(const Case& c, const std::string& message, CliRequest::Format format, std::string& out)
{
    if (format == CliRequest::Format::Json) {
        QJsonObject object;
        object.insert("line", c.line);
        object.insert("case", QString::fromStdString(c.text));
        object.insert("error", QString::fromStdString(message));
        out += JsonLine(object);
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

// Why the text of a line, which starts at byte `offset` of it, is not a case:
// a byte that is not UTF-8 or a control character (other than a tab), named
// with its place in the line (from 1); empty when it is one.
std::string LineFault(std::string_view text, std::size_t offset)
{
    const TextFault fault = FirstTextFault(text);
    const std::size_t place = offset + fault.at + 1;
    switch (fault.kind) {
    case TextFault::Kind::NotUtf8:
        return fmt::format("wiersz nie jest zapisany w UTF-8 (bajt 0x{:02X} na pozycji {})",
                           static_cast<unsigned>(fault.code), place);
    case TextFault::Kind::Control:
        return fmt::format("wiersz zawiera znak sterujący U+{:04X} na pozycji {}",
                           static_cast<unsigned>(fault.code), place);
    case TextFault::Kind::None:
        break;
    }
    return {};
}

// Reads bytes into `buffer`: how many, 0 at the end of the input, -1 (with
// errno) when the input cannot be read.
using ReadBytes = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;
// Takes the output of a case; false when it could not be written.
using WriteBytes = std::function<bool(std::string_view bytes)>;

// The lines of an input, read a block at a time. A line is kept up to one
// byte past the longest allowed; the rest of a longer one is passed over.
class LineReader {
public:
    explicit LineReader(ReadBytes read)
        : read_(std::move(read))
    {
    }

    // The next line without its line end; `tooLong` when it is longer than
    // kLongestBatchLine (`line` is then empty). False at the end of the input
    // or when it cannot be read (Error()).
    bool Next(std::string& line, bool& tooLong)
    {
        line.clear();
        tooLong = false;
        bool any = false;
        for (;;) {
            if (begin_ == end_ && !Fill())
                return any;
            any = true;
            const char* start = buffer_.data() + begin_;
            const char* stop = buffer_.data() + end_;
            const char* lineEnd = std::find(start, stop, '\n');
            if (!tooLong) {
                const auto room = static_cast<std::ptrdiff_t>(kLongestBatchLine + 1 - line.size());
                line.append(start, std::min(lineEnd - start, room));
                tooLong = line.size() > kLongestBatchLine;
            }
            begin_ = static_cast<std::size_t>(lineEnd - buffer_.data()) + (lineEnd != stop ? 1 : 0);
            if (lineEnd != stop)
                break;
        }
        if (tooLong)
            line.clear();
        return true;
    }
    // The errno of a failed read; 0 when none failed.
    int Error() const { return error_; }

private:
    bool Fill()
    {
        if (ended_)
            return false;
        const std::ptrdiff_t n = read_(buffer_.data(), buffer_.size());
        if (n <= 0) {
            error_ = n < 0 ? errno : 0;
            ended_ = true;
            return false;
        }
        begin_ = 0;
        end_ = static_cast<std::size_t>(n);
        return true;
    }

    ReadBytes read_;
    std::vector<char> buffer_ = std::vector<char>(65536);
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool ended_ = false;
    int error_ = 0;
};

// The output of one line (nothing for a comment or a blank line) into `out`;
// its exit status, kExitResult for a line that is no case.
int RunLine(int number, std::string line, bool tooLong, CliRequest::Format format, std::string& out)
{
    if (tooLong)
        return UsageRow(Case{number, ""},
                        "wiersz jest dłuższy niż " + std::to_string(kLongestBatchLine) + " bajtów",
                        format, out);
    line.resize(std::min(line.find('#'), line.size()));
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return kExitResult;
    line = line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);
    const std::string fault = LineFault(line, first);
    if (!fault.empty())
        return UsageRow(Case{number, line}, fault, format, out);
    return RunCase(Case{number, line}, format, out);
}

// Runs the cases of `lines`, each written as soon as it is computed; the
// batch ends early when a write fails.
int RunLines(LineReader& lines, CliRequest::Format format, const WriteBytes& write)
{
    int worst = kExitResult;
    if (format != CliRequest::Format::Json && !write(kHeader))
        return worst;
    std::string line;
    std::string out;
    bool tooLong = false;
    for (int number = 1; lines.Next(line, tooLong); ++number) {
        out.clear();
        worst = std::max(worst, RunLine(number, std::move(line), tooLong, format, out));
        if (!out.empty() && !write(out))
            break;
    }
    return worst;
}

// A descriptor closed when it goes.
struct Descriptor {
    explicit Descriptor(int descriptor)
        : fd(descriptor)
    {
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd > STDIN_FILENO)
            close(fd);
    }
    const int fd;
};

// The batch file open for reading ("-": the standard input); -1 with errno
// when it cannot be, a directory too.
int OpenBatch(const std::string& name)
{
    if (name == "-")
        return STDIN_FILENO;
    const int fd =
        open(QFile::encodeName(QString::fromStdString(name)).constData(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (fd >= 0 && fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
        close(fd);
        errno = EISDIR;
        return -1;
    }
    return fd;
}

} // namespace

int RunBatchText(std::string_view text, CliRequest::Format format, std::string& out)
{
    LineReader lines([text](char* buffer, std::size_t size) mutable {
        const std::size_t n = std::min(size, text.size());
        std::copy_n(text.data(), n, buffer);
        text.remove_prefix(n);
        return static_cast<std::ptrdiff_t>(n);
    });
    return RunLines(lines, format, [&out](std::string_view bytes) {
        out += bytes;
        return true;
    });
}

int RunBatch(const CliRequest& request, CliOutput& out, std::string& err)
{
    const Descriptor file(OpenBatch(request.batch));
    auto cannotRead = [&](int error) -> int {
        err += "wywietrznik-cli: nie można odczytać pliku przypadków „" + request.batch +
               "”: " + ReadFailureText(error, QString::fromStdString(request.batch)).toStdString() +
               "\n";
        return kExitFile;
    };
    if (file.fd < 0)
        return cannotRead(errno);
    // What is computed goes out before a read that may wait for more input.
    LineReader lines([&](char* buffer, std::size_t size) -> std::ptrdiff_t {
        if (!out.Flush())
            return 0;
        ssize_t n = 0;
        while ((n = read(file.fd, buffer, size)) < 0 && errno == EINTR) {
        }
        return n;
    });
    const int worst = RunLines(lines, request.format,
                               [&out](std::string_view bytes) { return out.Write(bytes); });
    return lines.Error() != 0 ? std::max(worst, cannotRead(lines.Error())) : worst;
}
