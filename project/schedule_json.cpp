// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/schedule_json.h"

#include "calc/derived.h"
#include "calc/program_texts.h"
#include "calc/schedule_limits.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>

namespace {

constexpr qsizetype kMostRows = 10000;
const char* const kConditions[] = {"calm", "wind", "windStack", "year"};
const char* const kGrilles[] = {"rect", "round", "adjustable"};

// Reads the fields of one object, remembering the first fault.
class Reader {
public:
    Reader(const QJsonObject& object, QString where)
        : object_(object)
        , where_(std::move(where))
    {
    }

    void Real(const char* key, double& value)
    {
        const QJsonValue v = Field(key);
        if (v.isUndefined())
            return;
        if (!v.isDouble() || !std::isfinite(v.toDouble()))
            return Fail(key, QStringLiteral("nie jest liczbą"));
        value = v.toDouble();
    }
    void Whole(const char* key, std::int32_t least, std::int32_t most, std::int32_t& value)
    {
        const QJsonValue v = Field(key);
        if (v.isUndefined())
            return;
        const double number = v.toDouble();
        if (!v.isDouble() || number != std::floor(number) || number < least || number > most)
            return Fail(
                key, QStringLiteral("nie jest liczbą całkowitą od %1 do %2").arg(least).arg(most));
        value = static_cast<std::int32_t>(number);
    }
    void Text(const char* key, std::string& value)
    {
        const QJsonValue v = Field(key);
        if (v.isUndefined())
            return;
        if (!v.isString())
            return Fail(key, QStringLiteral("nie jest tekstem"));
        value = v.toString().toStdString();
    }
    // One of the names; its position.
    template <std::size_t N> void Choice(const char* key, const char* const (&names)[N], int& value)
    {
        const QJsonValue v = Field(key);
        if (v.isUndefined())
            return;
        for (std::size_t i = 0; i < N; ++i) {
            if (v.toString() == QLatin1String(names[i])) {
                value = static_cast<int>(i);
                return;
            }
        }
        Fail(key, QStringLiteral("ma nieznaną wartość"));
    }
    void Flag(const char* key, bool& value)
    {
        const QJsonValue v = Field(key);
        if (v.isUndefined())
            return;
        if (!v.isBool())
            return Fail(key, QStringLiteral("nie jest wartością true/false"));
        value = v.toBool();
    }
    // A flag that older files lack: absent, it stays as it is.
    void OptionalFlag(const char* key, bool& value)
    {
        if (object_.contains(QLatin1String(key)))
            Flag(key, value);
    }
    void Model(const char* key, int& value)
    {
        const QJsonValue v = Field(key);
        if (v.isString() && v.toString() == QString::fromUtf8(kChooseModelText))
            value = 0;
        else if (!v.isUndefined())
            Whole(key, 1, kVentilatorCount, value);
    }
    // A field that none of the above read: the file is not one of ours.
    void NoOtherFields()
    {
        for (const QString& key : object_.keys()) {
            if (!read_.contains(key))
                return Fail(key, QStringLiteral("nie należy do zestawienia przewodów"));
        }
    }
    // The values read outside their bounds (calc/schedule_limits.h).
    void Check(const ScheduleRefusal& refusal)
    {
        if (!refusal.Refused() || fault_.Failed())
            return;
        QString reason = QString::fromStdString(refusal.reason);
        if (reason.endsWith('.'))
            reason.chop(1);
        fault_ = FailureOf(QStringLiteral("%1, pole %2: %3")
                               .arg(where_,
                                    QString::fromUtf8(refusal.field.data(),
                                                      static_cast<qsizetype>(refusal.field.size())),
                                    reason));
    }
    const Outcome& Status() const { return fault_; }

private:
    QJsonValue Field(const char* key)
    {
        read_.append(QLatin1String(key));
        if (fault_.Failed())
            return QJsonValue(QJsonValue::Undefined);
        QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined() && !fault_.Failed())
            fault_ = FailureOf(QStringLiteral("%1: brak pola %2").arg(where_, QLatin1String(key)));
        return v;
    }
    void Fail(QAnyStringView key, const QString& what)
    {
        if (!fault_.Failed())
            fault_ = FailureOf(QStringLiteral("%1: pole %2 %3").arg(where_, key.toString(), what));
    }

