// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/flat_balance.h"
#include "calc/operating_point.h"
#include "calc/refusal.h"
#include "calc/result.h"
#include "calc/stack_draught.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The schedule of exhaust ducts ("Zestawienie przewodów"): every duct of a
// building, each from its own storey to the roof. The duct of storey k runs
// through N - k + 1 storeys and is the building installation with that many
// storeys (L = storeys x h, the same grille loss): the inputs that the dialogs
// would write, computed without wind with the gravity draught, at the design
// wind (the ordinary calculation) and with both.

// The room types with their minimum exhaust flows, PN-83/B-03430 with its
// amendment of 2000. Row 0 of a schedule's room is the need typed by hand.
struct RoomType {
    std::string_view caption; // as the window and the printout show it
    double flowPerHour;       // [m3/h]
};
inline constexpr int kRoomTypeCount = 8;
extern const std::array<RoomType, kRoomTypeCount> kRoomTypes;
inline constexpr std::string_view kTypedNeedCaption = "Wydajność podana";

// The conditions on which the verdict and the suggestion are made: the first
// three are operating points, each row computed on each of them; Year is the
// share of a period of weather in which the row meets its need (computed by
// weather/schedule_year.h, the rows' points then on WindStack).
enum class ScheduleCondition { Calm, Wind, WindStack, Year };
inline constexpr int kScheduleConditionCount = 3; // the operating points
inline constexpr int kScheduleVerdictCount = 4;   // with the year
// "bez wiatru – sam ciąg grawitacyjny", "wiatr obliczeniowy", "wiatr + ciąg
// grawitacyjny", "rok": the comparison window's names, the schedule's one home.
std::string_view ConditionText(ScheduleCondition condition);
// The operating point a verdict's condition stands on: Year on WindStack.
ScheduleCondition PointCondition(ScheduleCondition condition);
// The period of the year condition as the command line's --period writes it:
// "year", "heating" or "M1-M2" (months 1..12); whether a text is one.
bool IsYearPeriodText(std::string_view text);
inline constexpr double kYearShareDefault = 90.0; // [%]
// The verdict's condition in words: ConditionText, and on the year its
// period and share: "rok – sezon grzewczy (1.10–30.04), co najmniej 90 % godzin".
struct ScheduleBuilding;
std::string VerdictConditionText(const ScheduleBuilding& building);

enum class ScheduleGrille { Rectangular, Round, Adjustable };

// What every row shares.
struct ScheduleBuilding {
    bool densityTyped = true;
    double density = 1.2;          // Ro [kg/m3], typed
    std::int32_t temperature = 20; // [°C], [hPa], [%]: the weather data
    std::int32_t pressure = 1013;
    std::int32_t humidity = 50;
    double windSpeed = 4.0; // design wind v [m/s]
    std::int32_t storeys = 5;
    double storeyHeight = 3.0;                             // h [m]
    double inside = kDesignInsideTemperature;              // ti [°C]
    double outside = kDesignOutsideTemperature;            // te [°C]
    ScheduleCondition condition = ScheduleCondition::Calm; // of the verdict
    bool oneModelPerRiser = false;        // "jeden model w pionie" (calc/schedule_risers.h)
    std::string yearPeriod = "year";      // Year: IsYearPeriodText
    double yearShare = kYearShareDefault; // Year: the share to reach [%]
    bool operator==(const ScheduleBuilding&) const = default;
};

