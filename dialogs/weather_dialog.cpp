// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/weather_dialog.h"

#include "calc/derived.h"
#include "calc/input_limits.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "dialogs/input_controls.h"

#include <QLineEdit>
#include <QPushButton>

WeatherDialog::WeatherDialog(CalcState& state, QWidget* parent)
    : ValueFileDialog(state, kObjectName, kValueFile, Text("Dobór parametrów "),
                      QRect(232, 170, 331, 277), parent)
{
    PlaceBevel(this, "Bevel1", QRect(8, 8, 315, 201));
    PlaceLabel(this, "Label1", "Proszę podać parametry do obliczenia gestości Ro", QPoint(16, 16));
    PlaceLabel(this, "Label2", "Temperatura [°C]", QPoint(16, 48));
    temperature_ = PlaceEdit(this, "Edit1", QPoint(192, 44));
    PlaceLabel(this, "Label3", "Ciśnienie baryczne [hPa]", QPoint(16, 80));
    pressure_ = PlaceEdit(this, "Edit2", QPoint(192, 76));
    PlaceLabel(this, "Label5", "Wilgotność względna [%]", QPoint(16, 112));
    humidity_ = PlaceEdit(this, "Edit3", QPoint(192, 108));
    PlaceLabel(this, "Label4", "Proszę podać parametry wiatru", QPoint(16, 148));
    PlaceLabel(this, "Label6", "Prędkość wiatru [m/s]", QPoint(16, 180));
    windSpeed_ = PlaceEdit(this, "Edit4", QPoint(192, 176));

    QPushButton* ok = PlaceButton(this, "OKBtn", "OK", QPoint(88, 219));
    ok->setDefault(true);
    QPushButton* cancel = PlaceButton(this, "Button1", "Anuluj", QPoint(168, 219));

    ChainFocus({temperature_, pressure_, humidity_, windSpeed_, ok, cancel});
    Finish(ok, cancel, {temperature_, pressure_, humidity_, windSpeed_});
}

std::int32_t WeatherDialog::Hectopascals() const
{
    return WholeField(pressure_);
}

void WeatherDialog::Accept()
{
    const std::int32_t temperature = WholeField(temperature_);
    const std::int32_t pressure = WholeField(pressure_);
    const std::int32_t humidity = WholeField(humidity_);
    const WeatherDensity air = AirDensityFromWeather(temperature, pressure, humidity);
    const double windSpeed = RealField(windSpeed_);
    if (Refused(this, CheckLimits({{Limited::Pressure, static_cast<double>(pressure)},
                                   {Limited::Humidity, static_cast<double>(humidity)}})) ||
        Refused(this, air.refusal) ||
        Refused(this,
                CheckLimits({{Limited::OutdoorTemperature, static_cast<double>(temperature)}})) ||
        Refused(this,
                CheckLimits({{Limited::AirDensity, air.density}, {Limited::WindSpeed, windSpeed}})))
        return;
    SaveValues({FormatWhole(temperature), FormatWhole(pressure), FormatWhole(humidity),
                FormatFixed(windSpeed, 1)});
    ApplyTypedAir(state_, air.density, windSpeed);
    accept();
}