    const QJsonObject& object_;
    QString where_;
    QStringList read_;
    Outcome fault_;
};

Result<ScheduleBuilding> ReadBuilding(const QJsonObject& object)
{
    ScheduleBuilding b;
    Reader r(object, QStringLiteral("budynek"));
    int condition = 0;
    r.Flag("DensityTyped", b.densityTyped);
    r.Real("AirDensity", b.density);
    r.Whole("Temperature", INT32_MIN, INT32_MAX, b.temperature);
    r.Whole("Pressure", INT32_MIN, INT32_MAX, b.pressure);
    r.Whole("Humidity", INT32_MIN, INT32_MAX, b.humidity);
    r.Real("WindSpeed", b.windSpeed);
    r.Whole("StoreyCount", 1, 1000, b.storeys);
    r.Real("StoreyHeight", b.storeyHeight);
    r.Real("InsideTemperature", b.inside);
    r.Real("OutsideTemperature", b.outside);
    r.Choice("Condition", kConditions, condition);
    b.condition = static_cast<ScheduleCondition>(condition);
    r.OptionalFlag("OneModelPerRiser", b.oneModelPerRiser);
    // The year's period and share, written by files that use them.
    if (object.contains(QLatin1String("YearPeriod")))
        r.Text("YearPeriod", b.yearPeriod);
    if (object.contains(QLatin1String("YearShare")))
        r.Real("YearShare", b.yearShare);
    r.NoOtherFields();
    r.Check(CheckScheduleBuilding(b));
    if (!r.Status())
        return r.Status().Fault();
    return b;
}

const char* const kFlatFields[] = {"Flat",      "Storey",        "Inlets",
                                   "InletFlow", "InletPressure", "InletExponent",
                                   "LeakFlow",  "LeakPressure",  "LeakExponent"};

Result<FlatSupply> ReadFlat(const QJsonObject& object, int number)
{
    FlatSupply flat;
    const QString where = QStringLiteral("mieszkanie %1").arg(number);
    for (const QString& key : object.keys()) {
        if (std::find_if(std::begin(kFlatFields), std::end(kFlatFields), [&](const char* f) {
                return key == QLatin1String(f);
            }) == std::end(kFlatFields))
            return FailureOf(QStringLiteral("%1: nieznane pole %2").arg(where, key));
    }
    Reader r(object, where);
    r.Text("Flat", flat.flat);
    r.Whole("Storey", 1, 1000, flat.storey);
    r.Whole("Inlets", INT32_MIN, INT32_MAX, flat.inlets);
    r.Real("InletFlow", flat.inletFlow);
    r.Real("InletPressure", flat.inletPressure);
    r.Real("InletExponent", flat.inletExponent);
    r.Real("LeakFlow", flat.leakFlow);
    r.Real("LeakPressure", flat.leakPressure);
    r.Real("LeakExponent", flat.leakExponent);
    if (!r.Status())
        return r.Status().Fault();
    if (const FlatFault fault = CheckFlatSupply(flat); !fault.Empty())
        return FailureOf(QStringLiteral("%1: pole %2: %3")
                             .arg(where, QString::fromStdString(fault.field),
                                  QString::fromStdString(fault.reason)));
    return flat;
}

Result<std::vector<FlatSupply>> ReadFlats(const QJsonValue& value)
{
    std::vector<FlatSupply> flats;
    if (!value.isArray() || value.toArray().size() > kMostRows)
        return FailureOf(QStringLiteral("brak listy Flats lub ponad %1 mieszkań").arg(kMostRows));
    int number = 0;
    for (const QJsonValue item : value.toArray()) {
        ++number;
        if (!item.isObject())
            return FailureOf(QStringLiteral("mieszkanie %1 nie jest obiektem").arg(number));
        Result<FlatSupply> read = ReadFlat(item.toObject(), number);
        if (!read)
            return read.Fault();
        FlatSupply& flat = read.Value();
        for (const FlatSupply& other : flats) {
            if (other.flat == flat.flat && other.storey == flat.storey)
                return FailureOf(QStringLiteral("mieszkanie %1: pole Flat: „%2” na kondygnacji "
                                                "%3 występuje dwa razy")
                                     .arg(number)
                                     .arg(QString::fromStdString(flat.flat))
                                     .arg(flat.storey));
        }
        flats.push_back(std::move(flat));
    }
    return flats;
}

