#include "report/report_lines.h"

#include "calc/number_format.h"

#include <optional>
#include <string_view>

namespace {

// The material by exact equality of DuctRoughness with the dialog's constants.
std::optional<std::string_view> MaterialText(double roughness)
{
    if (roughness == 1.8)
        return "   Rodzaj materiału: rura stalowa ocynkowana czysta";
    if (roughness == 2.5)
        return "   Rodzaj materiału: nowa rura odlewana, blacha stalowa, gładki cement ";
    if (roughness == 3.0)
        return "   Rodzaj materiału: zwyczajnie ocynkowana rura stalowa";
    if (roughness == 5.0)
        return "   Rodzaj materiału: stara rura stalowa zardzewiała";
    if (roughness == 7.5)
        return "   Rodzaj materiału: surowy cement lub deski ";
    if (roughness == 10.0)
        return "   Rodzaj materiału: cegła";
    return std::nullopt;
}

// The hall inlet by exact equality of LossCoefficient with the inlet constants.
std::string InletText(double loss)
{
    std::string text;
    if (loss == 0.5)
        text += " wlocie ostrokrawędziowym z kołnierzem.";
    if (loss == 1.0)
        text += " wlocie ostrokrawędziowym bez kołnierza.";
    if (loss == 0.1)
        text += " wlocie zaokrąglonym.";
    return text;
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

std::string Join(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (std::string_view part : parts)
        text += part;
    return text;
}

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
    const bool hall = s.IsHall == 1;
    ReportWriter w;

    w.Line(0, "Program doboru wywietrzników firmy KORVANT sp z o.o. Merlowice");
    w.Line(2, "Dane do obliczeń:");
    w.Line(1, Join({p.name, s.VentilatorName}));
    w.Line(1, Join({"   Gęstość powietrza = ", FormatFixed(s.AirDensity, 3), " [kg/m3]"}));
    w.Line(1, Join({"   Prędkość wiatru = ", FormatFixed(s.WindSpeed, 2), " [m/s]"}));
    if (s.DuctRound != 0) {
        w.Line(1, Join({p.roundDuct, FormatFixed(s.DuctDiameter, 2), " [m]"}));
    } else {
        w.Line(1, Join({"   Kanał prostokątny o wymiarach = ", FormatFixed(s.DuctSideA, 2),
                        " [m] x ", FormatFixed(s.DuctSideB, 2), " [m]"}));
        w.Line(1,
               Join({"   Średnica równoważna kanału = ", FormatFixed(s.DuctDiameter, 2), " [m]"}));
    }
    // On paper the material belongs to the building part only.
    if (!printer)
        w.OptionalLine(1, MaterialText(s.DuctRoughness));
    if (hall) {
        w.Line(1, Join({p.hall, FormatFixed(s.DuctLength, 2), " [m] i ",
                        InletText(s.LossCoefficient)}));
    } else {
        w.Line(1, "Budynek wielokondygnacyjny:");
        w.Line(1, Join({p.storeys, FormatWhole(s.StoreyCount), " [-]"}));
        w.Line(1, Join({p.storeyHeight, FormatFixed(s.StoreyHeight, 2), " [m]"}));
        if (printer)
            w.OptionalLine(1, MaterialText(s.DuctRoughness));
        if (s.InstallationType == 1) {
            w.Line(1, Join({"   Kratka prostokątna o wymiarach = ", FormatFixed(s.GrilleSizeA, 2),
                            " [m] x ", FormatFixed(s.GrilleSizeB, 2), " [m]"}));
        } else {
            w.Line(1, Join({"   Kratka okrągła o średnicy = ", FormatFixed(s.GrilleSizeA, 3),
                            " [m]"}));
        }
        w.Line(1, Join({"   Współczynnik strat kratki = ", FormatFixed(s.LossCoefficient, 2),
                        " [-]"}));
    }
    w.Line(2, std::string(p.resultsTitle));
    w.Line(1, Join({"   Wydajność sekundowa   Q = ", FormatFixed(FlowPerSecond(s.FlowPerHour), 4),
                    " [m3/s]"}));
    w.Line(1, Join({"   Wydajność godzinowa   Qh = ", FormatFixed(s.FlowPerHour, 4), " [m3/h]"}));
    w.Line(1, Join({"   Podciśnienie wywietrznika   DPsw = ", FormatFixed(s.VentilatorSuction, 4),
                    " [Pa]"}));
    w.Line(1, Join({"   Prędkość w kanale   c = ", FormatFixed(s.DuctVelocity, 4), " [m/s]",
                    s.DuctRound == 0 ? " dla średnicy równoważnej." : ""}));
    return w.Take();
}
