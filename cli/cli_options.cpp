// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_options.h"

#include "calc/stack_draught.h"
#include "cli/cli_help.h"
#include "cli/cli_values.h"
#include "cli/cli_weather.h"
#include "generated/version.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// One option of the command line: its name, the name of its value in --help
// (empty: it takes none), what it does with that value, and its line of
// --help. `apply` fails with a Polish reason. A "\n" in the help
// goes on under it on the next line.
struct Option {
    std::string_view name;
    std::string_view value;
    Outcome (*apply)(CliRequest& request, const std::string& value);
    std::string_view help;
};

// The N or at least `least` items of a list value.
template <std::size_t N>
Result<std::vector<std::string>> Values(std::string_view option, const std::string& value,
                                        std::size_t least)
{
    std::vector<std::string> items = SplitList(value, ',');
    if (items.size() >= least && items.size() <= N)
        return items;
    const std::string wanted = least == N ? std::to_string(N)
                               : N - least == 1
                                   ? std::to_string(least) + " lub " + std::to_string(N)
                                   : "od " + std::to_string(least) + " do " + std::to_string(N);
    return Failure{"opcja " + std::string(option) + " wymaga " + wanted +
                   " wartości rozdzielonych przecinkami (podano " + std::to_string(items.size()) +
                   "): " + value};
}

Outcome ApplyDensity(CliRequest& r, const std::string& v)
{
    r.densityTyped = true;
    return Assign(RealValue("--density", v), r.density);
}

Outcome ApplyWeather(CliRequest& r, const std::string& v)
{
    std::vector<std::string> items;
    r.densityTyped = false;
    return First(
        Assign(Values<3>("--weather", v, 3), items),
        [&] { return Assign(WholeValue("--weather", items[0]), r.temperature); },
        [&] { return Assign(WholeValue("--weather", items[1]), r.pressure); },
        [&] { return Assign(WholeValue("--weather", items[2]), r.humidity); });
}

Outcome ApplyWind(CliRequest& r, const std::string& v)
{
    return Assign(RealValue("--wind", v), r.windSpeed);
}

Outcome ApplyRound(CliRequest& r, const std::string& v)
{
    r.roundDuct = true;
    return Assign(RealValue("--round", v), r.diameter);
}

Outcome ApplyRect(CliRequest& r, const std::string& v)
{
    std::vector<std::string> items;
    r.roundDuct = false;
    return First(
        Assign(Values<2>("--rect", v, 2), items),
        [&] { return Assign(RealValue("--rect", items[0]), r.sideA); },
        [&] { return Assign(RealValue("--rect", items[1]), r.sideB); });
}

Outcome ApplyMaterial(CliRequest& r, const std::string& v)
{
    return Assign(ChoiceValue("--material", v, 6), r.material);
}

Outcome ApplyHall(CliRequest& r, const std::string& v)
{
    std::vector<std::string> items;
    InstallationInput& in = r.installation;
    in.kind = Installation::Hall;
    return First(
        Assign(Values<2>("--hall", v, 1), items),
        [&] { return Assign(RealValue("--hall", items[0]), in.hallLength); },
        [&] {
            return items.size() < 2 ? Outcome{}
                                    : Assign(ChoiceValue("wlot w --hall", items[1], 3), in.inlet);
        });
}

// The storey height and count, the first two values of every building option.
Outcome Storeys(std::string_view option, const std::vector<std::string>& items,
                InstallationInput& in)
{
    return First([&] { return Assign(RealValue(option, items[0]), in.storeyHeight); },
                 [&] { return Assign(WholeValue(option, items[1]), in.storeys); });
}

Outcome ApplyBuildingRect(CliRequest& r, const std::string& v)
{
    std::vector<std::string> items;
    InstallationInput& in = r.installation;
    in.kind = Installation::BuildingRectangular;
    return First(
        Assign(Values<5>("--building-rect", v, 5), items),
        [&] { return Storeys("--building-rect", items, in); },
        [&] { return Assign(RealValue("--building-rect", items[2]), in.grilleHeight); },
        [&] { return Assign(RealValue("--building-rect", items[3]), in.grilleWidth); },
        [&] { return Assign(RealValue("--building-rect", items[4]), in.grilleLoss); });
}

