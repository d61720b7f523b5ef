#include "project/project_file.h"

#include "calc/catalogue.h"
#include "calc/ventilator_choice.h"
#include "files/file_errors.h"
#include "files/read_file.h"
#include "generated/version.h"
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
#include <unistd.h>

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

// Reads one field of the state; the reason when it is missing or wrong.
std::optional<QString> ReadField(const QJsonObject& group, const ProjectField& field,
                                 CalcState& state)
{
    const QString name = Utf8(field.name);
    const QJsonValue value = group.value(name);
    if (value.isUndefined())
        return QStringLiteral("brak pola %1").arg(name);
    if (auto* member = std::get_if<double CalcState::*>(&field.member)) {
        if (!value.isDouble() || !std::isfinite(value.toDouble()))
            return QStringLiteral("pole %1 nie jest liczbą").arg(name);
        state.*(*member) = value.toDouble();
        return std::nullopt;
    }
    const auto whole = Whole(value, field.least, field.most);
    if (!whole)
        return QStringLiteral("pole %1 nie jest liczbą całkowitą od %2 do %3")
            .arg(name)
            .arg(field.least)
            .arg(field.most);
    state.*std::get<std::int32_t CalcState::*>(field.member) = *whole;
    return std::nullopt;
}

std::optional<QString> ReadControls(const QJsonValue& value, DialogsControls& dialogs)
{
    if (!value.isObject())
        return QStringLiteral("brak pól okien dialogowych");
    const QJsonObject all = value.toObject();
    for (auto dialog = all.begin(); dialog != all.end(); ++dialog) {
        if (!dialog->isObject())
            return QStringLiteral("pola okna %1 nie są obiektem").arg(dialog.key());
        DialogControls& controls = dialogs[dialog.key()];
        const QJsonObject fields = dialog->toObject();
        for (auto field = fields.begin(); field != fields.end(); ++field) {
            if (field->isString())
                controls[field.key()] = field->toString();
            else if (field->isBool())
                controls[field.key()] = field->toBool();
            else if (const auto row = Whole(*field, 0, 1000))
                controls[field.key()] = static_cast<int>(*row);
            else
                return QStringLiteral("pole %1 okna %2 ma zły typ").arg(field.key(), dialog.key());
        }
    }
    return std::nullopt;
}

std::optional<QString> ReadState(const QJsonObject& root, CalcState& state)
{
    for (const ProjectField* f = ProjectFieldsBegin(); f != ProjectFieldsEnd(); ++f) {
        const QJsonValue group = root.value(QLatin1String(ProjectGroupKey(f->group)));
        if (!group.isObject())
            return QStringLiteral("brak części „%1”").arg(QLatin1String(ProjectGroupKey(f->group)));
        if (auto reason = ReadField(group.toObject(), *f, state))
            return reason;
    }
    const QJsonValue name = root.value(QLatin1String("ventilator")).toObject().value(kNameKey);
    if (!name.isString())
        return QStringLiteral("brak nazwy wywietrznika");
    if (state.VentilatorIndex != 0)
        state.VentilatorName = LookUpVentilator(state.VentilatorIndex).Name;
    return std::nullopt;
}

