// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/schedule.h"
#include "weather/terrain.h"
#include "weather/weather_source.h"

#include <memory>

// The schedule of exhaust ducts on its verdict's condition, the fourth, "rok",
// included: every front end (the window, its printout and files, the command
// line) computes a schedule here.
//
// On the year each row's model runs over the period of the weather at the roof
// (weather/year_run.h): the ventilators at z = ScheduleVentilatorHeight(N, h),
// H the duct's length, ti of the building (and te of the building for a
// distribution), the row's need. The row meets it when its share of the
// period reaches the building's share; "dobierz" takes the models in the
// order of the other conditions (by nominal diameter, a smaller one first)
// and, within the first diameter where one reaches the share, the one with the
// least share that does; none reaching it, the one with the most. A row in a
// flat is computed in an open room (the flat's balance is not solved hour by
// hour): its remark says so.

// The weather of a schedule; without one, the year's rows get no verdict.
struct ScheduleWeather {
    std::shared_ptr<const LoadedWeather> weather; // nullptr: none loaded
    int stationTerrain = kStationTerrain;
    int buildingTerrain = kBuildingTerrain;
    // Threads across the rows; 0: as many as the processor has. Each row is
    // computed alone, so the result is the same with any number.
    unsigned threads = 0;
};

ScheduleResult ComputeScheduleOn(const Schedule& schedule, const ScheduleWeather& weather);

// The rows one at a time, for a window that computes again only the rows
// changed: made for one building and weather; Prepare readies the hours of a
// row's duct height (once per height), Compute is ComputeRow with the year's
// verdict (ComputeRow itself on the other conditions or without a weather).
// The flats (ApplyFlats) and the summary are then the caller's.
struct YearContext;
class ScheduleYearRows {
public:
    ScheduleYearRows(const ScheduleBuilding& building, const ScheduleWeather& weather);
    const ScheduleBuilding& Building() const { return building_; }
    const ScheduleWeather& Weather() const { return weather_; }
    void Prepare(const ScheduleRow& row);
    // Safe from several threads at once once every row is prepared.
    RowResult Compute(const ScheduleRow& row) const;

private:
    ScheduleBuilding building_;
    ScheduleWeather weather_;
    std::shared_ptr<YearContext> context_; // nullptr: not the year, or no weather
};
