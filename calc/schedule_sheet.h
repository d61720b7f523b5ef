// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/result.h"
#include "calc/schedule_cells.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// The building's fields as typed, and blocks of cells written at once (paste
// and fill down), checked whole. Plain C++.

enum class BuildingField {
    Density,
    Temperature,
    Pressure,
    Humidity,
    Wind,
    Storeys,
    StoreyHeight,
    Inside,
    Outside,
    YearPeriod, // the year condition's period: year, heating or M1-M2
    YearShare,  // and its share to reach [%]
};
inline constexpr int kBuildingFieldCount = 11;

// "Wiatr obliczeniowy v [m/s]".
std::string_view BuildingFieldCaption(BuildingField field);

// The building as the user typed it.
struct BuildingEntry {
    bool densityTyped = true;
    std::array<std::string, kBuildingFieldCount> texts;
    ScheduleCondition condition = ScheduleCondition::Calm;
    bool oneModelPerRiser = false;
    const std::string& Text(BuildingField f) const { return texts[static_cast<std::size_t>(f)]; }
    bool operator==(const BuildingEntry&) const = default;
};
BuildingEntry EntryOf(const ScheduleBuilding& building);

// The building read from the entry: each field accepted, or refused with its
// reason (the last accepted value kept). The fields of the air mode not chosen
// are not read.
struct BuildingRead {
    ScheduleBuilding building;
    std::array<std::string, kBuildingFieldCount> reasons;
    bool Refused() const;
    // "Wiatr obliczeniowy v [m/s]: „cztery” nie jest liczbą …", one field a line.
    std::string Problem() const;
};
BuildingRead ReadBuilding(const BuildingEntry& entry, const ScheduleBuilding& last);

// Tab-separated text as a spreadsheet copies it: lines of cells; a last empty
// line is dropped, "\r\n" counts as "\n", a cell in double quotes may hold tabs
// and line breaks (its doubled quotes are one).
using TextBlock = std::vector<std::vector<std::string>>;
TextBlock ParseTabText(std::string_view text);
std::string TabText(const TextBlock& block);

// One cell of a block to write: the target row's position in `targets`.
struct CellWrite {
    std::size_t target;
    SheetColumn column;
    std::string text;
};

// The first millimetre question of the writes (empty when none), the rows as
// they would be after the writes before it.
std::string WritesMillimetreQuestion(const std::vector<SheetRow>& targets,
                                     const std::vector<CellWrite>& writes);

// The writes applied in order to the target rows, all or nothing: the first
// cell refused fails the whole block with "Wiersz <number>, kolumna „…”: <the
// reason>", `numbers` giving each target's row number as the table shows it.
// Cells that are computed are skipped; written cells lose their refusals.
Result<std::vector<SheetRow>> WriteCells(std::vector<SheetRow> targets,
                                         const std::vector<int>& numbers,
                                         const std::vector<CellWrite>& writes, std::int32_t storeys,
                                         bool millimetres);
