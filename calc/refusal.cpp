// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/refusal.h"

namespace {

// The reasons of inputs outside what can be built (calc/input_limits.h).
std::string_view LimitText(Refusal refusal)
{
    switch (refusal) {
    case Refusal::DensityLimit:
        return "Gęstość powietrza musi być większa od zera i nie większa niż 5 kg/m3 – popraw "
               "parametry powietrza.";
    case Refusal::WindLimit:
        return "Prędkość wiatru musi wynosić od 0 do 100 m/s – popraw prędkość wiatru.";
    case Refusal::DuctSizeLimit:
        return "Wymiary kanału muszą być większe od zera i nie większe niż 1000 m – popraw "
               "parametry kanału.";
    case Refusal::GrilleSizeLimit:
        return "Wymiary kratki muszą być większe od zera i nie większe niż 1000 m – popraw "
               "wymiary kratki.";
    case Refusal::DuctLengthLimit:
        return "Długość kanału musi być większa od zera i nie większa niż 1000 m – popraw "
               "parametry hali.";
    case Refusal::StoreyHeightLimit:
        return "Wysokość kondygnacji musi być większa od zera i nie większa niż 1000 m – popraw "
               "parametry budynku.";
    case Refusal::StoreyCountLimit:
        return "Budynek musi mieć co najmniej jedną kondygnację – popraw liczbę kondygnacji.";
    case Refusal::BuildingHeightLimit:
        return "Wysokość budynku (liczba kondygnacji razy wysokość kondygnacji) nie może "
               "przekraczać 1000 m – popraw parametry budynku.";
    case Refusal::StackHeightLimit:
        return "Wysokość ciągu grawitacyjnego H musi być większa od zera i nie większa niż "
               "1000 m – popraw H.";
    case Refusal::HumidityLimit:
        return "Wilgotność względna musi wynosić od 0 do 100 % – popraw parametry powietrza.";
    case Refusal::OutdoorTemperatureLimit:
        return "Temperatura powietrza zewnętrznego musi wynosić od −60 do 60 °C – popraw "
               "temperaturę.";
    case Refusal::LossCoefficientLimit:
        return "Współczynnik strat ζ nie może być ujemny – popraw współczynnik strat.";
    case Refusal::NeedLimit:
        return "Wymagana wydajność musi być większa od zera i nie większa niż 100000 m3/h – "
               "popraw wymaganą wydajność.";
    case Refusal::StoreyOutsideBuilding:
        return "Kondygnacja przewodu musi być od 1 do liczby kondygnacji budynku – popraw "
               "kondygnację.";
    case Refusal::LabelControl:
        return "Opis przewodu nie może zawierać znaków sterujących (tabulatora, końca wiersza "
               "i podobnych) – popraw opis.";
    default:
        return {};
    }
}

} // namespace

std::string_view RefusalText(Refusal refusal)
{
    switch (refusal) {
    case Refusal::None:
        return {};
    case Refusal::NonFiniteInput:
        return "Dane zawierają wartość, która nie jest poprawną liczbą – popraw je.";
    case Refusal::DuctDiameter:
        return "Średnica kanału musi być większa od zera – podaj parametry kanału.";
    case Refusal::DuctArea:
        return "Pole przekroju kanału musi być większe od zera – podaj parametry kanału.";
    case Refusal::AirDensity:
        return "Gęstość powietrza musi być większa od zera – podaj parametry powietrza.";
    case Refusal::GrilleArea:
        return "Pole kratki nie może być równe zeru – podaj wymiary kratki.";
    case Refusal::Resistance:
        return "Opór przepływu instalacji musi być dodatni – sprawdź długość kanału "
               "i współczynniki strat.";
    case Refusal::OutOfRange:
        return "Dane prowadzą do przepływu poza zakresem obliczeń – sprawdź prędkość "
               "wiatru i wymiary.";
    case Refusal::WeatherPressure:
        return "Ciśnienie baryczne musi być większe od zera.";
    case Refusal::WeatherTemperature:
        return "Temperatura musi być wyższa od −273 °C (zera bezwzględnego).";
    case Refusal::WeatherHumidity:
        return "Wilgotność względna jest za duża dla podanego ciśnienia i temperatury.";
    case Refusal::WeatherDensity:
        return "Z podanych parametrów nie wynika dodatnia gęstość powietrza – sprawdź "
               "temperaturę, ciśnienie i wilgotność.";
    case Refusal::DuctSides:
        return "Suma długości i szerokości kanału nie może być równa zeru – popraw "
               "wymiary kanału.";
    case Refusal::StackTemperature:
        return "Temperatury ti i te muszą być wyższe od −273.15 °C (zera bezwzględnego).";
    case Refusal::StackPressure:
        return "Ciśnienie ciągu grawitacyjnego Δps jest zbyt duże, by je obliczyć – sprawdź "
               "ti, te i H.";
    case Refusal::Underpressure:
        return "Podciśnienie w mieszkaniu pf nie może być ujemne – popraw pf.";
    default:
        return LimitText(refusal);
    }
    return {};
}