Outcome ApplyBuildingRound(CliRequest& r, const std::string& v)
{
    std::vector<std::string> items;
    InstallationInput& in = r.installation;
    in.kind = Installation::BuildingRound;
    return First(
        Assign(Values<4>("--building-round", v, 4), items),
        [&] { return Storeys("--building-round", items, in); },
        [&] { return Assign(RealValue("--building-round", items[2]), in.grilleDiameter); },
        [&] { return Assign(RealValue("--building-round", items[3]), in.grilleLoss); });
}

Outcome ApplyBuildingAdjustable(CliRequest& r, const std::string& v)
{
    std::vector<std::string> items;
    InstallationInput& in = r.installation;
    in.kind = Installation::BuildingAdjustable;
    return First(
        Assign(Values<4>("--building-adjustable", v, 4), items),
        [&] { return Storeys("--building-adjustable", items, in); },
        [&] {
            return Assign(ChoiceValue("kratka w --building-adjustable", items[2], 5), in.grille);
        },
        [&] { return Assign(WholeValue("--building-adjustable", items[3]), in.opening); });
}

Outcome ApplyModel(CliRequest& r, const std::string& v)
{
    return Assign(ChoiceValue("--model", v, 27), r.model);
}

Outcome ApplyFormat(CliRequest& r, const std::string& v)
{
    if (v == "json")
        r.format = CliRequest::Format::Json;
    else if (v == "csv")
        r.format = CliRequest::Format::Csv;
    else if (v == "xlsx")
        r.format = CliRequest::Format::Xlsx;
    else if (v != "text")
        return Failure{"opcja --format przyjmuje text, json, csv albo xlsx, podano: " + v};
    return {};
}

Outcome ApplyOutput(CliRequest& r, const std::string& v)
{
    if (v.empty())
        return Failure{"opcja --output wymaga nazwy pliku"};
    r.output = v;
    return {};
}

Outcome ApplySweep(CliRequest& r, const std::string& v)
{
    const std::vector<std::string> parts = SplitList(v, ':');
    if (parts.size() != 3)
        return Failure{"opcja --wind-sweep wymaga postaci OD:DO:KROK, podano: " + v};
    r.windSweep = true;
    if (Outcome e = First([&] { return Assign(RealValue("--wind-sweep", parts[0]), r.sweepFrom); },
                          [&] { return Assign(RealValue("--wind-sweep", parts[1]), r.sweepTo); },
                          [&] { return Assign(RealValue("--wind-sweep", parts[2]), r.sweepStep); });
        !e)
        return e;
    const double steps = (r.sweepTo - r.sweepFrom) / r.sweepStep;
    if (!(r.sweepStep > 0.0) || !(r.sweepTo >= r.sweepFrom) || !(steps <= 100000.0))
        return Failure{
            "opcja --wind-sweep wymaga OD <= DO i dodatniego KROKU, najwyżej 100000 kroków: " + v};
    return {};
}

Outcome ApplyNeed(CliRequest& r, const std::string& v)
{
    double need = 0.0;
    if (Outcome e = Assign(RealValue("--need", v), need); !e)
        return e;
    if (!(need > 0.0))
        return Failure{"opcja --need wymaga wydajności większej od zera, podano: " + v};
    r.need = need;
    return {};
}

Outcome ApplyStack(CliRequest& r, const std::string& v)
{
    std::vector<std::string> items;
    // From a value: clang takes the nested Stack for not default-constructible
    // while CliRequest is being read (its member initialisers come later).
    CliRequest::Stack& stack = r.stack.emplace(CliRequest::Stack{});
    double height = 0.0;
    double pressure = 0.0;
    return First(
        Assign(Values<4>("--stack", v, 2), items),
        [&] { return Assign(RealValue("--stack", items[0]), stack.inside); },
        [&] { return Assign(RealValue("--stack", items[1]), stack.outside); },
        [&] {
            if (items.size() < 3)
                return Outcome{};
            Outcome e = Assign(RealValue("--stack", items[2]), height);
            stack.height = height;
            return e;
        },
        [&] {
            if (items.size() < 4)
                return Outcome{};
            if (Outcome e = Assign(RealValue("--stack", items[3]), pressure); !e)
                return e;
            if (!(pressure > 0.0))
                return Outcome{Failure{"opcja --stack wymaga ciśnienia P większego od zera [Pa], "
                                       "podano: " +
                                       items[3]}};
            stack.pressure = pressure;
            return Outcome{};
        });
}