// One duct.
struct ScheduleRow {
    std::string label;
    std::int32_t storey = 1; // k, 1 the lowest
    int room = 1;            // 1..8 a room type, 0 the need typed
    double typedNeed = 0.0;  // [m3/h], when room is 0
    bool roundDuct = true;
    double diameter = 0.16; // [m]
    double sideA = 0.14;    // rectangular duct [m]
    double sideB = 0.14;
    int material = 1; // 1..6, the order of the material dialog
    ScheduleGrille grille = ScheduleGrille::Rectangular;
    double grilleHeight = 0.14; // rectangular grille [m]
    double grilleWidth = 0.14;
    double grilleDiameter = 0.125; // round fixed grille [m]
    double grilleLoss = 2.0;       // fixed grilles
    int adjustable = 3;            // 1..5, the adjustable grille
    std::int32_t opening = 10;     // its turns
    int model = 0;                 // 1..27, 0: "dobierz"
    std::string flat; // "M1": with the rows of that flat on its storey; empty: open room
    bool operator==(const ScheduleRow&) const = default;
};

struct Schedule {
    ScheduleBuilding building;
    std::vector<ScheduleRow> rows;
    std::vector<FlatSupply> flats; // each flat's supply, by label and storey
    bool operator==(const Schedule&) const = default;
};

// The flow a row needs [m3/h]: its room type's, or the one typed.
double RowNeed(const ScheduleRow& row);

// The storeys the duct of a row runs through: N - k + 1.
std::int32_t RowStoreys(const ScheduleBuilding& building, const ScheduleRow& row);

// The calculation state of a row at the design wind, as the dialogs write it,
// with the row's model (none for "dobierz"). `computable` fails, with the
// Polish reason, when the row cannot be calculated: CheckScheduleBuilding and
// CheckScheduleRow (calc/schedule_limits.h), then what a single run on the
// row's options refuses (CheckCalculationInputs, CheckStackConditions). The
// state then holds what could be written, which a selection sheet shows.
struct RowInputs {
    CalcState state;
    StackConditions stack; // ti, te and H = the duct's length
    Outcome computable;
};
RowInputs BuildRowInputs(const ScheduleBuilding& building, const ScheduleRow& row);

// The options of one run of the command-line calculator that reproduce the
// row's design-wind calculation with `model` (1..27), and the value of its
// --stack option "TI,TE,H". ConditionOptions: the run of one condition, with
// --underpressure PF where the row is in a flat.
std::vector<std::string> RowOptions(const ScheduleBuilding& building, const ScheduleRow& row,
                                    int model);
std::string RowStackOption(const RowInputs& inputs);
std::vector<std::string> ConditionOptions(const ScheduleBuilding& building, const ScheduleRow& row,
                                          const RowInputs& inputs, int model,
                                          ScheduleCondition condition, double underpressure);

// The year condition's reason when the schedule has no weather.
inline constexpr std::string_view kNoWeatherReason = "brak danych pogodowych";

// One condition's result: the point, or the reason why there is none.
struct ConditionResult {
    OperatingPoint point;
    std::string reason;
    double underpressure = 0.0; // pf of the row's flat [Pa]; 0 in an open room
    bool backdraught = false;   // in a flat: dps - pf starts no upward flow
    bool Found() const { return point.status == OperatingPointStatus::Found; }
};

// A model on a row under one condition: EvaluateCondition in an open room,
// EvaluateInFlat in a flat at the underpressure pf [Pa], the wind + stack
// point from rest with dps - pf (dps = 0 for the design wind alone).
ConditionResult EvaluateCondition(const RowInputs& inputs, const VentilatorModel& model,
                                  ScheduleCondition condition);
ConditionResult EvaluateInFlat(const RowInputs& inputs, const VentilatorModel& model,
                               ScheduleCondition condition, double underpressure);
// The driving conditions of a row in a flat under one condition (pf = 0).
StackConditions FlatStackConditions(const RowInputs& inputs, ScheduleCondition condition);

