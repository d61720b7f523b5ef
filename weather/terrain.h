// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/result.h"

#include <array>
#include <string_view>

// The wind at the height of a roof from the wind a weather station measures,
// by the roughness of the terrain (PN-EN 1991-1-4):
//   c_r(z) = k_r ln(max(z, z_min) / z0),  k_r = 0.19 (z0 / 0.05)^0.07,
// and the wind at the ventilator = station wind x c_r(z, building's
// category) / c_r(10 m, station's category). An estimate: the direction of
// the wind and the shelter of nearby buildings are not taken into account.

struct TerrainCategory {
    int number;                   // 0..4
    std::string_view name;        // "0", "I", "II", "III", "IV"
    double roughnessLength;       // z0 [m]
    double minimumHeight;         // z_min [m]
    std::string_view description; // for the help and the windows
};

inline constexpr int kTerrainCategoryCount = 5;
extern const std::array<TerrainCategory, kTerrainCategoryCount> kTerrainCategories;

inline constexpr int kStationTerrain = 2;      // an open airfield: category II
inline constexpr int kBuildingTerrain = 3;     // a suburb: category III
inline constexpr double kStationHeight = 10.0; // the anemometer's height [m]

// c_r(z) of a category 0..4 at a height z > 0 [m]; refused with a Polish
// reason for a height that is not above 0 or not finite, or another category.
Result<double> RoughnessFactor(double height, int category);

// The factor from the station's wind to the wind at height z over the
// building's terrain: c_r(z, building) / c_r(10 m, station).
Result<double> TerrainWindRatio(double height, int buildingCategory = kBuildingTerrain,
                                int stationCategory = kStationTerrain);
