// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/refusal.h"
#include "calc/result.h"
#include "calc/stack_draught.h"
#include "weather/epw.h"
#include "weather/rest_flow.h"

#include <array>
#include <vector>

// A year of weather at the roof: every hour of a weather file is the
// program's own calculation of the wind and the gravity draught together,
// from rest (EvaluateStackPoint), on that hour's air:
//   the wind at the ventilator = the station's wind x the terrain's ratio,
//   te = the hour's dry-bulb temperature, ti and H those of the building,
//   Ro from the hour's temperature, station pressure and humidity (the
//   formula of the weather dialog, AirDensityFromMeasurement), and dps at the
//   hour's station pressure.

// The days of the year taken into account, both ends included; a period whose
// end comes before its start runs over the New Year.
struct WeatherPeriod {
    int fromMonth = 1;
    int fromDay = 1;
    int toMonth = 12;
    int toDay = 31;

    bool Contains(int month, int day) const;
    bool operator==(const WeatherPeriod&) const = default;
};

WeatherPeriod WholeYear();
// 1 October to 30 April.
WeatherPeriod HeatingSeason();
// The months from..to whole (1..12; to < from runs over the New Year).
Result<WeatherPeriod> MonthsPeriod(int fromMonth, int toMonth);

struct HourlyCase {
    // The duct, its grille and the installation; AirDensity and WindSpeed are
    // replaced by those of each hour.
    CalcState state;
    double inside = kDesignInsideTemperature; // ti [°C]
    double height = 0.0;                      // H [m] of the gravity draught
    double windRatio = 1.0;                   // TerrainWindRatio of the roof
    double need = 0.0;                        // the flow needed, Qh [m3/h]
    WeatherPeriod period;
};

enum class HourStatus {
    Flow,       // the air rises: flowPerHour
    NoDraught,  // no upward flow starts from rest (Qh counts as 0)
    OutOfRange, // the state reached from rest lies where |Cp| > 0.55: no number
    Refused,    // the hour's values are refused (see `refusal`)
    Missing,    // EPW's missing value in one of the hour's quantities
};

// One hour as the single calculation sees it: with the typed density
// `density`, the wind `wind`, ti, te = `outside` and H of the case, and dps at
// `pressure`, one run gives `flowPerHour`.
struct HourRow {
    int month = 1;
    int day = 1;
    int hour = 1;
    HourStatus status = HourStatus::Missing;
    Refusal refusal = Refusal::None;
    double density = 0.0;     // Ro [kg/m3]
    double wind = 0.0;        // at the ventilator [m/s]
    double outside = 0.0;     // te [°C]
    double pressure = 0.0;    // [Pa]
    double flowPerHour = 0.0; // Qh [m3/h] when status is Flow
};

struct MonthShare {
    int hours = 0;      // hours of the month within the period with a result
    int meeting = 0;    // of them those that meet the need
    double share = 0.0; // meeting / hours, 0 without hours
};

struct HourlySummary {
    int periodHours = 0;     // hours of the period in the file
    int computedHours = 0;   // Flow, NoDraught and OutOfRange
    int meetingHours = 0;    // Flow with Qh >= need
    int noFlowHours = 0;     // NoDraught
    int outOfRangeHours = 0; // OutOfRange
    int missingHours = 0;    // Missing
    int refusedHours = 0;    // Refused
    double share = 0.0;      // meetingHours / computedHours, 0 without any
    // The flow reached or exceeded in at least 50 % and 90 % of the hours of
    // the duration curve: its value at place ceil(p n) of n.
    double flowExceeded50 = 0.0;
    double flowExceeded90 = 0.0;
    std::array<MonthShare, 12> months{}; // January first
    int worstMonth = 0;                  // 1..12 the lowest share with hours; 0: none
    // Qh of every Flow and NoDraught (0) hour of the period, descending.
    std::vector<double> durationCurve;
};

// Refuses a case that no hour could be computed on: the state's duct and
// installation (CheckInputs, the bounds), ti, H, the ratio or the need.
Refusal CheckHourlyCase(const HourlyCase& hourlyCase);

// One hour by the plain calculation: EvaluateStackPoint on a copy of the state.
HourRow EvaluateHour(const HourlyCase& hourlyCase, const VentilatorModel& model,
                     const WeatherHour& hour);

// Every hour of the period, in the order of the file.
std::vector<HourRow> ListHours(const HourlyCase& hourlyCase, const VentilatorModel& model,
                               const WeatherYear& year);

// The summary of listed hours against the need [m3/h].
HourlySummary SummarizeHours(const std::vector<HourRow>& rows, double need);

// The plain loop: ListHours then SummarizeHours. The reference of the fast one.
Result<HourlySummary> EvaluateYearPlain(const HourlyCase& hourlyCase, const VentilatorModel& model,
                                        const WeatherYear& year);

// What every model shares of a case's hours (their density, wind and dps),
// computed once; EvaluateModel then gives the same summary as
// EvaluateYearPlain, bit for bit, for any model.
class HourlyYear {
public:
    static Result<HourlyYear> Prepare(const HourlyCase& hourlyCase, const WeatherYear& year);
    HourlySummary EvaluateModel(const VentilatorModel& model) const;
    // The share of the summary of another duct on the same hours (the same
    // ti, H, ratio and period), its state and need in place of the case's,
    // refused as Prepare refuses them: the share of EvaluateModel on that
    // duct's case, bit for bit. Each hour's flow is followed only until its
    // verdict on the need is sure.
    Result<double> DuctShare(const CalcState& state, double need,
                             const VentilatorModel& model) const;
    // All 27 catalogue models, position 0 model 1.
    std::array<HourlySummary, kVentilatorCount> EvaluateAllModels() const;

    struct Hour {
        int month = 1;
        HourStatus status = HourStatus::Flow; // Flow: still to compute; Refused or Missing
        Refusal refusal = Refusal::None;
        double density = 0.0;
        double wind = 0.0;
        double stackPressure = 0.0;
    };

private:
    // The hours still to compute of a model, as queries of FlowsFromRest.
    template <class Take, class Refuse>
    void EachQuery(const CalcState& state, const VentilatorModel& model, Take take,
                   Refuse refuse) const;

    HourlyCase case_;
    std::vector<Hour> hours_;   // those of the period
    double leastDensity_ = 0.0; // of the hours to compute
    double strongestWind_ = 0.0;
};

// Evaluates one model on every hour of the period, fast.
Result<HourlySummary> EvaluateYear(const HourlyCase& hourlyCase, const VentilatorModel& model,
                                   const WeatherYear& year);
