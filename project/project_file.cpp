// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/project_file.h"

#include "calc/catalogue.h"
#include "calc/field_conversion.h"
#include "calc/input_limits.h"
#include "calc/stack_draught.h"
#include "calc/ventilator_choice.h"
#include "files/file_errors.h"
#include "files/read_file.h"
#include "generated/version.h"
#include "project/project_inputs.h"
#include "project/project_json.h"
#include "project/schedule_json.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <type_traits>
#include <unistd.h>
#include <vector>

namespace {

const char kFormatKey[] = "format";
const char kFormatName[] = "wywietrznik-obliczenia";
const char kVersionKey[] = "formatVersion";
const char kProgramKey[] = "programVersion";
const char kDialogsKey[] = "dialogs";
const char kNameKey[] = "VentilatorName";
// No calculation comes near this; a bigger file is not one of ours.
constexpr qint64 kMostBytes = 1 << 20;

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QJsonObject ControlsJson(const DialogControls& controls)
{
    QJsonObject object;
    for (const auto& [name, value] : controls)
        std::visit([&, &name = name](const auto& v) { object.insert(name, v); }, value);
    return object;
}

// An integer within [least, most] written as a JSON number, or nothing.
std::optional<std::int32_t> Whole(const QJsonValue& value, std::int32_t least, std::int32_t most)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (number != std::floor(number) || number < least || number > most)
        return std::nullopt;
    return static_cast<std::int32_t>(number);
}

const char kOtherVersion[] = "plik pochodzi z innej wersji programu";

QString OtherVersion()
{
    return QString::fromUtf8(kOtherVersion);
}

// A number of a field bounded as `least` and `most` bound an integer field
// (none for a real one); the reason when it is missing or wrong.
Result<double> ReadNumber(const QJsonObject& group, std::string_view fieldName, bool whole,
                          std::int32_t least, std::int32_t most)
{
    const QString name = Utf8(fieldName);
    const QJsonValue value = group.value(name);
    if (value.isUndefined())
        return FailureOf(QStringLiteral("brak pola %1").arg(name));
    if (!whole) {
        if (!value.isDouble() || !std::isfinite(value.toDouble()))
            return FailureOf(QStringLiteral("pole %1 nie jest liczbą").arg(name));
        return value.toDouble();
    }
    const auto integer = Whole(value, least, most);
    if (!integer)
        return FailureOf(QStringLiteral("pole %1 nie jest liczbą całkowitą od %2 do %3")
                             .arg(name)
                             .arg(least)
                             .arg(most));
    return static_cast<double>(*integer);
}

// The number of one field of the state; the reason when it is missing or
// wrong. A whole field's number is within the field's bounds.
Result<double> ReadField(const QJsonObject& group, const ProjectField& field)
{
    return ReadNumber(group, field.name, field.Whole(), field.least, field.most);
}

// Controls of another kind than this program's dialogs have: the file comes
// from another version of the program. A dialog or a control that the
// program does not have is named.
Result<DialogsControls> ReadControls(const QJsonValue& value)
{
    DialogsControls dialogs;
    if (!value.isObject())
        return FailureOf(QStringLiteral("brak pól okien dialogowych"));
    const QJsonObject all = value.toObject();
    for (auto dialog = all.begin(); dialog != all.end(); ++dialog) {
        const auto known = InputDialogControls().find(dialog.key());
        if (known == InputDialogControls().end())
            return FailureOf(
                QStringLiteral("okno dialogowe %1 nie należy do tego programu").arg(dialog.key()));
        if (!dialog->isObject())
            return FailureOf(OtherVersion());
        DialogControls& controls = dialogs[dialog.key()];
        const QJsonObject fields = dialog->toObject();
        for (auto field = fields.begin(); field != fields.end(); ++field) {
            if (!known->second.contains(field.key()))
                return FailureOf(QStringLiteral("pole %1 okna dialogowego %2 nie należy do tego "
                                                "programu")
                                     .arg(field.key(), dialog.key()));
            if (field->isString())
                controls[field.key()] = field->toString();
            else if (field->isBool())
                controls[field.key()] = field->toBool();
            else if (const auto row = Whole(*field, 0, 1000))
                controls[field.key()] = static_cast<int>(*row);
            else
                return FailureOf(OtherVersion());
        }
    }
    return dialogs;
}