struct RowResult {
    Outcome computed; // failed: the row cannot be computed, nothing below is valid
    RowInputs inputs;
    double need = 0.0;
    // The row's own model; for "dobierz" the suggestion or, when no model meets
    // the need, the one that comes nearest (the most flow); 0: none.
    int model = 0;
    std::array<ConditionResult, kScheduleConditionCount> results; // of `model`, by condition
    bool meets = false;       // `model` meets the need on the building's condition
    bool backdraught = false; // in a flat, on the building's condition: "ciąg wsteczny"
    int suggested = 0;        // when asked for or the model fails; 0: none or not needed
    std::string note;         // the suggestion, or which condition no model meets
    // The year condition: the verdict is on the share, 0..1 of `model` over
    // the period; without a weather, or when it cannot be computed, the reason.
    bool yearVerdict = false;
    Result<double> yearShare{Failure{}};
    const ConditionResult& Of(ScheduleCondition c) const
    {
        return results[static_cast<std::size_t>(c)];
    }
};

struct ScheduleSummary {
    std::size_t ducts = 0;
    std::vector<std::size_t> failing; // rows that do not meet their need
    std::vector<std::size_t> unknown; // the year condition without a share
    // The bill: how many of each model, by position, on ducts that meet their
    // need; and the models named for failing ducts, to be verified.
    std::array<int, kVentilatorCount> models{};
    std::array<int, kVentilatorCount> toVerify{};
};

// One flat of the schedule: its rows and, by condition, its balance.
struct FlatResult {
    std::size_t supply = 0;        // in Schedule::flats
    std::vector<std::size_t> rows; // its ducts
    Outcome computed;              // failed: the flat's values cannot be computed
    std::array<FlatBalance, kScheduleConditionCount> balance{};
    InletsNeeded needed;
    std::string neededText; // the inlets needed, or why inlets cannot help
};

struct ScheduleResult {
    std::vector<RowResult> rows;
    std::vector<FlatResult> flats;
    ScheduleSummary summary;
};

// A verdict on the design wind when no wind is given (v = 0) means nothing:
// such a row gets no model and says so in its note.
RowResult ComputeRow(const ScheduleBuilding& building, const ScheduleRow& row);
ScheduleSummary Summarize(const std::vector<RowResult>& rows);
// The catalogue positions in the order "dobierz" tries them: by nominal
// diameter, then by number.
const std::array<int, kVentilatorCount>& ModelsByDiameter();
// `model` (1..27) on a computed row: its points on the three conditions, and
// whether it meets the need on `condition`'s point.
void SetRowModel(RowResult& row, int model, ScheduleCondition condition);
ScheduleResult ComputeSchedule(const Schedule& schedule);

// The lines below the table: the count, the failing ducts with their storeys,
// the bill of materials and the models to verify.
std::vector<std::string> SummaryLines(const Schedule& schedule, const ScheduleResult& result);

// The lines of the flats (balance, pf, inflow, inlets needed) and the
// backdraught warnings; the dangers (a gas kitchen in backdraught) come first
// in DangerLines, which the window shows in red.
std::vector<std::string> FlatLines(const Schedule& schedule, const ScheduleResult& result);
std::vector<std::string> DangerLines(const Schedule& schedule, const ScheduleResult& result);

// The balance of every flat, on the rows computed in an open room.
void ApplyFlats(const Schedule& schedule, ScheduleResult& result);

// "Dodaj pion": the row repeated on every storey 1..N, labelled "<label> k<k>";
// a riser in flats names each storey's flat after the storey ("M<k>").
std::vector<ScheduleRow> RiserRows(const ScheduleBuilding& building, const ScheduleRow& row);
std::string StoreyFlat(std::int32_t storey);
// The riser's rows in the flats named after their storeys, and the flats that
// `schedule` lacks for them (two inlets of 30 m3/h at 10 Pa each).
std::vector<ScheduleRow> RiserInFlats(const ScheduleBuilding& building, const ScheduleRow& row);
std::vector<FlatSupply> MissingFlats(const Schedule& schedule,
                                     const std::vector<ScheduleRow>& rows);

// A 5-storey block of flats with a kitchen, a bathroom and a WC riser.
Schedule ScheduleTemplate();

// The shortest text that reads back as exactly the same double ("0.16").
std::string ExactNumber(double value);
