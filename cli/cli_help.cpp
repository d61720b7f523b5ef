#include "cli/cli_help.h"

#include "calc/catalogue.h"
#include "calc/derived.h"

#include <fmt/format.h>

namespace {

const char* const kOptions = R"(Użycie: wywietrznik-cli [opcje]
Oblicza punkt pracy wywietrznika KORVANT tak samo jak program okienkowy.

  --density RO | --weather T,P,PHI        gęstość powietrza [kg/m3] albo
                                           temperatura [°C], ciśnienie [hPa], wilgotność [%]
  --wind V                                 prędkość wiatru [m/s]
  --round D | --rect A,B                   średnica kanału albo boki "Długość", "Szerokość" [m]
  --material N                             materiał kanału 1..6 (domyślnie 1)
  --hall L[,I]                             hala: długość kanału L [m], wlot I 1..3 (domyślnie 1)
  --building-rect H,N,A,B,Z                wysokość kondygnacji, ilość kondygnacji,
                                           wysokość i szerokość kratki, współczynnik strat
  --building-round H,N,D,Z                 wysokość kondygnacji, ilość kondygnacji,
                                           średnica kratki, współczynnik strat
  --building-adjustable H,N,G,O            wysokość kondygnacji, ilość kondygnacji,
                                           kratka 1..5, otwarcie w obrotach tarczy
  --model N                                wywietrznik 1..27
  --printer                                raport w wersji do wydruku
  --all                                    tabela wszystkich 27 wywietrzników zamiast raportu
  --need QH                                z --all: wymagana wydajność Qh [m3/h]; tabela jak
                                           w oknie porównania: czy model ją osiąga, przy jakiej
                                           prędkości wiatru, i proponowany wywietrznik
  --wind-sweep OD:DO:KROK                  wydajność Q wybranego wywietrznika w funkcji
                                           prędkości wiatru (najwyżej 100000 kroków)
  --stack TI,TE[,H]                        razem z ciągiem grawitacyjnym: temperatura wewnątrz
                                           i na zewnątrz [°C], wysokość H [m] (domyślnie
                                           długość kanału L)
  --format text|json|csv                   postać wyniku (domyślnie text; csv z --batch
                                           albo --all)
  --project PLIK                           obliczenia zapisane w programie (.wyw) zamiast
                                           opcji danych; --model zmienia wywietrznik
  --batch PLIK                             wiele przypadków: w każdym wierszu opcje jednego
                                           wywołania (# komentarz, "-" czyta wejście);
                                           wynik --format csv (domyślnie) albo json
  -h, --help                               ten opis
  --version                                wersja programu

Liczby zapisuje się z kropką dziesiętną (1.2, -3, 4e-1), wartość ujemną także
jako --wind -3 albo --wind=-3; listy wartości rozdziela przecinek. Liczba
całkowita (ilość kondygnacji, temperatura, ...) bierze część całkowitą: 20.7 to 20.
Kody wyjścia: 0 wynik, 1 brak punktu pracy, 2 błąd wywołania, 3 dane odrzucone,
4 nieczytelny plik obliczeń; --batch kończy się najwyższym kodem swoich przypadków.
)";

} // namespace

std::string CliHelpText()
{
    std::string text = kOptions;
    text += "\nWywietrzniki (--model): numer, nazwa, średnica nominalna Dn [m]\n";
    for (std::size_t i = 0; i < VentilatorCatalogue.size(); ++i)
        text += fmt::format("  {:2}  {:<14} {:.3f}\n", i + 1, VentilatorCatalogue[i].Name,
                            VentilatorCatalogue[i].NominalDiameter);
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