// Every row's flat is listed.
Outcome CheckRowFlats(const Schedule& schedule)
{
    for (std::size_t i = 0; i < schedule.rows.size(); ++i) {
        const ScheduleRow& row = schedule.rows[i];
        if (row.flat.empty())
            continue;
        const bool listed =
            std::any_of(schedule.flats.begin(), schedule.flats.end(), [&](const FlatSupply& f) {
                return f.flat == row.flat && f.storey == row.storey;
            });
        if (!listed)
            return FailureOf(QStringLiteral("wiersz %1: pole Flat: mieszkania „%2” na "
                                            "kondygnacji %3 nie ma na liście Flats")
                                 .arg(i + 1)
                                 .arg(QString::fromStdString(row.flat))
                                 .arg(row.storey));
    }
    return {};
}

QJsonObject FlatJson(const FlatSupply& f)
{
    QJsonObject o;
    o.insert("Flat", QString::fromStdString(f.flat));
    o.insert("Storey", f.storey);
    o.insert("Inlets", f.inlets);
    o.insert("InletFlow", f.inletFlow);
    o.insert("InletPressure", f.inletPressure);
    o.insert("InletExponent", f.inletExponent);
    o.insert("LeakFlow", f.leakFlow);
    o.insert("LeakPressure", f.leakPressure);
    o.insert("LeakExponent", f.leakExponent);
    return o;
}

Result<ScheduleRow> ReadRow(const QJsonObject& object, int number, const ScheduleBuilding& b,
                            bool withFlat)
{
    ScheduleRow row;
    Reader r(object, QStringLiteral("wiersz %1").arg(number));
    int grille = 0;
    int duct = 0;
    const char* const ducts[] = {"round", "rect"};
    r.Text("Label", row.label);
    r.Whole("Storey", 1, 1000, row.storey);
    r.Whole("Room", 0, kRoomTypeCount, row.room);
    r.Real("Need", row.typedNeed);
    r.Choice("Duct", ducts, duct);
    row.roundDuct = duct == 0;
    r.Real("Diameter", row.diameter);
    r.Real("SideA", row.sideA);
    r.Real("SideB", row.sideB);
    r.Whole("Material", 1, 6, row.material);
    r.Choice("Grille", kGrilles, grille);
    row.grille = static_cast<ScheduleGrille>(grille);
    r.Real("GrilleHeight", row.grilleHeight);
    r.Real("GrilleWidth", row.grilleWidth);
    r.Real("GrilleDiameter", row.grilleDiameter);
    r.Real("GrilleLoss", row.grilleLoss);
    r.Whole("AdjustableGrille", 1, 5, row.adjustable);
    r.Whole("Opening", 0, kLargestOpening, row.opening);
    r.Model("Model", row.model);
    if (withFlat)
        r.Text("Flat", row.flat);
    r.NoOtherFields();
    r.Check(CheckScheduleRow(b, row));
    if (!r.Status())
        return r.Status().Fault();
    return row;
}

bool AllFinite(const Schedule& s)
{
    const ScheduleBuilding& b = s.building;
    for (double v : {b.density, b.windSpeed, b.storeyHeight, b.inside, b.outside}) {
        if (!std::isfinite(v))
            return false;
    }
    for (const ScheduleRow& r : s.rows) {
        for (double v : {r.typedNeed, r.diameter, r.sideA, r.sideB, r.grilleHeight, r.grilleWidth,
                         r.grilleDiameter, r.grilleLoss}) {
            if (!std::isfinite(v))
                return false;
        }
    }
    for (const FlatSupply& f : s.flats) {
        for (double v : {f.inletFlow, f.inletPressure, f.inletExponent, f.leakFlow, f.leakPressure,
                         f.leakExponent}) {
            if (!std::isfinite(v))
                return false;
        }
    }
    return true;
}

