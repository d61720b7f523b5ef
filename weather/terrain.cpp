// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/terrain.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

const std::array<TerrainCategory, kTerrainCategoryCount> kTerrainCategories = {{
    {0, "0", 0.003, 1.0, "0 – morze, tereny przybrzeżne"},
    {1, "I", 0.01, 1.0, "I – jeziora, teren płaski bez przeszkód"},
    {2, "II", 0.05, 2.0, "II – teren z niską roślinnością i pojedynczymi przeszkodami"},
    {3, "III", 0.3, 5.0, "III – teren podmiejski, zabudowa do 15 m, lasy"},
    {4, "IV", 1.0, 10.0,
     "IV – teren zabudowany, co najmniej 15 % powierzchni pod budynkami wyższymi niż 15 m"},
}};

Result<double> RoughnessFactor(double height, int category)
{
    if (category < 0 || category >= kTerrainCategoryCount)
        return Failure{fmt::format("Kategoria terenu musi być jedną z 0, I, II, III, IV (0..4), "
                                   "a jest {}.",
                                   category)};
    if (!std::isfinite(height) || !(height > 0.0))
        return Failure{"Wysokość wywietrznika nad terenem musi być większa od zera – popraw "
                       "wysokość."};
    const TerrainCategory& terrain = kTerrainCategories[static_cast<std::size_t>(category)];
    const double factor = 0.19 * std::pow(terrain.roughnessLength / 0.05, 0.07);
    return factor * std::log(std::max(height, terrain.minimumHeight) / terrain.roughnessLength);
}

Result<double> TerrainWindRatio(double height, int buildingCategory, int stationCategory)
{
    Result<double> building = RoughnessFactor(height, buildingCategory);
    if (!building)
        return building;
    Result<double> station = RoughnessFactor(kStationHeight, stationCategory);
    if (!station)
        return station;
    return building.Value() / station.Value();
}
