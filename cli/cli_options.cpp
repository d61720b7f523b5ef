#include "cli_options.h"

#include "field_conversion.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <optional>
#include <vector>

namespace {

const char* const kHelp = R"(Użycie: wywietrznik-cli [opcje]
Oblicza punkt pracy wywietrznika KORVANT tym samym kodem co program okienkowy.

  --density RO | --weather T,P,PHI        gęstość powietrza [kg/m3] albo
                                           temperatura [°C], ciśnienie [hPa], wilgotność [%]
  --wind V                                 prędkość wiatru [m/s]
  --round D | --rect A,B                   średnica kanału albo boki "Długość", "Szerokość" [m]
  --material N                             materiał kanału 1..6 (domyślnie 1)
  --hall L[,I]                             hala: długość kanału L [m], wlot I: 1 "Z kołnierzem"
                                           (domyślnie), 2 "Bez kołnierza", 3 "Zaokrąglony"
  --building-rect H,N,A,B,Z                wysokość kondygnacji, ilość kondygnacji,
                                           wysokość i szerokość kratki, współczynnik strat
  --building-round H,N,D,Z                 wysokość kondygnacji, ilość kondygnacji,
                                           średnica kratki, współczynnik strat
  --building-adjustable H,N,G,O            wysokość kondygnacji, ilość kondygnacji,
                                           kratka 1..5 ("KTV 75/80" .. "KTV 200"),
                                           otwarcie w obrotach tarczy
  --model N                                wywietrznik 1..27
  --printer                                raport w wersji do wydruku
  --all                                    tabela wszystkich 27 wywietrzników zamiast raportu
  --wind-sweep OD:DO:KROK                  wydajność Q wybranego wywietrznika w funkcji
                                           prędkości wiatru
  --format text|json                       postać wyniku (domyślnie text)
  --help, --version

Wartość ujemną podaje się ze znakiem równości: --wind=-3.
Kody wyjścia: 0 wynik, 1 brak punktu pracy, 2 błąd wywołania, 3 dane nieokreślone.
)";

CliUsageError Usage(const QString& message)
{
    return {("wywietrznik-cli: " + message).toStdString()};
}

QString Dashed(const QString& name)
{
    return "--" + name;
}

// The comma-separated values of a list option, checked for their number.
std::optional<QStringList> ListValues(const QString& value, const QString& name, int least,
                                      int most, std::optional<CliUsageError>& error)
{
    const QStringList parts = value.split(',');
    if (parts.size() < least || parts.size() > most) {
        const QString wanted =
            least == most ? QString::number(least) : QString("%1 lub %2").arg(least).arg(most);
        error = Usage(QString("opcja %1 wymaga %2 wartości rozdzielonych przecinkami "
                              "(podano %3): %4")
                          .arg(Dashed(name), wanted)
                          .arg(parts.size())
                          .arg(value));
        return std::nullopt;
    }
    return parts;
}

// A choice: a whole number written with digits only, in [1, largest].
std::optional<int> Choice(const QString& text, const QString& what, int largest,
                          std::optional<CliUsageError>& error)
{
    static const QRegularExpression digits("^[0-9]{1,9}$");
    const int value = digits.match(text).hasMatch() ? text.toInt() : 0;
    if (value < 1 || value > largest) {
        error = Usage(QString("%1 musi być liczbą całkowitą od 1 do %2 (podano \"%3\")")
                          .arg(what)
                          .arg(largest)
                          .arg(text));
        return std::nullopt;
    }
    return value;
}

double Real(const QString& text)
{
    return ConvertReal(text.toStdString());
}

std::int32_t Whole(const QString& text)
{
    return ConvertWhole(text.toStdString());
}

} // namespace

