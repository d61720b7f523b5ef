// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/schedule.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The schedule as a sheet of typed texts: every input cell of a row and every
// field of the building is read by the program's strict number rule (a decimal
// comma counts) and by the bounds of calc/input_limits. A refused text stays
// where it was typed, with its Polish reason, and its row is not computed.
// Plain C++.

// The columns of the schedule's table, in the order the window shows them.
enum class SheetColumn {
    Label,
    Storey,
    Flat,
    Room,
    Need,
    Diameter,
    Sides,
    Material,
    GrilleKind,
    GrilleSize,
    GrilleLoss,
    Ventilator,
    Length,
    Calm,
    Wind,
    WindStack,
    Underpressure,
    YearShare,
    Verdict,
    Note,
};
inline constexpr int kSheetColumnCount = 20;

// The header of a column, with its unit ("Średnica D [m]").
std::string_view SheetHeader(SheetColumn column);
// Whether the user types the column (Label..Ventilator) or it is computed.
bool IsInputColumn(SheetColumn column);
// Whether the cell of the row can be typed: an input column, except the loss
// of an adjustable grille (computed from its turns).
bool IsCellEditable(const ScheduleRow& row, SheetColumn column);

// Why a cell's text is no number: "„cztery” nie jest liczbą – wpisz liczbę,
// np. 0,16 lub 0.16." (or that the cell is empty).
std::string NotANumberReason(std::string_view text);

// The text of an input cell as the table shows it and reads it back.
std::string CellText(const ScheduleRow& row, SheetColumn column);

// The captions the lists of the table offer.
std::string RoomChoice(int room);           // 0 the need typed, 1..8 the room types
std::string GrilleChoice(int choice);       // 0 rect, 1 round, 2..6 the adjustable ones
std::string VentilatorChoice(int model);    // 0 "dobierz", 1..27
int GrilleChoiceOf(const ScheduleRow& row); // the position of the row's grille

// What a typed text makes of a cell: the row with the value, or the reason
// why the text is refused.
struct CellRead {
    ScheduleRow row;
    std::string reason; // not empty: refused
};
// `millimetres`: a duct or grille size above 2 m is read as millimetres.
CellRead ReadCell(const ScheduleRow& row, SheetColumn column, std::string_view text,
                  std::int32_t storeys, bool millimetres);

// A duct or grille size above 2 m is probably millimetres: the question
// ("Czy chodziło o milimetry? 140 mm = 0,140 m"); empty when there is none.
std::string MillimetreQuestion(const ScheduleRow& row, SheetColumn column, std::string_view text);

// A text refused in a cell, kept as typed.
struct RefusedCell {
    SheetColumn column;
    std::string text;
    std::string reason;
    bool operator==(const RefusedCell&) const = default;
};

// One row of the sheet: the values last accepted and the texts refused.
struct SheetRow {
    ScheduleRow row;
    std::vector<RefusedCell> refused;
    const RefusedCell* Refused(SheetColumn column) const;
    bool operator==(const SheetRow&) const = default;
};

// The text typed into a cell: accepted (the cell's refusal cleared, and the
// refusals of the cells that depend on it read again) or kept refused.
SheetRow TypeCell(const SheetRow& row, SheetColumn column, std::string_view text,
                  std::int32_t storeys, bool millimetres);

// Why the row is not computed: each refused cell with its column; empty when
// none is refused.
std::string RefusalProblem(const SheetRow& row);

// "Dodaj pion": the row on every storey 1..N with its refusals, except those
// of the storey and the label, which the riser sets.
std::vector<SheetRow> RiserSheetRows(const ScheduleBuilding& building, const SheetRow& row);
