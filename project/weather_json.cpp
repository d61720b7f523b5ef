// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/weather_json.h"

#include <QStringList>

#include <cmath>

namespace {

const char kFile[] = "file";
const char kDistribution[] = "distribution";

// Reads the fields of the object, remembering the first fault.
class WeatherReader {
public:
    explicit WeatherReader(const QJsonObject& object)
        : object_(object)
    {
    }

    // A finite number in [least, most]; `above` excludes least itself.
    void Real(const char* key, double least, double most, bool above, double& value)
    {
        const QJsonValue v = Field(key);
        if (v.isUndefined())
            return;
        const double number = v.toDouble();
        if (!v.isDouble() || !std::isfinite(number) || number < least || number > most ||
            (above && number == least))
            return Fail(key, QStringLiteral("ma wartość spoza zakresu %1%2…%3")
                                 .arg(above ? ">" : "")
                                 .arg(least)
                                 .arg(most));
        value = number;
    }
    void Category(const char* key, int& value)
    {
        const QJsonValue v = Field(key);
        if (v.isUndefined())
            return;
        const double number = v.toDouble();
        if (!v.isDouble() || number != std::floor(number) || number < 0 ||
            number >= kTerrainCategoryCount)
            return Fail(key, QStringLiteral("nie jest kategorią terenu 0…4"));
        value = static_cast<int>(number);
    }
    void Text(const char* key, std::string& value)
    {
        const QJsonValue v = Field(key);
        if (v.isUndefined())
            return;
        if (!v.isString() || v.toString().isEmpty())
            return Fail(key, QStringLiteral("nie jest niepustym tekstem"));
        value = v.toString().toStdString();
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
    // An optional number: absent leaves it empty.
    void OptionalReal(const char* key, double least, double most, std::optional<double>& value)
    {
        if (!object_.contains(QLatin1String(key))) {
            read_.append(QLatin1String(key));
            return;
        }
        double number = 0.0;
        Real(key, least, most, true, number);
        if (!fault_.Failed())
            value = number;
    }
    void Period(const char* key, WeatherPeriod& period)
    {
        if (!object_.contains(QLatin1String(key))) {
            read_.append(QLatin1String(key));
            return;
        }
        std::string text;
        Text(key, text);
        if (fault_.Failed())
            return;
        const Result<WeatherPeriod> parsed = ParsePeriod(text);
        if (!parsed)
            return Fail(key, QStringLiteral("nie jest okresem year, heating ani M1-M2"));
        period = parsed.Value();
    }
    void Fail(QAnyStringView key, const QString& what)
    {
        if (!fault_.Failed())
            fault_ = FailureOf(QStringLiteral("pogoda: pole %1 %2").arg(key.toString(), what));
    }
    void NoOtherFields()
    {
        for (const QString& key : object_.keys()) {
            if (!read_.contains(key))
                return Fail(key, QStringLiteral("nie należy do pogody"));
        }
    }
    const Outcome& Fault() const { return fault_; }

private:
    QJsonValue Field(const char* key)
    {
        read_.append(QLatin1String(key));
        if (fault_.Failed())
            return QJsonValue(QJsonValue::Undefined);
        QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined())
            Fail(key, QStringLiteral("brak"));
        return v;
    }

    const QJsonObject& object_;
    QStringList read_;
    Outcome fault_;
};

void ReadSource(WeatherReader& r, const QJsonObject& object, WeatherSource& s)
{
    const QString kind = object.value(QStringLiteral("Kind")).toString();
    std::string ignored;
    r.Text("Kind", ignored);
    if (kind == QLatin1String(kFile)) {
        s.kind = WeatherSource::Kind::File;
        r.Text("File", s.path);
        r.Text("Checksum", s.checksum);
        if (!r.Fault().Failed() && !IsChecksum(s.checksum))
            r.Fail("Checksum", QStringLiteral("nie jest sumą kontrolną (16 cyfr szesnastkowych)"));
    } else if (kind == QLatin1String(kDistribution)) {
        s.kind = WeatherSource::Kind::Distribution;
        r.Flag("ScaleGiven", s.scaleGiven);
        r.Real("Wind", 0.0, 100.0, true, s.wind);
        r.Real("Shape", 0.0, 100.0, true, s.shape);
        r.Real("OutsideTemperature", -60.0, 60.0, false, s.outside);
    } else {
        r.Fail("Kind", QStringLiteral("ma nieznaną wartość"));
    }
    r.Real("InsideTemperature", -60.0, 60.0, false, s.inside);
}

} // namespace

Result<QJsonObject> WeatherToJson(const WeatherSetting& weather)
{
    const WeatherSource& s = weather.source;
    for (const double value : {s.wind, s.shape, s.outside, s.inside, weather.site.height,
                               weather.need.value_or(1.0), weather.draughtHeight.value_or(1.0)}) {
        if (!std::isfinite(value))
            return FailureOf(QStringLiteral("pogoda: wartość nie jest liczbą skończoną"));
    }
    QJsonObject object;
    if (s.kind == WeatherSource::Kind::File) {
        object.insert("Kind", kFile);
        object.insert("File", QString::fromStdString(s.path));
        object.insert("Checksum", QString::fromStdString(s.checksum));
    } else {
        object.insert("Kind", kDistribution);
        object.insert("ScaleGiven", s.scaleGiven);
        object.insert("Wind", s.wind);
        object.insert("Shape", s.shape);
        object.insert("OutsideTemperature", s.outside);
    }
    object.insert("InsideTemperature", s.inside);
    object.insert("StationTerrain", weather.site.stationTerrain);
    object.insert("BuildingTerrain", weather.site.buildingTerrain);
    object.insert("VentilatorHeight", weather.site.height);
    object.insert("Period", QString::fromStdString(PeriodKey(weather.period)));
    if (weather.need)
        object.insert("Need", *weather.need);
    if (weather.draughtHeight)
        object.insert("DraughtHeight", *weather.draughtHeight);
    return object;
}

Result<WeatherSetting> WeatherFromJson(const QJsonValue& value)
{
    if (!value.isObject())
        return FailureOf(QStringLiteral("pogoda nie jest obiektem"));
    const QJsonObject object = value.toObject();
    WeatherReader r(object);
    WeatherSetting weather;
    ReadSource(r, object, weather.source);
    r.Category("StationTerrain", weather.site.stationTerrain);
    r.Category("BuildingTerrain", weather.site.buildingTerrain);
    r.Real("VentilatorHeight", 0.0, 1000.0, true, weather.site.height);
    r.Period("Period", weather.period);
    r.OptionalReal("Need", 0.0, 100000.0, weather.need);
    r.OptionalReal("DraughtHeight", 0.0, 1000.0, weather.draughtHeight);
    r.NoOtherFields();
    if (r.Fault().Failed())
        return r.Fault().Fault();
    return weather;
}