Outcome ApplyUnderpressure(CliRequest& r, const std::string& v)
{
    double pf = 0.0;
    if (Outcome e = Assign(RealValue("--underpressure", v), pf); !e)
        return e;
    if (!(pf >= 0.0))
        return Failure{"opcja --underpressure wymaga podciśnienia 0 lub większego [Pa], podano: " +
                       v};
    r.underpressure = pf;
    return {};
}

// A file named by the user: anything but an empty name.
Result<std::string> FileName(std::string_view option, const std::string& value)
{
    if (value.empty())
        return Failure{"opcja " + std::string(option) + " wymaga nazwy pliku"};
    return value;
}

Outcome ApplyProject(CliRequest& r, const std::string& v)
{
    return Assign(FileName("--project", v), r.project);
}

Outcome ApplyBatch(CliRequest& r, const std::string& v)
{
    return Assign(FileName("--batch", v), r.batch);
}

Outcome ApplySchedule(CliRequest& r, const std::string& v)
{
    return Assign(FileName("--schedule", v), r.schedule);
}

Outcome ApplySheet(CliRequest& r, const std::string& v)
{
    return Assign(FileName("--sheet", v), r.sheet);
}

Outcome SetFlag(CliRequest&, const std::string&)
{
    return {};
}

Outcome SetPrinter(CliRequest& r, const std::string&)
{
    r.printer = true;
    return {};
}

Outcome SetAll(CliRequest& r, const std::string&)
{
    r.all = true;
    return {};
}

Outcome SetScheduleTemplate(CliRequest& r, const std::string&)
{
    r.scheduleTemplate = true;
    return {};
}