// `state` with the fields of one group of the first format's state read.
Result<CalcState> ReadGroup(const QJsonObject& root, ProjectGroup g, CalcState state)
{
    const QJsonValue group = root.value(QLatin1String(ProjectGroupKey(g)));
    if (!group.isObject())
        return FailureOf(QStringLiteral("brak części „%1”").arg(QLatin1String(ProjectGroupKey(g))));
    QStringList known;
    if (g == ProjectGroup::Ventilator)
        known.append(QLatin1String(kNameKey));
    for (const ProjectField* f = ProjectFieldsBegin(); f != ProjectFieldsEnd(); ++f) {
        if (f->group != g)
            continue;
        known.append(Utf8(f->name));
        const Result<double> number = ReadField(group.toObject(), *f);
        if (!number)
            return number.Fault();
        // ReadField has kept a whole field's number within the field's bounds.
        (void)SetFieldNumber(state, *f, number.Value());
    }
    const QJsonObject fields = group.toObject();
    for (auto field = fields.begin(); field != fields.end(); ++field) {
        if (!known.contains(field.key()))
            return FailureOf(QStringLiteral("pole %1 nie należy do części „%2”")
                                 .arg(field.key(), QLatin1String(ProjectGroupKey(g))));
    }
    return state;
}

// The entered inputs as the second format keeps them: each field the
// calculation has, and no other.
Result<EnteredInputs> ReadEntered(const QJsonObject& root)
{
    EnteredInputs inputs;
    const QJsonValue value = root.value(QLatin1String(ProjectGroupKey(ProjectGroup::Inputs)));
    if (!value.isObject())
        return FailureOf(QStringLiteral("brak części „inputs”"));
    const QJsonObject group = value.toObject();
    QStringList known;
    for (const EnteredField* f = EnteredFieldsBegin(); f != EnteredFieldsEnd(); ++f) {
        if (!f->applies(inputs.values))
            continue;
        known.append(Utf8(f->name));
        const EnteredBounds bounds = BoundsOf(*f);
        const Result<double> number =
            ReadNumber(group, f->name, bounds.whole, bounds.least, bounds.most);
        if (!number)
            return number.Fault();
        SetEntered(inputs, *f, number.Value());
    }
    for (auto field = group.begin(); field != group.end(); ++field) {
        if (!known.contains(field.key()))
            return FailureOf(
                QStringLiteral("pole %1 nie należy do danych tych obliczeń").arg(field.key()));
    }
    return inputs;
}

// The whole state: the entered inputs with everything derived from them, the
// ventilator and the results. A file of the first format keeps the derived
// fields too: they must agree with the derivation.
Result<CalcState> ReadState(const QJsonObject& root, int version)
{
    CalcState kept;
    for (ProjectGroup g : {ProjectGroup::Ventilator, ProjectGroup::Results}) {
        Result<CalcState> read = ReadGroup(root, g, kept);
        if (!read)
            return read.Fault();
        kept = std::move(read).Value();
    }
    const QJsonValue name = root.value(QLatin1String("ventilator")).toObject().value(kNameKey);
    if (!name.isString())
        return FailureOf(QStringLiteral("brak nazwy wywietrznika"));
    EnteredInputs entered;
    if (version == 1) {
        Result<CalcState> read = ReadGroup(root, ProjectGroup::Inputs, kept);
        if (!read)
            return read.Fault();
        kept = std::move(read).Value();
        entered = EnteredOf(kept);
    } else {
        Result<EnteredInputs> read = ReadEntered(root);
        if (!read)
            return read.Fault();
        entered = read.Value();
    }
    Result<CalcState> derived = DeriveState(entered);
    if (!derived)
        return derived.Fault();
    CalcState state = derived.Value();
    if (version == 1) {
        if (Outcome step = CheckKeptDerivation(kept, state); !step)
            return step.Fault();
    }
    for (const ProjectField* f = ProjectFieldsBegin(); f != ProjectFieldsEnd(); ++f) {
        if (f->group != ProjectGroup::Inputs)
            CopyField(state, kept, *f);
    }
    if (state.VentilatorIndex != 0)
        state.VentilatorName = LookUpVentilator(state.VentilatorIndex).Name;
    if (Outcome listed = CheckEnteredChoices(state); !listed)
        return listed.Fault();
    // Results stand only on inputs that can be built.
    if (const Refusal refusal = state.ResultsShown ? CheckCalculationInputs(state) : Refusal::None;
        refusal != Refusal::None)
        return FailureOf(Utf8(RefusalText(refusal)));
    return state;
}

