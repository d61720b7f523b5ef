// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/result.h"
#include "calc/stack_draught.h"
#include "compare/comparison_rows.h"
#include "weather/weather_source.h"
#include "weather/year_run.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The column "Godziny spełnienia [%]" of the comparison with a year of
// weather, and the suggestion by it: the window and the command line fill it
// the same way. Plain C++.

// The share of hours the suggestion asks for when the field is empty [%].
inline constexpr double kDefaultYearSharePercent = 90.0;

// The field "Udział godzin [%]": empty (or blanks) is the default 90; else
// entirely a number by the strict rule of the other fields (a decimal comma
// allowed) from 0 to 100, refused with the Polish reason.
Result<double> ReadYearShare(std::string_view text);

// What the column is computed for: the duct of the state, the need, where the
// ventilator stands and which days count; H and, for the weather, ti (and te
// of a distribution) from the gravity draught when it is on, as --stack gives
// them to the command line, else H the duct length L and the source's own
// temperatures. `pressure` is dps's of a distribution [Pa].
struct YearColumnInputs {
    std::shared_ptr<const LoadedWeather> weather;
    CalcState state;
    const StackConditions* draught = nullptr;
    double need = 0.0;
    double pressure = kStackPressure;
    Site site;
    WeatherPeriod period;
};

// The shares of the outcomes (position 0 model 1) in the rows' yearShare.
void SetYearShares(std::vector<ComparisonRow>& rows, const std::vector<YearOutcome>& outcomes);

// The suggestion by the year: of the models whose share reaches `leastPercent`,
// the one SuggestVentilator's order puts first (the smallest Dn, then the
// lowest Qh, a model without an operating point after those with one, then the
// lowest number). Marks it suggested (and no other row); 0 when none.
int SuggestByYear(std::vector<ComparisonRow>& rows, double leastPercent);

// The line of that suggestion, or that no model meets the need in that share
// and which one meets it most often; empty without a need. `distribution`:
// a share of time, not of the hours of the period.
std::string YearSuggestionText(const std::vector<ComparisonRow>& rows, double need,
                               double leastPercent, bool distribution);

// The outcome of EvaluateYearAllModels for the inputs, kept and computed anew
// only when something it depends on changed: the weather, the site, the
// period, the duct, H, ti (te), the pressure or the need. The model chosen,
// the wind of the single calculation and the share asked for do not count.
class YearColumnCache {
public:
    // Whether Outcomes would give the kept outcome without computing.
    bool Holds(const YearColumnInputs& inputs) const;
    const Result<std::vector<YearOutcome>>& Outcomes(const YearColumnInputs& inputs);
    // The weather and the question of the last Outcomes (YearConditionLines).
    const LoadedWeather& Weather() const { return *used_; }
    const YearQuestion& Question() const { return question_; }
    // How many times Outcomes computed.
    int Computations() const { return computations_; }

private:
    struct Key {
        const LoadedWeather* weather = nullptr;
        CalcState state;
        double inside = 0.0;
        double outside = 0.0;
        double height = 0.0;
        double need = 0.0;
        double pressure = 0.0;
        Site site;
        std::array<int, 4> period{};
        bool operator==(const Key&) const = default;
    };
    static Key KeyOf(const YearColumnInputs& inputs);

    bool valid_ = false;
    Key key_;
    std::shared_ptr<const LoadedWeather> weather_; // keeps key_.weather alive
    std::shared_ptr<const LoadedWeather> used_;    // with the draught's ti, te
    YearQuestion question_;
    Result<std::vector<YearOutcome>> outcomes_{Failure{}};
    int computations_ = 0;
};