// The options in the order --help lists them.
const Option kOptions[] = {
    {"--density", "RO", ApplyDensity, "gęstość powietrza [kg/m3]"},
    {"--weather", "T,P,PHI", ApplyWeather,
     "gęstość powietrza z temperatury [°C], ciśnienia [hPa]\ni wilgotności [%]"},
    {"--wind", "V", ApplyWind, "prędkość wiatru [m/s]"},
    {"--round", "D", ApplyRound, "średnica kanału okrągłego [m]"},
    {"--rect", "A,B", ApplyRect, "boki kanału prostokątnego \"Długość\", \"Szerokość\" [m]"},
    {"--material", "N", ApplyMaterial, "materiał kanału 1..6 (domyślnie 1)"},
    {"--hall", "L[,I]", ApplyHall, "hala: długość kanału L [m], wlot I 1..3 (domyślnie 1)"},
    {"--building-rect", "H,N,A,B,Z", ApplyBuildingRect,
     "wysokość kondygnacji, liczba kondygnacji,\nwysokość i szerokość kratki, współczynnik strat"},
    {"--building-round", "H,N,D,Z", ApplyBuildingRound,
     "wysokość kondygnacji, liczba kondygnacji,\nśrednica kratki, współczynnik strat"},
    {"--building-adjustable", "H,N,G,O", ApplyBuildingAdjustable,
     "wysokość kondygnacji, liczba kondygnacji,\nkratka 1..5, otwarcie w obrotach tarczy"},
    {"--model", "N", ApplyModel, "wywietrznik 1..27"},
    {"--printer", "", SetPrinter, "raport w wersji do wydruku"},
    {"--all", "", SetAll, "tabela wszystkich 27 wywietrzników zamiast raportu"},
    {"--need", "QH", ApplyNeed,
     "z --all albo z pogodą roku: wymagana wydajność\nQh [m3/h]; z --all tabela jak w oknie "
     "porównania:\nczy model ją osiąga, przy jakiej prędkości wiatru,\ni proponowany "
     "wywietrznik"},
    {"--wind-sweep", "OD:DO:KROK", ApplySweep,
     "wydajność Q wybranego wywietrznika w funkcji\nprędkości wiatru (najwyżej 100000 kroków)"},
    {"--stack", "TI,TE[,H[,P]]", ApplyStack,
     "razem z ciągiem grawitacyjnym: temperatura wewnątrz\ni na zewnątrz [°C], wysokość H [m] "
     "(domyślnie\ndługość kanału L), ciśnienie P [Pa] w Δps (domyślnie\n101325 z --density, "
     "ciśnienie --weather z --weather)"},
    {"--underpressure", "PF", ApplyUnderpressure,
     "podciśnienie w mieszkaniu pf [Pa]: ciąg Δps − pf\n(bez --stack sam wiatr, Δps = 0)"},
    {"--weather-file", "PLIK.epw", ApplyWeatherFile,
     "praca w ciągu roku: godzinowy plik pogodowy EPW\n(\"-\" czyta wejście); z --need, także z "
     "--all\n"
     "--need (kolumna \"Godziny spełnienia [%]\"); ti, H\nz --stack (domyślnie 20 °C, L)"},
    {"--wind-distribution", "V[,K]|A=SKALA[,K]", ApplyWindDistribution,
     "praca w ciągu roku bez pliku: rozkład Weibulla\nwiatru na stacji (10 m), średnia V [m/s] "
     "albo skala\nA [m/s], kształt K (domyślnie 2); ti, te, H\nz --stack (domyślnie 20 °C, "
     "12 °C, L)"},
    {"--site", "TS,TB,Z", ApplySite,
     "teren stacji i budynku (0, I, II, III, IV albo 0..4;\ndomyślnie II, III), wysokość "
     "wywietrznika Z [m]\n(domyślnie L + 1 m)"},
    {"--period", "year|heating|M1-M2", ApplyPeriod,
     "okres: cały rok (domyślnie), sezon grzewczy\n(1.10–30.04) albo miesiące M1..M2"},
    {"--hourly", "", SetHourly,
     "z --weather-file: każda godzina okresu (csv albo\njson) z opcjami jednego wywołania, "
     "które ją\npowtarza"},
    {"--format", "text|json|csv|xlsx", ApplyFormat,
     "postać wyniku: domyślnie text, z --batch csv;\ncsv także z --schedule, --all i --hourly; "
     "xlsx,\nczyli skoroszyt, z --schedule albo --all, tylko\nz --output"},
    {"--output", "PLIK", ApplyOutput,
     "plik, do którego --format xlsx zapisuje skoroszyt\n(cały albo wcale)"},
    {"--project", "PLIK", ApplyProject,
     "obliczenia zapisane w programie (.wyw; \"-\" czyta\nwejście) zamiast opcji danych; --model "
     "zmienia\nwywietrznik"},
    {"--batch", "PLIK", ApplyBatch,
     "wiele przypadków: w każdym wierszu opcje jednego\nwywołania (# komentarz, \"-\" czyta "
     "wejście);\nwynik --format csv (domyślnie) albo json"},
    {"--schedule", "PLIK", ApplySchedule,
     "zestawienie przewodów zapisane w pliku obliczeń\n(.wyw; \"-\" czyta wejście): tabela i "
     "podsumowanie;\nwarunki „rok” z pogodą --weather-file albo\n--wind-distribution (albo "
     "zapisaną w pliku)"},
    {"--sheet", "PLIK.pdf", ApplySheet,
     "karta doboru wywietrznika (PDF, A4) obok jednego\nobliczenia albo --schedule (strona na "
     "przewód i\nspis); "
     "zapisana cała albo wcale"},
    {"--schedule-template", "", SetScheduleTemplate,
     "wypisuje plik obliczeń z przykładowym zestawieniem\n(budynek 5-kondygnacyjny, piony kuchni, "
     "łazienek, WC)"},
    {"--help", "", SetFlag, "ten opis"},
    {"--version", "", SetFlag, "wersja programu"},
};