Outcome WriteInputs(const Project& project, QJsonObject& root)
{
    const EnteredInputs entered = EnteredOf(project.state);
    QJsonObject inputs;
    for (const EnteredField* f = EnteredFieldsBegin(); f != EnteredFieldsEnd(); ++f) {
        if (!f->applies(entered.values))
            continue;
        const double value = EnteredValue(entered, *f);
        if (!std::isfinite(value))
            return FailureOf(
                QStringLiteral("wartość %1 nie jest poprawną liczbą").arg(Utf8(f->name)));
        if (BoundsOf(*f).whole)
            inputs.insert(Utf8(f->name), static_cast<int>(value));
        else
            inputs.insert(Utf8(f->name), value);
    }
    root.insert(QLatin1String(ProjectGroupKey(ProjectGroup::Inputs)), inputs);
    return {};
}

// A descriptor closed when it goes.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            close(fd);
    }
};

// At most kMostBytes of an open descriptor, to its end.
Result<QByteArray> ReadLimitedBytes(int fd)
{
    QByteArray bytes(kMostBytes + 1, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n =
            read(fd, bytes.data() + got, static_cast<std::size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FailureOf(QStringLiteral("błąd odczytu: ") +
                             FileErrorText(errno, FileAccess::Read));
        if (n == 0)
            break;
        got += n;
    }
    if (got > kMostBytes)
        return FailureOf(QStringLiteral("plik jest za duży jak na plik obliczeń"));
    bytes.truncate(got);
    return bytes;
}

// The bytes of the file at `path`, or why they cannot be read, in Polish,
// from the system's own reason: a name that is not UTF-8, a link loop or a
// permission is named as such.
Result<QByteArray> ReadProjectBytes(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (stat(name.constData(), &status) != 0)
        return FailureOf(ReadFailureText(errno, path));
    if (S_ISDIR(status.st_mode))
        return FailureOf(QStringLiteral("to jest katalog, nie plik"));
    if (!S_ISREG(status.st_mode))
        return FailureOf(QStringLiteral("to nie jest zwykły plik"));
    if (status.st_size > kMostBytes)
        return FailureOf(QStringLiteral("plik jest za duży jak na plik obliczeń"));
    // Not blocking: the name may have been given to a FIFO meanwhile.
    const Descriptor file{open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        return FailureOf(FileErrorText(errno, FileAccess::Read));
    if (fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode))
        return FailureOf(QStringLiteral("to nie jest zwykły plik"));
    return ReadLimitedBytes(file.fd);
}

Result<Project> ParseProjectOf(const QString& path, const Result<QByteArray>& bytes)
{
    auto refuse = [&](const auto& failed) { return UnusableProjectFile(path, ReasonOf(failed)); };
    if (!bytes)
        return refuse(bytes);
    Result<Project> parsed = ParseProject(bytes.Value());
    if (!parsed)
        return refuse(parsed);
    return parsed;
}

Outcome WriteStateGroups(const Project& project, QJsonObject& root)
{
    QJsonObject groups[3];
    for (const ProjectField* f = ProjectFieldsBegin(); f != ProjectFieldsEnd(); ++f) {
        if (f->group == ProjectGroup::Inputs)
            continue;
        QJsonObject& group = groups[static_cast<int>(f->group)];
        const double value = FieldNumber(project.state, *f);
        if (f->Whole())
            group.insert(Utf8(f->name), static_cast<int>(value));
        else
            group.insert(Utf8(f->name), value);
        if (!std::isfinite(value))
            return FailureOf(
                QStringLiteral("wartość %1 nie jest poprawną liczbą").arg(Utf8(f->name)));
        if (f->name == "VentilatorIndex")
            group.insert(kNameKey, Utf8(project.state.VentilatorName));
    }
    for (ProjectGroup g : {ProjectGroup::Ventilator, ProjectGroup::Results})
        root.insert(QLatin1String(ProjectGroupKey(g)), groups[static_cast<int>(g)]);
    return {};
}

Outcome WriteDialogs(const Project& project, QJsonObject& root)
{
    QJsonObject dialogs;
    for (const auto& [name, controls] : project.dialogs)
        dialogs.insert(name, ControlsJson(controls));
    root.insert(kDialogsKey, dialogs);
    return {};
}

Result<DialogsControls> ReadDialogs(const QJsonObject& root)
{
    return ReadControls(root.value(kDialogsKey));
}

// The schedule of exhaust ducts, only where the calculation has one.
Outcome WriteSchedule(const Project& project, QJsonObject& root)
{
    if (!project.schedule)
        return {};
    Result<QJsonObject> schedule = ScheduleToJson(*project.schedule);
    if (!schedule)
        return schedule.Fault();
    root.insert(kScheduleKey, schedule.Value());
    return {};
}

Result<std::optional<Schedule>> ReadSchedule(const QJsonObject& root, int version)
{
    if (!root.contains(kScheduleKey))
        return std::optional<Schedule>();
    Result<Schedule> schedule = ScheduleFromJson(root.value(kScheduleKey), version);
    if (!schedule)
        return schedule.Fault();
    return std::optional<Schedule>(std::move(schedule).Value());
}

// The weather of a year at the roof, only where the calculation has one.
Outcome WriteWeather(const Project& project, QJsonObject& root)
{
    if (!project.weather)
        return {};
    Result<QJsonObject> weather = WeatherToJson(*project.weather);
    if (!weather)
        return weather.Fault();
    root.insert(kWeatherKey, weather.Value());
    return {};
}

Result<std::optional<WeatherSetting>> ReadWeather(const QJsonObject& root, int version)
{
    if (!root.contains(kWeatherKey))
        return std::optional<WeatherSetting>();
    if (version < kWeatherFormatVersion)
        return FailureOf(OtherVersion());
    Result<WeatherSetting> weather = WeatherFromJson(root.value(kWeatherKey));
    if (!weather)
        return weather.Fault();
    return std::optional<WeatherSetting>(std::move(weather).Value());
}

// `project` with the member that a part's reader gave, or why the part could
// not be read.
template <typename T> Result<Project> WithPart(Result<T> part, Project project, T Project::*member)
{
    if (!part)
        return part.Fault();
    project.*member = std::move(part).Value();
    return project;
}

// The parts of a file after its header, each written and read by its own
// pair of functions, in this order; another part is one more row. A reader
// gives the project read so far with its part added.
struct Part {
    QStringList keys; // its top-level keys
    Outcome (*write)(const Project& project, QJsonObject& root);
    Result<Project> (*read)(const QJsonObject& root, int version, Project project);
};

const std::vector<Part>& Parts()
{
    static const std::vector<Part> parts = {
        {{QStringLiteral("inputs"), QStringLiteral("ventilator"), QStringLiteral("results")},
         [](const Project& p, QJsonObject& root) {
             Outcome inputs = WriteInputs(p, root);
             return inputs ? WriteStateGroups(p, root) : inputs;
         },
         [](const QJsonObject& root, int version, Project p) {
             return WithPart(ReadState(root, version), std::move(p), &Project::state);
         }},
        {{QString::fromLatin1(kDialogsKey)},
         WriteDialogs,
         [](const QJsonObject& root, int, Project p) {
             return WithPart(ReadDialogs(root), std::move(p), &Project::dialogs);
         }},
        {{QString::fromLatin1(kScheduleKey)},
         WriteSchedule,
         [](const QJsonObject& root, int version, Project p) {
             return WithPart(ReadSchedule(root, version), std::move(p), &Project::schedule);
         }},
        {{QString::fromLatin1(kWeatherKey)},
         WriteWeather,
         [](const QJsonObject& root, int version, Project p) {
             return WithPart(ReadWeather(root, version), std::move(p), &Project::weather);
         }},
    };
    return parts;
}

bool SameResults(const CalcState& a, const CalcState& b)
{
    return a.ResultsShown == b.ResultsShown && a.FlowPerHour == b.FlowPerHour &&
           a.VentilatorSuction == b.VentilatorSuction && a.DuctVelocity == b.DuctVelocity;
}

} // namespace

