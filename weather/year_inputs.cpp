// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/year_inputs.h"

#include "calc/input_limits.h"
#include "calc/refusal.h"
#include "calc/selection.h"

#include <optional>
#include <string_view>

namespace {

constexpr double kLargestHeight = 1000.0;

// The field's number, or the reason naming the field.
Result<double> FieldNumber(std::string_view name, const std::string& text)
{
    if (text.find_first_not_of(" \t") == std::string::npos)
        return Failure{"Pole „" + std::string(name) + "” jest puste. Wpisz liczbę."};
    const std::optional<double> value = StrictFieldNumber(text);
    if (!value)
        return Failure{"Pole „" + std::string(name) + "”: „" + text +
                       "” nie jest liczbą. Wpisz liczbę, np. 12 lub 12,5."};
    return *value;
}

// A height z or H: typed, or the default when the field is empty.
Result<double> Height(std::string_view name, const std::string& text, double otherwise)
{
    if (text.find_first_not_of(" \t") == std::string::npos)
        return otherwise;
    Result<double> value = FieldNumber(name, text);
    if (value && !(value.Value() > 0.0 && value.Value() <= kLargestHeight))
        return Failure{"Pole „" + std::string(name) +
                       "” wymaga wysokości większej od zera i nie większej niż 1000 m."};
    return value;
}

Result<WeatherSource> ReadSource(const YearInputTexts& t)
{
    WeatherSource source;
    source.kind = t.file ? WeatherSource::Kind::File : WeatherSource::Kind::Distribution;
    source.path = t.path;
    source.scaleGiven = t.scaleGiven;
    const Result<double> inside = FieldNumber("ti [°C]", t.inside);
    if (!inside)
        return inside.Fault();
    source.inside = inside.Value();
    if (!t.file) {
        const Result<double> wind =
            FieldNumber(t.scaleGiven ? "A [m/s]" : "v średnia [m/s]", t.wind);
        if (!wind)
            return wind.Fault();
        const Result<double> shape = FieldNumber("k", t.shape);
        if (!shape)
            return shape.Fault();
        const Result<double> outside = FieldNumber("te [°C]", t.outside);
        if (!outside)
            return outside.Fault();
        source.wind = wind.Value();
        source.shape = shape.Value();
        source.outside = outside.Value();
    }
    if (const Outcome checked = CheckWeatherSource(source); !checked)
        return checked.Fault();
    return source;
}

Result<double> ReadNeed(const std::string& text)
{
    Result<double> value = FieldNumber("Qh [m3/h]", text);
    if (!value)
        return value.Fault();
    if (const Refusal refusal = CheckLimits({{Limited::Need, value.Value()}});
        refusal != Refusal::None)
        return Failure{std::string(RefusalText(refusal))};
    return value;
}

} // namespace

double DefaultVentilatorHeight(double ductLength)
{
    return ductLength + 1.0;
}

Result<YearInputs> ReadYearInputs(const YearInputTexts& t, double ductLength)
{
    YearInputs inputs;
    const Result<WeatherSource> source = ReadSource(t);
    if (!source)
        return source.Fault();
    inputs.source = source.Value();
    inputs.site.stationTerrain = t.stationTerrain;
    inputs.site.buildingTerrain = t.buildingTerrain;
    const Result<double> z =
        Height("z [m]", t.ventilatorHeight, DefaultVentilatorHeight(ductLength));
    if (!z)
        return z.Fault();
    inputs.site.height = z.Value();
    if (const Result<double> ratio = SiteWindRatio(inputs.site); !ratio)
        return ratio.Fault();
    const Result<WeatherPeriod> period =
        t.period == YearPeriodChoice::WholeYear       ? Result<WeatherPeriod>(WholeYear())
        : t.period == YearPeriodChoice::HeatingSeason ? Result<WeatherPeriod>(HeatingSeason())
                                                      : MonthsPeriod(t.fromMonth, t.toMonth);
    if (!period)
        return period.Fault();
    inputs.period = period.Value();
    const Result<double> need = ReadNeed(t.need);
    if (!need)
        return need.Fault();
    inputs.need = need.Value();
    const Result<double> h = Height("H [m]", t.draughtHeight, ductLength);
    if (!h)
        return h.Fault();
    inputs.draughtHeight = h.Value();
    inputs.draughtHeightTyped = t.draughtHeight.find_first_not_of(" \t") != std::string::npos;
    return inputs;
}
