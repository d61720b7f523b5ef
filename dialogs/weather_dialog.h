// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/value_file_dialog.h"

class QLineEdit;

// Step 2 of the calculation wizard when the density comes from the weather.
// "Dobór parametrów ": temperature, barometric pressure and relative humidity,
// from which the air density is computed, and the wind speed. Remembers them
// in "dialog1.sav". Weather data that give no density are refused.
class WeatherDialog : public ValueFileDialog<FormWindow> {
    Q_OBJECT
public:
    // The designer's name, under which .wyw files keep the controls, and the
    // file of the remembered values in the working directory.
    static constexpr const char* kObjectName = "Form3";
    static constexpr const char* kValueFile = "dialog1.sav";

    explicit WeatherDialog(CalcState& state, QWidget* parent = nullptr);

    // The barometric pressure [hPa] its field holds.
    std::int32_t Hectopascals() const;

private:
    void Accept() override;

    QLineEdit* temperature_;
    QLineEdit* pressure_;
    QLineEdit* humidity_;
    QLineEdit* windSpeed_;
};
