// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/catalogue.h"

#include <cstdio>
#include <cstdlib>
#include <string>

// clang-format off
const std::array<VentilatorModel, kVentilatorCount> kVentilatorCatalogue = {{
    // Name                      Dn     zeta_v    Coef0      Coef1        Coef2        Coef3
    {"KALMO 100",               0.1,   0.136738, -0.497271, -0.0124578,  0.0580375,  -0.00835457},
    {"TRAVEN-140",              0.14,  2.51877,  -0.308714,  0.0798576,  0.141284,   -0.0220637},
    {"TRAVEN /M-150 ",          0.15,  2.063361, -0.379537,  0.0212597,  0.148998,   -0.0205671},
    {"TRAVEN-150",              0.15,  4.819829, -0.216404, -0.0650076,  0.26651,    -0.0398716},
    {"KALMO-160",               0.16,  0.232945, -0.501937, -0.0539172,  0.0655336,  -0.00749744},
    {"LUMA-160",                0.16,  0.102044, -0.422695,  0.0376165,  0.0141373,  -0.00193318},
    {"OSTREL-160 wzdluznie",    0.16,  0.410408, -0.148695, -0.0338211,  0.0830963,  -0.0100936},
    {"OSTREL-160 poprzecznie",  0.16,  0.410408, -0.188496, -0.0474009,  0.103412,   -0.00966862},
    {"BIVA-150 wzdluznie",      0.15,  2.602356, -0.155936,  0.0326171,  0.0275197,  -0.0000185855},
    {"BIVA-150 poprzecznie",    0.15,  2.602356, -0.231933,  0.106905,   0.0567763,  -0.00473031},
    {"BIVA-160 wzdluznie",      0.16,  1.5211,   -0.362565,  0.0303176,  0.0181706,  -0.000240709},
    {"BIVA-160 poprzecznie",    0.16,  1.5211,   -0.415054,  0.10392,    0.0572077,  -0.00543977},
    {"VESK-160",                0.16,  1.950958, -0.477838, -0.00146892, 0.0971256,  -0.0105339},
    {"KALMO-200",               0.2,   0.063492, -0.545978,  0.0470079,  0.00376798, -0.000663187},
    {"KALMO-250",               0.25,  0.12594,  -0.486776,  0.0332399,  0.0191315,  -0.0037597},
    {"VESK-250",                0.25,  0.316107, -0.315532,  0.043983,   0.00406166,  0.00372875},
    {"TRAVEN-250",              0.25,  0.696441, -0.22887,   0.144793,   0.0322979,  -0.00624507},
    {"LUMA-250",                0.25,  0.275171, -0.452478,  0.00957482, 0.0312825,  -0.00512675},
    {"KALMO-315",               0.315, 0.080892, -0.44737,  -0.0361727,  0.0488373,  -0.00791093},
    {"VESK-315",                0.315, 1.978423, -0.288208, -0.0267874,  0.0917087,  -0.00983213},
    {"VESK/M-315",              0.315, 0.487127, -0.367988, -0.00425179, 0.0204574,  -0.00103778},
    {"VESK-400",                0.4,   0.924122, -0.409943,  0.253092,  -0.0164607,   0.0},
    {"DORNA-100",               0.1,   5.877334, -0.36161,   0.0717383,  0.251565,   -0.0418544},
    {"SAVO-160/W3",             0.16,  0.238076, -0.376416,  0.0834462,  0.0826222,  -0.0142371},
    {"SAVO-250/W3",             0.25,  0.255229, -0.261934,  0.252076,   0.0115613,   0.0064661},
    {"SAVO-315/W3",             0.315, 0.370804, -0.388574,  0.366161,  -0.0235517,  -0.00272326},
    {"MIRT-160",                0.16,  0.191,    -0.482631,  0.204347,  -0.0282941,   0.00274873},
}};
// clang-format on

namespace {

std::string OutsideTheCatalogue(std::int32_t index)
{
    return "Numer wywietrznika " + std::to_string(index) + " spoza katalogu (dozwolone 1..27).";
}

} // namespace

Result<const VentilatorModel*> FindVentilator(std::int32_t index)
{
    if (!IsVentilatorIndex(index))
        return Failure{OutsideTheCatalogue(index)};
    return &kVentilatorCatalogue[static_cast<std::size_t>(index - 1)];
}

const VentilatorModel& LookUpVentilator(std::int32_t index)
{
    if (!IsVentilatorIndex(index)) {
        std::fprintf(stderr, "wywietrznik: błąd programu: %s\n",
                     OutsideTheCatalogue(index).c_str());
        std::abort();
    }
    return kVentilatorCatalogue[static_cast<std::size_t>(index - 1)];
}

std::string_view VentilatorCaption(std::int32_t index)
{
    static constexpr std::array<std::string_view, kVentilatorCount> kCaptions = {
        "KALMO-100",
        "TRAVEN-140",
        "TRAVEN/M-150",
        "TRAVEN-150",
        "KALMO-160",
        "LUMA-160",
        "OSTREL-160 wzdłużnie",
        "OSTREL-160 poprzecznie",
        "BIVA-150 wzdłużnie",
        "BIVA-150 poprzecznie",
        "BIVA-160 wzdłużnie",
        "BIVA-160 poprzecznie",
        "VESK-160",
        "KALMO-200",
        "KALMO-250",
        "VESK-250",
        "TRAVEN-250",
        "LUMA-250",
        "KALMO-315",
        "VESK-315",
        "VESK/M-315",
        "VESK-400",
        "DORNA-100",
        "SAVO-160/W3",
        "SAVO-250/W3",
        "SAVO-315/W3",
        "MIRT-160",
    };
    LookUpVentilator(index);
    return kCaptions[static_cast<std::size_t>(index - 1)];
}