// Options of which at most one may be given.
const std::vector<std::vector<std::string_view>> kExclusive = {
    {"--density", "--weather"},
    {"--round", "--rect"},
    {"--hall", "--building-rect", "--building-round", "--building-adjustable"},
    {"--all", "--model"},
    {"--all", "--wind-sweep"},
    {"--weather-file", "--wind-distribution"},
    {"--wind", "--wind-sweep"},
    {"--printer", "--all"},
    {"--printer", "--wind-sweep"},
};

// Options of which one must be given, and what they stand for.
struct Required {
    std::vector<std::string_view> names;
    std::string_view what;
};
const Required kRequired[] = {
    {{"--density", "--weather"}, "gęstość powietrza"},
    {{"--wind", "--wind-sweep"}, "prędkość wiatru"},
    {{"--round", "--rect"}, "kanał"},
    {{"--hall", "--building-rect", "--building-round", "--building-adjustable"}, "instalacja"},
    {{"--model", "--all"}, "wywietrznik 1..27"},
};

// The options that give inputs, which a project file gives instead.
const std::string_view kInputOptions[] = {
    "--density",  "--weather", "--wind",          "--round",          "--rect",
    "--material", "--hall",    "--building-rect", "--building-round", "--building-adjustable"};

// "-h" is "--help".
constexpr std::string_view kShortHelp = "-h";

const Option* Find(std::string_view name)
{
    for (const Option& option : kOptions) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

// The options given, in order, with their values; the first fault ends it.
struct Given {
    const Option* option;
    std::string value;
};
Result<std::vector<Given>> Split(const std::vector<std::string>& arguments)
{
    std::vector<Given> given;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        if (name == kShortHelp)
            name = "--help";
        if (name.rfind("--", 0) != 0)
            return Failure{"nieoczekiwany argument: " + name};
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        const Option* option = Find(name);
        if (!option)
            return Failure{"nieznana opcja: " + name};
        if (std::any_of(given.begin(), given.end(),
                        [&](const Given& g) { return g.option == option; }))
            return Failure{"opcja " + name + " podana więcej niż raz"};
        if (option->value.empty() && value)
            return Failure{"opcja " + name + " nie przyjmuje wartości"};
        if (!option->value.empty() && !value) {
            if (i + 1 == arguments.size())
                return Failure{"opcja " + name + " wymaga wartości"};
            value = arguments[++i]; // also a negative number: --wind -3
        }
        given.push_back({option, value.value_or(std::string())});
    }
    return given;
}

bool IsGiven(const std::vector<Given>& given, std::string_view name)
{
    return std::any_of(given.begin(), given.end(),
                       [&](const Given& g) { return g.option->name == name; });
}

// --batch and --schedule take only --format, --schedule-template nothing;
// --project stands for every input option.
Outcome CheckFiles(const std::vector<Given>& given, const CliRequest& request)
{
    for (const Given& g : given) {
        const std::string_view name = g.option->name;
        if (request.scheduleTemplate && name != "--schedule-template")
            return Failure{"opcja --schedule-template nie łączy się z innymi opcjami, podano " +
                           std::string(name)};
        if (!request.schedule.empty() && name != "--schedule" && name != "--format" &&
            name != "--output" && name != "--sheet" && name != "--weather-file" &&
            name != "--wind-distribution" && name != "--site" && name != "--period")
            return Failure{"opcja --schedule przyjmuje obok siebie tylko --format, --output, "
                           "--sheet, --weather-file, --wind-distribution, --site i --period, "
                           "podano " +
                           std::string(name)};
        if (!request.batch.empty() && g.option->name != "--batch" && g.option->name != "--format")
            return Failure{"opcja --batch przyjmuje obok siebie tylko --format, podano " +
                           std::string(g.option->name)};
        for (std::string_view input : kInputOptions) {
            if (!request.project.empty() && g.option->name == input)
                return Failure{"opcje --project i " + std::string(input) + " wykluczają się"};
        }
    }
    return {};
}

// A workbook goes only to a file, and only --schedule and --all make one.
Outcome CheckWorkbook(const CliRequest& request)
{
    const bool workbook = request.format == CliRequest::Format::Xlsx;
    if (!workbook && !request.output.empty())
        return Failure{"opcja --output działa tylko z --format xlsx"};
    if (workbook && request.schedule.empty() && !request.all)
        return Failure{"--format xlsx działa tylko z --schedule albo --all"};
    if (workbook && request.output.empty())
        return Failure{"--format xlsx wymaga --output PLIK.xlsx (skoroszytu nie wypisuje się "
                       "na terminal)"};
    return {};
}

