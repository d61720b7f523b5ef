// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/operating_point.h"
#include "calc/result.h"
#include "calc/stack_draught.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Choosing a ventilator by the flow the designer needs: which models reach it,
// which one to suggest and at what wind each would reach it. Plain C++.

// The needed flow Qh [m3/h] typed in a field: empty (or blanks only) means no
// need. Otherwise the text must be entirely a number by the command line's
// strict rule, with a decimal comma allowed, and positive.
// The value is 0 when no need is set; a refused text fails with the reason.
Result<double> ReadNeededFlow(std::string_view text);
// The value alone; 0 when empty or refused.
double NeededFlowFromField(std::string_view text);

// A field of a window holding a real number: entirely a number in the C form
// ("1.2", "-3", "4e-1", also "1,2"), blanks around it allowed; no text after
// it, no "nan", "inf" or hexadecimal, within the range of double.
std::optional<double> StrictFieldNumber(std::string_view text);

// Whether a model's operating point gives at least the needed flow [m3/h].
bool ReachesNeed(const OperatingPoint& point, double neededFlowPerHour);

// How a model's nominal diameter Dn meets the duct's diameter D, by the same
// comparison that chooses the transition loss.
enum class DuctFit { Narrower, Equal, Wider };
DuctFit FitToDuct(double nominalDiameter, double ductDiameter);
// "węższy", "równy", "szerszy".
std::string_view DuctFitText(DuctFit fit);

// The wind speeds searched for a need: 0 to NeedWindLimit of the current wind
// in steps of 0.1 m/s; the wind chart of the comparison spans the same.
inline constexpr double kNeedWindStep = 0.1;
inline constexpr double kNeedWindLeast = 15.0;
inline constexpr double kNeedWindMost = 150.0;
// max(15, 1.5 v) [m/s], rounded up to a whole step, at most 150 (a storm
// beyond it is searched no further); 15 for a wind that is not finite.
double NeedWindLimit(double windSpeed);
// The number of steps from 0 to NeedWindLimit.
int NeedWindSteps(double windSpeed);

// The flows Qh [m3/h] of a model at the wind speeds i * kNeedWindStep,
// i = 0..NeedWindSteps(state.WindSpeed) (each on a copy of the state with
// WindSpeed replaced), by the wind alone or, given `stack`, with the gravity
// draught; negative where there is no operating point. They do not depend on
// the need, so one sweep serves every need typed.
std::vector<double> NeedWindFlows(const CalcState& state, const VentilatorModel& model,
                                  const StackConditions* stack = nullptr);

// A run of searched wind speeds, by step number, at which a model reaches the need.
struct WindRange {
    int first = 0;
    int last = 0;
};
// The runs of NeedWindFlows that reach the need, lowest first; none without a need.
std::vector<WindRange> WindsReachingNeed(const std::vector<double>& flows,
                                         double neededFlowPerHour);
// The lowest of them [m/s]; negative when there is none.
double LowestWind(const std::vector<WindRange>& ranges);
// "≥ 2.4" for a run up to the last searched step (`steps`), "8.2–13.3" for
// another, runs joined by ", "; "–" when there is none.
std::string WindRangesText(const std::vector<WindRange>& ranges, int steps);

// One candidate of a suggestion: a catalogue number 1..27 and its point.
struct Candidate {
    int number = 0;
    OperatingPoint point;
    double needWind = -1.0; // LowestWind; negative: none
};

// The suggested model: of those that reach the need, the one with the
// smallest nominal diameter, then the lowest Qh, then the lowest number.
// 0 when no need is set or none reaches it.
int SuggestVentilator(const std::vector<Candidate>& candidates, double neededFlowPerHour);

// The one line that says which model is suggested and why, or that none
// reaches the need at the current wind and which one reaches it at the lowest
// wind; empty when no need is set.
std::string SuggestionText(const std::vector<Candidate>& candidates, double neededFlowPerHour,
                           double windSpeed);