CliParseResult ParseCliArguments(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QStringList valued = {
        "density",  "weather", "wind",          "round",          "rect",
        "material", "hall",    "building-rect", "building-round", "building-adjustable",
        "model",    "format",  "wind-sweep"};
    for (const QString& name : valued)
        parser.addOption(QCommandLineOption(name, QString(), "value"));
    for (const char* name : {"printer", "all", "help", "version"})
        parser.addOption(QCommandLineOption(name));

    if (!parser.parse(arguments))
        return Usage(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return Usage("nieoczekiwany argument: " + parser.positionalArguments().first());
    if (parser.isSet("help"))
        return CliInformation{kHelp};
    if (parser.isSet("version"))
        return CliInformation{"wywietrznik-cli 1.1.0.0\n"};

    // Each option at most once.
    for (const QString& name : parser.optionNames()) {
        if (parser.optionNames().count(name) > 1)
            return Usage(QString("opcja %1 podana więcej niż raz").arg(Dashed(name)));
    }
    // Only one of each alternative.
    const std::vector<QStringList> alternatives = {
        {"density", "weather"},
        {"round", "rect"},
        {"hall", "building-rect", "building-round", "building-adjustable"},
        {"all", "model"},
        {"all", "wind-sweep"},
        {"printer", "all"},
        {"printer", "wind-sweep"},
    };
    for (const QStringList& group : alternatives) {
        QStringList given;
        for (const QString& name : group) {
            if (parser.isSet(name))
                given << Dashed(name);
        }
        if (given.size() > 1)
            return Usage(QString("opcje %1 i %2 wykluczają się").arg(given[0], given[1]));
    }

    // Single-value options take no comma.
    for (const char* name : {"density", "wind", "round", "material", "model"}) {
        if (parser.isSet(name) && parser.value(name).contains(','))
            return Usage(QString("opcja %1 przyjmuje jedną wartość (bez przecinka; część "
                                 "dziesiętną oddziela kropka): %2")
                             .arg(Dashed(name), parser.value(name)));
    }

    CliRequest request;
    std::optional<CliUsageError> error;

    if (parser.isSet("format")) {
        const QString format = parser.value("format");
        if (format == "json")
            request.format = CliRequest::Format::Json;
        else if (format != "text")
            return Usage("opcja --format przyjmuje text albo json, podano: " + format);
    }
    request.all = parser.isSet("all");
    request.printer = parser.isSet("printer");
    if (request.printer && request.format == CliRequest::Format::Json)
        return Usage("opcje --printer i --format json wykluczają się");

    // Air.
    if (parser.isSet("density")) {
        request.densityTyped = true;
        request.density = Real(parser.value("density"));
    } else if (parser.isSet("weather")) {
        const auto values = ListValues(parser.value("weather"), "weather", 3, 3, error);
        if (!values)
            return *error;
        request.densityTyped = false;
        request.temperature = Whole((*values)[0]);
        request.pressure = Whole((*values)[1]);
        request.humidity = Whole((*values)[2]);
    } else {
        return Usage("brak opcji --density albo --weather (gęstość powietrza)");
    }

    // Wind: a sweep replaces the single wind speed.
    if (parser.isSet("wind-sweep")) {
        const QStringList parts = parser.value("wind-sweep").split(':');
        if (parts.size() != 3)
            return Usage("opcja --wind-sweep wymaga postaci OD:DO:KROK, podano: " +
                         parser.value("wind-sweep"));
        request.windSweep = true;
        request.sweepFrom = Real(parts[0]);
        request.sweepTo = Real(parts[1]);
        request.sweepStep = Real(parts[2]);
        if (!(request.sweepStep > 0.0) || !(request.sweepTo >= request.sweepFrom) ||
            (request.sweepTo - request.sweepFrom) / request.sweepStep > 100000.0)
            return Usage("opcja --wind-sweep wymaga OD <= DO i dodatniego KROKU, najwyżej "
                         "100000 kroków: " +
                         parser.value("wind-sweep"));
        if (parser.isSet("wind"))
            return Usage("opcje --wind i --wind-sweep wykluczają się");
    } else if (parser.isSet("wind")) {
        request.windSpeed = Real(parser.value("wind"));
    } else {
        return Usage("brak opcji --wind (prędkość wiatru)");
    }

    // Duct.
    if (parser.isSet("round")) {
        request.roundDuct = true;
        request.diameter = Real(parser.value("round"));
    } else if (parser.isSet("rect")) {
        const auto values = ListValues(parser.value("rect"), "rect", 2, 2, error);
        if (!values)
            return *error;
        request.roundDuct = false;
        request.sideA = Real((*values)[0]);
        request.sideB = Real((*values)[1]);
    } else {
        return Usage("brak opcji --round albo --rect (kanał)");
    }
    if (parser.isSet("material")) {
        const auto material = Choice(parser.value("material"), "--material", 6, error);
        if (!material)
            return *error;
        request.material = *material;
    }

    // Installation.
    if (parser.isSet("hall")) {
        const auto values = ListValues(parser.value("hall"), "hall", 1, 2, error);
        if (!values)
            return *error;
        request.installation = CliRequest::Installation::Hall;
        request.hallLength = Real((*values)[0]);
        if (values->size() == 2) {
            const auto inlet = Choice((*values)[1], "wlot w --hall", 3, error);
            if (!inlet)
                return *error;
            request.inlet = *inlet;
        }
    } else if (parser.isSet("building-rect")) {
        const auto v = ListValues(parser.value("building-rect"), "building-rect", 5, 5, error);
        if (!v)
            return *error;
        request.installation = CliRequest::Installation::BuildingRectangular;
        request.storeyHeight = Real((*v)[0]);
        request.storeys = Whole((*v)[1]);
        request.grilleHeight = Real((*v)[2]);
        request.grilleWidth = Real((*v)[3]);
        request.grilleLoss = Real((*v)[4]);
    } else if (parser.isSet("building-round")) {
        const auto v = ListValues(parser.value("building-round"), "building-round", 4, 4, error);
        if (!v)
            return *error;
        request.installation = CliRequest::Installation::BuildingRound;
        request.storeyHeight = Real((*v)[0]);
        request.storeys = Whole((*v)[1]);
        request.grilleDiameter = Real((*v)[2]);
        request.grilleLoss = Real((*v)[3]);
    } else if (parser.isSet("building-adjustable")) {
        const auto v =
            ListValues(parser.value("building-adjustable"), "building-adjustable", 4, 4, error);
        if (!v)
            return *error;
        const auto grille = Choice((*v)[2], "kratka w --building-adjustable", 5, error);
        if (!grille)
            return *error;
        request.installation = CliRequest::Installation::BuildingAdjustable;
        request.storeyHeight = Real((*v)[0]);
        request.storeys = Whole((*v)[1]);
        request.grille = *grille;
        request.opening = Whole((*v)[3]);
    } else {
        return Usage("brak opcji --hall, --building-rect, --building-round albo "
                     "--building-adjustable (instalacja)");
    }

    // Model.
    if (parser.isSet("model")) {
        const auto model = Choice(parser.value("model"), "--model", 27, error);
        if (!model)
            return *error;
        request.model = *model;
    } else if (!request.all) {
        return Usage("brak opcji --model (wywietrznik 1..27) albo --all");
    }
    return request;
}
