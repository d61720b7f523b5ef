#pragma once

#include "calc/calc_state.h"
#include "calc/catalogue.h"
#include "calc/operating_point.h"
#include "calc/stack_draught.h"

#include <string>
#include <string_view>
#include <vector>

// Choosing a ventilator by the flow the designer needs: which models reach it,
// which one to suggest and at what wind each would reach it. Plain C++.

// The needed flow Qh [m3/h] typed in a field, read as the dialogs read reals
// (a decimal comma is accepted). An empty text, a value that is not positive
// or not finite means that no need is set: 0.
double NeededFlowFromField(std::string_view text);

// Whether a model's operating point gives at least the needed flow [m3/h].
bool ReachesNeed(const OperatingPoint& point, double neededFlowPerHour);

// How a model's nominal diameter Dn meets the duct's diameter D, by the same
// comparison that chooses the transition loss.
enum class DuctFit { Narrower, Equal, Wider };
DuctFit FitToDuct(double nominalDiameter, double ductDiameter);
// "węższy", "równy", "szerszy".
std::string_view DuctFitText(DuctFit fit);

// The wind speeds searched for the lowest wind that reaches a need: 0 to
// 15 m/s in steps of 0.1 m/s.
inline constexpr int kNeedWindSteps = 150;
inline constexpr double kNeedWindStep = 0.1;

// The lowest of those wind speeds at which the model reaches the need on the
// inputs of the state (each on a copy with WindSpeed replaced), by the wind
// alone or, given `stack`, with the gravity draught; a negative value when it
// reaches it at none of them or no need is set.
double LowestWindForNeed(const CalcState& state, const VentilatorModel& model,
                         double neededFlowPerHour, const StackConditions* stack = nullptr);

// One candidate of a suggestion: a catalogue number 1..27 and its point.
struct Candidate {
    int number = 0;
    OperatingPoint point;
    double needWind = -1.0; // LowestWindForNeed; negative: none
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