bool SameResults(const CalcState& a, const CalcState& b)
{
    return a.ResultsShown == b.ResultsShown && a.FlowPerHour == b.FlowPerHour &&
           a.VentilatorSuction == b.VentilatorSuction && a.DuctVelocity == b.DuctVelocity;
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

// The bytes of the file at `path`, or why they cannot be read, in Polish,
// from the system's own reason: a name that is not UTF-8, a link loop or a
// permission is named as such.
std::variant<QByteArray, QString> ReadProjectBytes(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (stat(name.constData(), &status) != 0)
        return ReadFailureText(errno, path);
    if (S_ISDIR(status.st_mode))
        return QStringLiteral("to jest katalog, nie plik");
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("to nie jest zwykły plik");
    if (status.st_size > kMostBytes)
        return QStringLiteral("plik jest za duży jak na plik obliczeń");
    // Not blocking: the name may have been given to a FIFO meanwhile.
    const Descriptor file{open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        return FileErrorText(errno, FileAccess::Read);
    if (fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode))
        return QStringLiteral("to nie jest zwykły plik");
    QByteArray bytes(kMostBytes + 1, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n =
            read(file.fd, bytes.data() + got, static_cast<std::size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return QStringLiteral("błąd odczytu: ") + FileErrorText(errno, FileAccess::Read);
        if (n == 0)
            break;
        got += n;
    }
    if (got > kMostBytes)
        return QStringLiteral("plik jest za duży jak na plik obliczeń");
    bytes.truncate(got);
    return bytes;
}

} // namespace

std::variant<QByteArray, QString> ProjectBytes(const Project& project)
{
    QJsonObject groups[3];
    for (const ProjectField* f = ProjectFieldsBegin(); f != ProjectFieldsEnd(); ++f) {
        QJsonObject& group = groups[static_cast<int>(f->group)];
        bool finite = true;
        std::visit(
            [&](auto member) {
                finite = std::isfinite(static_cast<double>(project.state.*member));
                group.insert(Utf8(f->name), project.state.*member);
            },
            f->member);
        if (!finite)
            return QStringLiteral("wartość %1 nie jest skończoną liczbą").arg(Utf8(f->name));
        if (f->name == "VentilatorIndex")
            group.insert(kNameKey, Utf8(project.state.VentilatorName));
    }
    QJsonObject root;
    root.insert(kFormatKey, kFormatName);
    root.insert(kVersionKey, kProjectFormatVersion);
    root.insert(kProgramKey, QString::fromLatin1(kProgramVersion));
    for (ProjectGroup g : {ProjectGroup::Inputs, ProjectGroup::Ventilator, ProjectGroup::Results})
        root.insert(QLatin1String(ProjectGroupKey(g)), groups[static_cast<int>(g)]);
    QJsonObject dialogs;
    for (const auto& [name, controls] : project.dialogs)
        dialogs.insert(name, ControlsJson(controls));
    root.insert(kDialogsKey, dialogs);
    if (project.schedule) {
        auto schedule = ScheduleToJson(*project.schedule);
        if (const QString* reason = std::get_if<QString>(&schedule))
            return *reason;
        root.insert(kScheduleKey, std::get<QJsonObject>(schedule));
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::variant<Project, QString> ParseProject(const QByteArray& bytes)
{
    if (bytes.trimmed().isEmpty())
        return QStringLiteral("plik jest pusty");
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("plik jest uszkodzony lub niepełny (błąd przy znaku %1)")
            .arg(error.offset);
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(kFormatKey).toString() != QLatin1String(kFormatName))
        return QStringLiteral("to nie jest plik obliczeń tego programu");
    const auto version = Whole(root.value(kVersionKey), 1, INT32_MAX);
    if (!version)
        return QStringLiteral("brak poprawnej wersji formatu");
    if (*version > kProjectFormatVersion)
        return QStringLiteral("plik zapisano w nowszym formacie (wersja %1), a ten program zna "
                              "wersję %2")
            .arg(*version)
            .arg(kProjectFormatVersion);
    Project project;
    if (auto reason = ReadState(root, project.state))
        return *reason;
    if (auto reason = ReadControls(root.value(kDialogsKey), project.dialogs))
        return *reason;
    project.programVersion = root.value(kProgramKey).toString();
    if (root.contains(kScheduleKey)) {
        auto schedule = ScheduleFromJson(root.value(kScheduleKey));
        if (const QString* reason = std::get_if<QString>(&schedule))
            return *reason;
        project.schedule = std::move(std::get<Schedule>(schedule));
    }
    return project;
}

std::variant<Project, QString> ReadProjectFile(const QString& path)
{
    const QString& name = path;
    auto refuse = [&](const QString& reason) {
        return QStringLiteral("Nie można otworzyć obliczeń z pliku „%1”: %2.").arg(name, reason);
    };
    std::variant<QByteArray, QString> bytes = ReadProjectBytes(path);
    if (const QString* reason = std::get_if<QString>(&bytes))
        return refuse(*reason);
    auto parsed = ParseProject(std::get<QByteArray>(bytes));
    if (const QString* reason = std::get_if<QString>(&parsed))
        return refuse(*reason);
    return parsed;
}

Recomputation RecomputeProject(Project& project)
{
    CalcState& state = project.state;
    if (state.ResultsShown != 1 || state.VentilatorIndex == 0)
        return {};
    const CalcState saved = state;
    ApplyVentilatorChoice(state);
    if (SameResults(saved, state))
        return {};
    return {true, QStringLiteral("Wyniki obliczone ponownie różnią się od zapisanych w pliku "
                                 "(zmienił się katalog wywietrzników lub sposób obliczeń). "
                                 "Pokazano wyniki obliczone teraz.")};
}
