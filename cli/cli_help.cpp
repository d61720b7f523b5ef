// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_help.h"

#include "calc/catalogue.h"
#include "calc/derived.h"
#include "cli/cli_options.h"

#include <fmt/format.h>

#include <algorithm>
#include <string_view>

namespace {

std::string_view TrimmedName(std::string_view name)
{
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    return name;
}

const char* const kIntroduction = R"(Użycie: wywietrznik-cli [opcje]
Oblicza punkt pracy wywietrznika KORVANT tak samo jak program okienkowy.

)";

const char* const kNotes = R"(
Liczby zapisuje się z kropką dziesiętną (1.2, -3, 4e-1), wartość ujemną także
jako --wind -3 albo --wind=-3; listy wartości rozdziela przecinek. Liczba
całkowita (liczba kondygnacji, temperatura, ...) uwzględnia tylko część całkowitą:
20.7 to 20.
Granice danych: gęstość 0 < Ro <= 5 kg/m3, wiatr 0 <= v <= 100 m/s, temperatura
zewnętrzna (--weather, te w --stack) od -60 do 60 °C, wymiary kanału i kratki,
długość kanału hali, wysokość kondygnacji, budynku i H od 0 do 1000 m, ζ kratki
>= 0, wymagana wydajność zestawienia 0 < Qh <= 100000 m3/h.
Kody wyjścia: 0 wynik, 1 brak punktu pracy albo (--schedule) przewód, który nie
zapewnia wymaganej wydajności, 2 błąd wywołania, 3 dane odrzucone,
4 nieczytelny plik obliczeń albo plik z danymi odrzuconymi, nieczytelny lub
uszkodzony plik pogodowy (--weather-file), albo niezapisany wynik;
--batch kończy się najwyższym kodem swoich przypadków.
)";

// The option with its value, then its help from this column on.
constexpr std::size_t kHelpColumn = 43;

std::string OptionLines(const CliOptionHelp& option)
{
    const std::string indent(kHelpColumn, ' ');
    std::string lines = "  " + option.usage;
    if (lines.size() + 2 > kHelpColumn)
        lines += "\n" + indent;
    else
        lines.resize(kHelpColumn, ' ');
    for (const char c : option.help)
        lines += c == '\n' ? "\n" + indent : std::string(1, c);
    return lines + "\n";
}

} // namespace

std::string CliUsageText()
{
    std::string text = kIntroduction;
    for (const CliOptionHelp& option : CliOptionHelps())
        text += OptionLines(option);
    return text + kNotes;
}

std::string CliHelpText()
{
    std::string text = CliUsageText();
    text += "\nWywietrzniki (--model): numer, nazwa, średnica nominalna Dn [m]\n";
    // The names as the catalogue writes them, without their trailing blanks,
    // in a column as wide as the longest.
    std::size_t nameWidth = 0;
    for (const VentilatorModel& model : kVentilatorCatalogue)
        nameWidth = std::max(nameWidth, TrimmedName(model.Name).size());
    for (std::size_t i = 0; i < kVentilatorCatalogue.size(); ++i)
        text += fmt::format("  {:2}  {:<{}}  {:.3f}\n", i + 1,
                            TrimmedName(kVentilatorCatalogue[i].Name), nameWidth,
                            kVentilatorCatalogue[i].NominalDiameter);
    text += "\nMateriały kanału (--material): numer, materiał, chropowatość\n";
    for (std::size_t i = 0; i < kDuctMaterials.size(); ++i)
        text += fmt::format("  {}  {} – {:.1f}\n", i + 1, kDuctMaterials[i].caption,
                            kDuctMaterials[i].roughness);
    text += "\nWloty kanału w hali (--hall L,I): numer, wlot, współczynnik strat ζ\n";
    for (std::size_t i = 0; i < kHallInlets.size(); ++i)
        text += fmt::format("  {}  {} – {:.1f}\n", i + 1, kHallInlets[i].caption,
                            kHallInlets[i].lossCoefficient);
    text += "\nKratki regulowane (--building-adjustable H,N,G,O): numer, kratka, średnica [m]\n";
    for (std::size_t i = 0; i < kAdjustableGrilles.size(); ++i)
        text += fmt::format("  {}  {} – {:.3f}\n", i + 1, kAdjustableGrilles[i].name,
                            kAdjustableGrilles[i].diameter);
    return text;
}
