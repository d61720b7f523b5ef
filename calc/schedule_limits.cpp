// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/schedule_limits.h"

#include "calc/catalogue.h"
#include "calc/derived.h"
#include "calc/input_limits.h"
#include "calc/program_texts.h"
#include "calc/stack_draught.h"

#include <cmath>
#include <initializer_list>

namespace {

struct Field {
    std::string_view name;
    Limited what;
    double value;
};

// The first field outside its bounds.
ScheduleRefusal FirstRefused(std::initializer_list<Field> fields)
{
    for (const Field& f : fields) {
        if (const Refusal refusal = CheckLimits({{f.what, f.value}}); refusal != Refusal::None)
            return {f.name, std::string(RefusalText(refusal))};
    }
    return {};
}

ScheduleRefusal Refuse(std::string_view field, Refusal refusal)
{
    return {field, std::string(RefusalText(refusal))};
}

// A byte of a control character: C0, DEL, or the second byte of a C1
// character (U+0080..U+009F is 0xC2 0x80..0x9F in UTF-8).
bool HasControl(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F)
            return true;
        if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) <= 0x9F)
            return true;
    }
    return false;
}

// The air of the building: the density typed or computed from the weather.
ScheduleRefusal CheckAir(const ScheduleBuilding& b)
{
    ScheduleRefusal r = FirstRefused(
        {{"AirDensity", Limited::AirDensity, b.density},
         {"Temperature", Limited::OutdoorTemperature, static_cast<double>(b.temperature)},
         {"Pressure", Limited::Pressure, static_cast<double>(b.pressure)},
         {"Humidity", Limited::Humidity, static_cast<double>(b.humidity)}});
    if (r.Refused() || b.densityTyped)
        return r;
    const WeatherDensity weather = AirDensityFromWeather(b.temperature, b.pressure, b.humidity);
    if (weather.refusal != Refusal::None)
        return Refuse("Humidity", weather.refusal);
    return FirstRefused({{"Pressure", Limited::AirDensity, weather.density}});
}

} // namespace

ScheduleRefusal CheckScheduleBuilding(const ScheduleBuilding& b)
{
    if (ScheduleRefusal r = CheckAir(b); r.Refused())
        return r;
    if (ScheduleRefusal r =
            FirstRefused({{"WindSpeed", Limited::WindSpeed, b.windSpeed},
                          {"StoreyCount", Limited::StoreyCount, static_cast<double>(b.storeys)},
                          {"StoreyHeight", Limited::StoreyHeight, b.storeyHeight},
                          {"StoreyHeight", Limited::BuildingHeight,
                           BuildingDuctLength(b.storeys, b.storeyHeight)},
                          {"OutsideTemperature", Limited::OutdoorTemperature, b.outside}});
        r.Refused())
        return r;
    if (!std::isfinite(b.inside))
        return Refuse("InsideTemperature", Refusal::NonFiniteInput);
    if (!(b.inside > kAbsoluteZero))
        return Refuse("InsideTemperature", Refusal::StackTemperature);
    if (!IsYearPeriodText(b.yearPeriod))
        return {"YearPeriod", "Okres roku musi być year (cały rok), heating (sezon grzewczy) albo "
                              "miesiącami M1-M2 od 1 do 12, np. 11-3."};
    if (!(b.yearShare > 0.0 && b.yearShare <= 100.0))
        return {"YearShare", "Wymagany udział godzin musi być większy od 0 % i nie większy niż "
                             "100 %."};
    return {};
}

ScheduleRefusal CheckScheduleRow(const ScheduleBuilding& b, const ScheduleRow& row)
{
    if (HasControl(row.label))
        return Refuse("Label", Refusal::LabelControl);
    if (HasControl(row.flat))
        return {"Flat", "Nazwa mieszkania nie może zawierać znaków sterujących – popraw "
                        "mieszkanie."};
    if (row.storey < 1 || row.storey > b.storeys)
        return Refuse("Storey", Refusal::StoreyOutsideBuilding);
    if (row.room < 0 || row.room > kRoomTypeCount)
        return {"Room", "Rodzaj pomieszczenia musi być od 0 (wydajność podana) do 8 – popraw "
                        "rodzaj pomieszczenia."};
    // A row of a room type keeps the need 0 unless one was typed before.
    if (row.room == 0 || row.typedNeed != 0.0) {
        if (ScheduleRefusal r = FirstRefused({{"Need", Limited::Need, row.typedNeed}}); r.Refused())
            return r;
    }
    if (ScheduleRefusal r =
            FirstRefused({{"Diameter", Limited::DuctSize, row.diameter},
                          {"SideA", Limited::DuctSize, row.sideA},
                          {"SideB", Limited::DuctSize, row.sideB},
                          {"GrilleHeight", Limited::GrilleSize, row.grilleHeight},
                          {"GrilleWidth", Limited::GrilleSize, row.grilleWidth},
                          {"GrilleDiameter", Limited::GrilleSize, row.grilleDiameter},
                          {"GrilleLoss", Limited::LossCoefficient, row.grilleLoss}});
        r.Refused())
        return r;
    if (row.material < 1 || row.material > static_cast<int>(kDuctMaterials.size()))
        return {"Material", "Materiał przewodu musi być od 1 do 6 – popraw materiał."};
    if (row.adjustable < 1 || row.adjustable > static_cast<int>(kAdjustableGrilles.size()))
        return {"AdjustableGrille", "Kratka regulowana musi być od 1 do 5 – popraw kratkę."};
    if (row.opening < 0 || row.opening > kLargestOpening)
        return {"Opening", "Otwarcie kratki regulowanej musi być od 0 do 20 obrotów – popraw "
                           "otwarcie."};
    if (row.model < 0 || row.model > kVentilatorCount)
        return {"Model", std::string("Wywietrznik musi być od 1 do 27 albo „") + kChooseModelText +
                             "” – popraw wywietrznik."};
    return {};
}
