// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_state.h"
#include "calc/result.h"
#include "calc/schedule.h"
#include "calc/stack_draught.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The selection sheet ("Karta doboru wywietrznika"): one duct and its
// ventilator on one page, as a designer hands it in. Here its texts, plain
// C++; the page is painted by compare/sheet_pdf.h.

// Where the gravity draught's ti, te and H of a sheet come from, as the sheet
// says it.
inline constexpr std::string_view kStackFromDefaults =
    "wartości domyślne: ti = 20 °C, te = 12 °C, H = długość przewodu L";
inline constexpr std::string_view kStackFromComparison =
    "z ustawień „Ciąg grawitacyjny” okna porównania";
inline constexpr std::string_view kStackFromOption = "z opcji --stack";
inline constexpr std::string_view kStackFromSchedule =
    "z danych budynku w zestawieniu, H = długość przewodu";

// What one sheet is made of: the inputs at the design wind with the model,
// the draught, the need, the three conditions' results and the names typed.
struct SheetCase {
    CalcState state; // with VentilatorIndex and VentilatorName of `model`
    int model = 0;   // 1..27; 0: none chosen (the sheet then has no results)
    StackConditions stack;
    std::string stackSource{kStackFromDefaults};
    std::optional<double> need;                                   // Qh [m3/h]
    std::string needSource;                                       // "kuchnia z oknem…", or empty
    ScheduleCondition verdictCondition = ScheduleCondition::Wind; // of the verdict
    std::array<ConditionResult, kScheduleConditionCount> results; // by ScheduleCondition
    Outcome computed;    // failed: the data cannot be calculated, nothing above is valid
    std::string verdict; // a schedule row's own verdict; empty: judged by `need`
    std::string note;    // a schedule row's remark
    std::string project; // "Projekt", as typed
    std::string duct;    // "Przewód", as typed (a schedule row: its label)
    std::string storey;  // a schedule row: "3 z 5"
    std::string date;    // "2026-12-08"
    std::string version; // the program's version
};

// The case of a single calculation with `model`: the three conditions computed
// as the schedule and the command line compute them (EvaluateCondition).
// `setByUser`: the draught was set by the user (the comparison's group,
// --stack), so the verdict is on the wind with it, else on the design wind.
SheetCase CalculationSheetCase(const CalcState& state, int model, const StackConditions& stack,
                               std::string_view stackSource, bool setByUser,
                               std::optional<double> need);

// The case of row `index` of a computed schedule.
SheetCase ScheduleSheetCase(const Schedule& schedule, const ScheduleResult& result,
                            std::size_t index);

// A table of texts: the header and the rows; a row whose cells after the
// second are all empty shows its second cell across them (a reason).
struct SheetTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// The texts of one sheet, in the order of the page.
struct SelectionSheet {
    std::string title;                // "Karta doboru wywietrznika"
    std::vector<std::string> heading; // the program, the date, the project, the duct
    std::string ventilator;           // "Wywietrznik: KALMO-160 (nr 5)"
    int model = 0;                    // whose picture and charts the page shows; 0: none
    std::vector<std::string> inputs;  // as the report lists them, with units
    SheetTable results;               // Q, Qh, DPsw, c by condition
    std::vector<std::string> notes;   // the draught used, other operating points, pf
    std::string chartsTitle;          // what the charts show
    std::vector<std::string> assumptions;
    std::vector<std::string> verdict; // the need, the condition and the verdict
};

SelectionSheet BuildSelectionSheet(const SheetCase& sheetCase);

// The method's assumptions, one sentence a line, with the draught's
// temperatures and height and where they come from.
std::vector<std::string> MethodAssumptionLines(const StackConditions& stack,
                                               std::string_view stackSource);

// The first page of the sheets of a schedule: one row per duct (label,
// storey, model, verdict, page), the sheets numbered from page 2.
std::string SheetIndexTitle();
SheetTable SheetIndex(const Schedule& schedule, const ScheduleResult& result);