Result<QByteArray> ProjectBytes(const Project& project)
{
    QJsonObject root;
    root.insert(kFormatKey, kFormatName);
    root.insert(kVersionKey, kProjectFormatVersion);
    root.insert(kProgramKey, QString::fromLatin1(kProgramVersion));
    for (const Part& part : Parts()) {
        if (Outcome step = part.write(project, root); !step)
            return step.Fault();
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Result<Project> ParseProject(const QByteArray& bytes)
{
    if (bytes.trimmed().isEmpty())
        return FailureOf(QStringLiteral("plik jest pusty"));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return FailureOf(QStringLiteral("plik jest uszkodzony lub niepełny (błąd przy znaku %1)")
                             .arg(error.offset));
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(kFormatKey).toString() != QLatin1String(kFormatName))
        return FailureOf(QStringLiteral("to nie jest plik obliczeń tego programu"));
    const auto version = Whole(root.value(kVersionKey), 1, INT32_MAX);
    if (!version)
        return FailureOf(QStringLiteral("brak poprawnej wersji formatu"));
    if (*version > kProjectFormatVersion)
        return FailureOf(
            QStringLiteral("plik zapisano w nowszym formacie (wersja %1), a ten program zna "
                           "wersję %2")
                .arg(*version)
                .arg(kProjectFormatVersion));
    if (auto key = DuplicateKey(bytes))
        return FailureOf(
            QStringLiteral("klucz „%1” występuje w jednym obiekcie więcej niż raz").arg(*key));
    QStringList known = {QString::fromLatin1(kFormatKey), QString::fromLatin1(kVersionKey),
                         QString::fromLatin1(kProgramKey)};
    for (const Part& part : Parts())
        known += part.keys;
    for (const QString& key : root.keys()) {
        if (!known.contains(key))
            return FailureOf(OtherVersion());
    }
    Project project;
    for (const Part& part : Parts()) {
        Result<Project> read = part.read(root, *version, std::move(project));
        if (!read)
            return read.Fault();
        project = std::move(read).Value();
    }
    project.programVersion = root.value(kProgramKey).toString();
    return project;
}

Failure UnusableProjectFile(const QString& path, QString reason)
{
    // One full stop, whether the reason is a phrase or a whole sentence.
    if (reason.endsWith('.'))
        reason.chop(1);
    return FailureOf(
        QStringLiteral("Nie można otworzyć obliczeń z pliku „%1”: %2.").arg(path, reason));
}

double ProjectAmbientPressure(const Project& project)
{
    if (project.state.DensityEntered)
        return AmbientStackPressure(true, 0.0);
    const auto dialog = project.dialogs.find(QStringLiteral("Form3"));
    if (dialog == project.dialogs.end())
        return AmbientStackPressure(true, 0.0);
    const auto field = dialog->second.find(QStringLiteral("Edit2"));
    if (field == dialog->second.end() || !std::holds_alternative<QString>(field->second))
        return AmbientStackPressure(true, 0.0);
    const std::int32_t hectopascals = ConvertWhole(std::get<QString>(field->second).toStdString());
    return hectopascals > 0 ? AmbientStackPressure(false, hectopascals)
                            : AmbientStackPressure(true, 0.0);
}

Result<Project> ReadProjectFile(const QString& path)
{
    return ParseProjectOf(path, ReadProjectBytes(path));
}

Result<Project> ReadProjectInput(const QString& path)
{
    if (path == QLatin1String("-"))
        return ParseProjectOf(path, ReadLimitedBytes(STDIN_FILENO));
    return ReadProjectFile(path);
}

Recomputation RecomputeProject(Project& project)
{
    CalcState& state = project.state;
    if (!state.ResultsShown || state.VentilatorIndex == 0)
        return {};
    const CalcState saved = state;
    ApplyVentilatorChoice(state);
    if (SameResults(saved, state))
        return {};
    return {true, QStringLiteral("Wyniki obliczone ponownie różnią się od zapisanych w pliku "
                                 "(zmienił się katalog wywietrzników lub sposób obliczeń). "
                                 "Pokazano wyniki obliczone teraz.")};
}