Outcome CheckCombination(const std::vector<Given>& given, const CliRequest& request)
{
    if (Outcome e = CheckWeatherCombination(request); !e)
        return e;
    if (Outcome e = CheckWorkbook(request); !e)
        return e;
    if (!request.batch.empty() || !request.project.empty() || !request.schedule.empty() ||
        request.scheduleTemplate) {
        if (Outcome e = CheckFiles(given, request); !e)
            return e;
        if (!request.batch.empty() || !request.schedule.empty() || request.scheduleTemplate)
            return {};
    }
    for (const auto& group : kExclusive) {
        std::vector<std::string_view> present;
        for (std::string_view name : group) {
            if (IsGiven(given, name))
                present.push_back(name);
        }
        if (present.size() > 1)
            return Failure{"opcje " + std::string(present[0]) + " i " + std::string(present[1]) +
                           " wykluczają się"};
    }
    if (request.printer && request.format == CliRequest::Format::Json)
        return Failure{"opcje --printer i --format json wykluczają się"};
    if (!request.sheet.empty() && (request.all || request.windSweep || request.hourly))
        return Failure{"opcja --sheet działa tylko z jednym obliczeniem albo z --schedule"};
    if (request.need && !request.all && !request.weatherSource && request.project.empty() &&
        request.sheet.empty())
        return Failure{"opcja --need działa tylko z --all albo --sheet"};
    if (request.format == CliRequest::Format::Csv && request.batch.empty() && !request.all &&
        request.schedule.empty() && !request.hourly)
        return Failure{"--format csv działa tylko z --batch, --schedule, --all albo --hourly"};
    for (const Required& required : kRequired) {
        // A project file gives every input and its own ventilator.
        if (!request.project.empty())
            break;
        if (std::none_of(required.names.begin(), required.names.end(),
                         [&](std::string_view name) { return IsGiven(given, name); })) {
            std::string names;
            for (std::string_view name : required.names)
                names += (names.empty() ? "" : " albo ") + std::string(name);
            return Failure{"brak opcji " + names + " (" + std::string(required.what) + ")"};
        }
    }
    return {};
}

Failure Usage(const Outcome& fault)
{
    return Failure{"wywietrznik-cli: " + fault.Reason()};
}

} // namespace

CliParseResult ParseCliArguments(const std::vector<std::string>& arguments)
{
    const Result<std::vector<Given>> split = Split(arguments);
    if (!split)
        return Usage(split.Fault());
    const std::vector<Given>& given = split.Value();
    if (IsGiven(given, "--help"))
        return CliCommand{CliInformation{CliHelpText()}};
    if (IsGiven(given, "--version"))
        return CliCommand{CliInformation{std::string("wywietrznik-cli ") + kProgramVersion + "\n"}};

    CliRequest request;
    for (const Given& g : given) {
        if (Outcome e = g.option->apply(request, g.value); !e)
            return Usage(e);
    }
    if (Outcome e = CheckCombination(given, request); !e)
        return Usage(e);
    // The wind's own draught: no stack (ti = te).
    if (request.underpressure && !request.stack)
        request.stack = CliRequest::Stack{kDesignInsideTemperature, kDesignInsideTemperature,
                                          std::nullopt, std::nullopt};
    return CliCommand{request};
}

std::vector<CliOptionHelp> CliOptionHelps()
{
    std::vector<CliOptionHelp> helps;
    for (const Option& option : kOptions) {
        std::string usage = option.name == "--help" ? std::string(kShortHelp) + ", " : "";
        usage += option.name;
        if (!option.value.empty())
            usage += " " + std::string(option.value);
        helps.push_back({usage, option.help});
    }
    return helps;
}

CliParseResult ParseCliArguments(const QStringList& arguments)
{
    std::vector<std::string> plain;
    for (const QString& argument : arguments)
        plain.push_back(argument.toStdString());
    return ParseCliArguments(plain);
}
