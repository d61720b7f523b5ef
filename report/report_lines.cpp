// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_lines.h"

#include "calc/derived.h"
#include "calc/number_format.h"

#include <fmt/core.h>

#include <optional>
#include <string_view>

namespace {

// The material whose roughness equals DuctRoughness exactly; none for any
// other value.
std::optional<std::string_view> MaterialText(double roughness)
{
    for (const DuctMaterial& material : kDuctMaterials) {
        if (material.roughness == roughness)
            return material.reportText;
    }
    return std::nullopt;
}

// The hall inlet whose loss coefficient equals LossCoefficient exactly; empty
// for any other value.
std::string_view InletText(double loss)
{
    for (const HallInlet& inlet : kHallInlets) {
        if (inlet.lossCoefficient == loss)
            return inlet.reportText;
    }
    return {};
}

// The prefixes in which the two variants differ.
struct Prefixes {
    std::string_view name;
    std::string_view roundDuct;
    std::string_view hall;
    std::string_view storeys;
    std::string_view storeyHeight;
    std::string_view resultsTitle;
};

constexpr Prefixes kScreenPrefixes{
    "   Nazwa wywietrznika = ", "   Kanał okrągły o średnicy = ",    "   Hala o długości kanału = ",
    "   Ilość kondygnacji = ",  "   Wysokość jednej kondygnacji = ", "Obliczone wartości:",
};

constexpr Prefixes kPrinterPrefixes{
    "   Nazwa wywietrznika= ", "   Kanał okrągly o średnicy = ",  "   Hala o dlugości kanału = ",
    "   Ilość kondygnacji=",   "   Wysokość jednej kondygnacji=", "Obliczone wartości",
};

// Emits lines with a row counter that advances before each entry.
class ReportWriter {
public:
    void Line(int advance, std::string text)
    {
        row_ += advance;
        lines_.push_back({row_, std::move(text)});
    }
    // An entry whose row is taken even when it has no text.
    void OptionalLine(int advance, std::optional<std::string_view> text)
    {
        row_ += advance;
        if (text)
            lines_.push_back({row_, std::string(*text)});
    }
    std::vector<ReportLine> Take() { return std::move(lines_); }

private:
    int row_ = 0;
    std::vector<ReportLine> lines_;
};

} // namespace

double FlowPerSecond(double flowPerHour)
{
    constexpr long double kReciprocal = 1.0L / 3600.0L;
    return static_cast<double>(static_cast<long double>(flowPerHour) * kReciprocal);
}

std::vector<ReportLine> BuildReport(const CalcState& s, ReportVariant variant)
{
    const bool printer = variant == ReportVariant::Printer;
    const Prefixes& p = printer ? kPrinterPrefixes : kScreenPrefixes;
    const bool hall = s.IsHall;
    ReportWriter w;

    w.Line(0, "Program doboru wywietrzników firmy KORVANT sp z o.o. Merlowice");
    w.Line(2, "Dane do obliczeń:");
    w.Line(1, fmt::format("{}{}", p.name, s.VentilatorName));
    w.Line(1, fmt::format("   Gęstość powietrza = {} [kg/m3]", FormatFixed(s.AirDensity, 3)));
    w.Line(1, fmt::format("   Prędkość wiatru = {} [m/s]", FormatFixed(s.WindSpeed, 2)));
    if (s.DuctRound) {
        w.Line(1, fmt::format("{}{} [m]", p.roundDuct, FormatFixed(s.DuctDiameter, 2)));
    } else {
        w.Line(1, fmt::format("   Kanał prostokątny o wymiarach = {} [m] x {} [m]",
                              FormatFixed(s.DuctSideA, 2), FormatFixed(s.DuctSideB, 2)));
        w.Line(1, fmt::format("   Średnica równoważna kanału = {} [m]",
                              FormatFixed(s.DuctDiameter, 2)));
    }
    // On paper the material belongs to the building part only.
    if (!printer)
        w.OptionalLine(1, MaterialText(s.DuctRoughness));
    if (hall) {
        w.Line(1, fmt::format("{}{} [m] i {}", p.hall, FormatFixed(s.DuctLength, 2),
                              InletText(s.LossCoefficient)));
    } else {
        w.Line(1, "Budynek wielokondygnacyjny:");
        w.Line(1, fmt::format("{}{} [-]", p.storeys, FormatWhole(s.StoreyCount)));
        w.Line(1, fmt::format("{}{} [m]", p.storeyHeight, FormatFixed(s.StoreyHeight, 2)));
        if (printer)
            w.OptionalLine(1, MaterialText(s.DuctRoughness));
        if (s.InstallationType == Installation::BuildingRectangular) {
            w.Line(1, fmt::format("   Kratka prostokątna o wymiarach = {} [m] x {} [m]",
                                  FormatFixed(s.GrilleSizeA, 2), FormatFixed(s.GrilleSizeB, 2)));
        } else {
            w.Line(1, fmt::format("   Kratka okrągła o średnicy = {} [m]",
                                  FormatFixed(s.GrilleSizeA, 3)));
        }
        w.Line(1, fmt::format("   Współczynnik strat kratki = {} [-]",
                              FormatFixed(s.LossCoefficient, 2)));
    }
    w.Line(2, std::string(p.resultsTitle));
    w.Line(1, fmt::format("   Wydajność sekundowa   Q = {} [m3/s]",
                          FormatFixed(FlowPerSecond(s.FlowPerHour), 4)));
    w.Line(1,
           fmt::format("   Wydajność godzinowa   Qh = {} [m3/h]", FormatFixed(s.FlowPerHour, 4)));
    w.Line(1, fmt::format("   Podciśnienie wywietrznika   DPsw = {} [Pa]",
                          FormatFixed(s.VentilatorSuction, 4)));
    w.Line(1, fmt::format("   Prędkość w kanale   c = {} [m/s]{}", FormatFixed(s.DuctVelocity, 4),
                          !s.DuctRound ? " dla średnicy równoważnej." : ""));
    return w.Take();
}
