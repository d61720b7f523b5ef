#include "dialogs/dialog1.h"

#include "calc/derived.h"
#include "calc/input_limits.h"
#include "calc/inputs.h"
#include "calc/number_format.h"
#include "dialogs/input_controls.h"
#include "dialogs/valuefile.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr const char* kValueFile = "dialog1.sav";
}

TForm3::TForm3(CalcState& state, QWidget* parent)
    : FormWindow(Text("Dobór parametrów "), QRect(232, 170, 331, 277), parent)
    , state_(state)
{
    PlaceBevel(this, "Bevel1", QRect(8, 8, 315, 201));
    PlaceLabel(this, "Label1", "Proszę podać parametry do obliczenia gestości Ro", QPoint(16, 16));
    PlaceLabel(this, "Label2", "Temperatura [°C]", QPoint(16, 48));
    edit1_ = PlaceEdit(this, "Edit1", QPoint(192, 44));
    PlaceLabel(this, "Label3", "Ciśnienie baryczne [hPa]", QPoint(16, 80));
    edit2_ = PlaceEdit(this, "Edit2", QPoint(192, 76));
    PlaceLabel(this, "Label5", "Wilgotność względna [%]", QPoint(16, 112));
    edit3_ = PlaceEdit(this, "Edit3", QPoint(192, 108));
    PlaceLabel(this, "Label4", "Proszę podać parametry wiatru", QPoint(16, 148));
    PlaceLabel(this, "Label6", "Prędkość wiatru [m/s]", QPoint(16, 180));
    edit4_ = PlaceEdit(this, "Edit4", QPoint(192, 176));

    QPushButton* ok = PlaceButton(this, "OKBtn", "OK", QPoint(88, 228));
    ok->setDefault(true);
    QPushButton* button1 = PlaceButton(this, "Button1", "Anuluj", QPoint(168, 228));

    ChainFocus({edit1_, edit2_, edit3_, edit4_, ok, button1});
    connect(ok, &QPushButton::clicked, this, &TForm3::OKBtnClick);
    connect(button1, &QPushButton::clicked, this, &TForm3::Button1Click);

    valueFile_ = new DialogValueFile(kValueFile, this);
    valueFile_->Load({edit1_, edit2_, edit3_, edit4_});
}

void TForm3::OKBtnClick()
{
    const std::int32_t temperature = WholeField(edit1_);
    const std::int32_t pressure = WholeField(edit2_);
    const std::int32_t humidity = WholeField(edit3_);
    const WeatherDensity air = AirDensityFromWeather(temperature, pressure, humidity);
    const double windSpeed = RealField(edit4_);
    if (Refused(this, CheckLimits({{Limited::Pressure, static_cast<double>(pressure)},
                                   {Limited::Humidity, static_cast<double>(humidity)}})) ||
        Refused(this, air.refusal) ||
        Refused(this,
                CheckLimits({{Limited::AirDensity, air.density}, {Limited::WindSpeed, windSpeed}})))
        return;
    state_.WindSpeed = windSpeed;
    valueFile_->Save({FormatWhole(temperature), FormatWhole(pressure), FormatWhole(humidity),
                      FormatFixed(windSpeed, 1)});
    state_.AirDensity = air.density; // computed after the file is written
    accept();
}

void TForm3::Button1Click()
{
    reject();
}