QJsonObject RowJson(const ScheduleRow& row)
{
    QJsonObject o;
    o.insert("Label", QString::fromStdString(row.label));
    o.insert("Storey", row.storey);
    o.insert("Room", row.room);
    o.insert("Need", row.typedNeed);
    o.insert("Duct", row.roundDuct ? "round" : "rect");
    o.insert("Diameter", row.diameter);
    o.insert("SideA", row.sideA);
    o.insert("SideB", row.sideB);
    o.insert("Material", row.material);
    o.insert("Grille", kGrilles[static_cast<int>(row.grille)]);
    o.insert("GrilleHeight", row.grilleHeight);
    o.insert("GrilleWidth", row.grilleWidth);
    o.insert("GrilleDiameter", row.grilleDiameter);
    o.insert("GrilleLoss", row.grilleLoss);
    o.insert("AdjustableGrille", row.adjustable);
    o.insert("Opening", row.opening);
    o.insert("Model", row.model == 0 ? QJsonValue(kChooseModelText) : QJsonValue(row.model));
    o.insert("Flat", QString::fromStdString(row.flat));
    return o;
}

} // namespace

Result<QJsonObject> ScheduleToJson(const Schedule& s)
{
    if (!AllFinite(s))
        return FailureOf(
            QStringLiteral("wartość w zestawieniu przewodów nie jest poprawną liczbą"));
    const ScheduleBuilding& b = s.building;
    QJsonObject building;
    building.insert("DensityTyped", b.densityTyped);
    building.insert("AirDensity", b.density);
    building.insert("Temperature", b.temperature);
    building.insert("Pressure", b.pressure);
    building.insert("Humidity", b.humidity);
    building.insert("WindSpeed", b.windSpeed);
    building.insert("StoreyCount", b.storeys);
    building.insert("StoreyHeight", b.storeyHeight);
    building.insert("InsideTemperature", b.inside);
    building.insert("OutsideTemperature", b.outside);
    building.insert("Condition", kConditions[static_cast<int>(b.condition)]);
    if (b.oneModelPerRiser) // absent: off, as in the files written before the option
        building.insert("OneModelPerRiser", true);
    if (b.condition == ScheduleCondition::Year || b.yearPeriod != "year" ||
        b.yearShare != kYearShareDefault) {
        building.insert("YearPeriod", QString::fromStdString(b.yearPeriod));
        building.insert("YearShare", b.yearShare);
    }
    QJsonArray rows;
    for (const ScheduleRow& row : s.rows)
        rows.append(RowJson(row));
    QJsonArray flats;
    for (const FlatSupply& flat : s.flats)
        flats.append(FlatJson(flat));
    QJsonObject object;
    object.insert("Building", building);
    object.insert("Rows", rows);
    object.insert("Flats", flats);
    return object;
}

Result<Schedule> ScheduleFromJson(const QJsonValue& value, int version)
{
    const bool withFlats = version >= kFlatsFormatVersion;
    const auto refuse = [](const QString& what) {
        return FailureOf(QStringLiteral("zestawienie przewodów jest uszkodzone (%1)").arg(what));
    };
    if (!value.isObject())
        return refuse(QStringLiteral("to nie jest obiekt"));
    const QJsonObject object = value.toObject();
    Schedule schedule;
    if (!object.value("Building").isObject())
        return refuse(QStringLiteral("brak części Building"));
    Result<ScheduleBuilding> building = ReadBuilding(object.value("Building").toObject());
    if (!building)
        return refuse(ReasonOf(building));
    schedule.building = std::move(building).Value();
    const QJsonValue rows = object.value("Rows");
    if (!rows.isArray() || rows.toArray().size() > kMostRows)
        return refuse(QStringLiteral("brak listy Rows lub ponad %1 wierszy").arg(kMostRows));
    int number = 0;
    for (const QJsonValue item : rows.toArray()) {
        ++number;
        if (!item.isObject())
            return refuse(QStringLiteral("wiersz %1 nie jest obiektem").arg(number));
        Result<ScheduleRow> row = ReadRow(item.toObject(), number, schedule.building, withFlats);
        if (!row)
            return refuse(ReasonOf(row));
        schedule.rows.push_back(std::move(row).Value());
    }
    for (const QString& key : object.keys()) {
        if (key != QLatin1String("Building") && key != QLatin1String("Rows") &&
            !(withFlats && key == QLatin1String("Flats")))
            return refuse(QStringLiteral("pole %1 nie należy do zestawienia przewodów").arg(key));
    }
    if (!withFlats)
        return schedule;
    Result<std::vector<FlatSupply>> flats = ReadFlats(object.value("Flats"));
    if (!flats)
        return refuse(ReasonOf(flats));
    schedule.flats = std::move(flats).Value();
    if (Outcome read = CheckRowFlats(schedule); !read)
        return refuse(ReasonOf(read));
    return schedule;
}
