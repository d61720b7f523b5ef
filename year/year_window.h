// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "files/outcome.h"
#include "project/weather_json.h"
#include "weather/hourly.h"
#include "weather/weather_source.h"
#include "weather/year_inputs.h"
#include "weather/year_run.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;
class YearCharts;

// "Praca w ciągu roku": how often the duct of the current calculation meets
// its need over a year of weather, for one model. The weather (an EPW file or
// a Weibull distribution), the site, the period, the need and H are typed
// here; everything is computed by weather/ (year_inputs, year_run,
// year_text). Non-modal. A file is read only when its name or the source
// changes; the rest is computed again on every change.
class YearWindow : public QWidget {
    Q_OBJECT
public:
    // `state` is the main window's calculation, read at each computation.
    explicit YearWindow(const CalcState& state, QWidget* parent = nullptr);

    // The weather loaded, the site and the period of the last accepted inputs.
    std::shared_ptr<const LoadedWeather> SharedWeather() const { return weather_; }
    Site CurrentSite() const { return site_; }
    WeatherPeriod CurrentPeriod() const { return period_; }

    // What a calculation file keeps: the last accepted setting, if any.
    std::optional<WeatherSetting> Setting() const { return setting_; }
    // Puts a kept setting into the fields (none: the defaults) and reads its
    // file; no change is reported as the user's.
    void RestoreSetting(const std::optional<WeatherSetting>& setting);
    // The pressure of a distribution's draught [Pa] (the weather dialog's, or
    // 101325 Pa with a typed density).
    void SetAmbientPressure(double pressure) { pressure_ = pressure; }
    // Before the window is shown: the current calculation's ventilator and
    // duct, then a computation.
    void Refresh();

    // "Oblicz": reads the file when its name changed, then computes.
    void Compute();
    // The lines shown; empty when nothing is computed.
    const std::vector<std::string>& Lines() const { return lines_; }
    YearCharts& Charts() const { return *charts_; }
    // The red message: the reason of a refused field or file; empty: none.
    QString Problem() const;

    Outcome Print(QPrinter& printer) const;
    Outcome SavePng(const QString& path) const;

signals:
    // The loaded weather, the site or the period changed.
    void WeatherChanged();
    // The user changed what a calculation file keeps.
    void Edited();

private:
    void BuildWeatherGroup(QWidget* box);
    void BuildSiteGroup(QWidget* box);
    void BuildPeriodGroup(QWidget* box);
    void BuildDuctGroup(QWidget* box);
    QWidget* BuildButtons();
    void ConnectChanges();
    YearInputTexts Texts() const;
    // Reads the inputs, loads the file when `load` (or when the source is a
    // distribution), and computes when a weather matches them.
    void Apply(bool load);
    bool LoadSource(const WeatherSource& source);
    void ShowOutcome(const YearInputs& inputs);
    void ShowProblem(const QString& problem);
    void KeepSetting(const YearInputs& inputs);
    void UpdateDefaults();
    void ChooseFile();
    void PrintOnChosenPrinter();
    void SavePngToChosenFile();

    const CalcState& state_;
    double pressure_ = kStackPressure;
    std::shared_ptr<const LoadedWeather> weather_;
    std::string keptPath_;     // the file a calculation file named
    std::string keptChecksum_; // its checksum kept there
    Site site_;
    WeatherPeriod period_;
    std::optional<WeatherSetting> setting_;
    std::vector<std::string> lines_;
    bool restoring_ = false;

    QRadioButton* fileRadio_ = nullptr;
    QRadioButton* distributionRadio_ = nullptr;
    QLineEdit* path_ = nullptr;
    QPushButton* chooseButton_ = nullptr;
    QComboBox* windKind_ = nullptr;
    QLineEdit* wind_ = nullptr;
    QLineEdit* shape_ = nullptr;
    QLineEdit* outside_ = nullptr;
    QLineEdit* inside_ = nullptr;
    QComboBox* stationTerrain_ = nullptr;
    QComboBox* buildingTerrain_ = nullptr;
    QLineEdit* ventilatorHeight_ = nullptr;
    QButtonGroup* periodButtons_ = nullptr;
    QRadioButton* wholeYear_ = nullptr;
    QRadioButton* heating_ = nullptr;
    QRadioButton* months_ = nullptr;
    QSpinBox* fromMonth_ = nullptr;
    QSpinBox* toMonth_ = nullptr;
    QLineEdit* need_ = nullptr;
    QLineEdit* draughtHeight_ = nullptr;
    QComboBox* model_ = nullptr;
    QLabel* problem_ = nullptr;
    QPlainTextEdit* results_ = nullptr;
    YearCharts* charts_ = nullptr;
};
