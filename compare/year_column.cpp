// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/year_column.h"

#include "calc/catalogue.h"
#include "calc/number_format.h"
#include "calc/selection.h"

#include <limits>
#include <utility>

namespace {

// A percentage as typed back: "90", "92.5".
std::string PercentText(double percent)
{
    std::string text = FormatFixed(percent, 2);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

// The Qh by which models of one Dn rank; a model without a point after the others.
double RankFlow(const ComparisonRow& row)
{
    return row.HasPoint() ? row.point.flowPerHour : std::numeric_limits<double>::infinity();
}

bool RanksBefore(const ComparisonRow& a, const ComparisonRow& b)
{
    const double dn = LookUpVentilator(a.number).NominalDiameter;
    const double otherDn = LookUpVentilator(b.number).NominalDiameter;
    if (dn != otherDn)
        return dn < otherDn;
    if (RankFlow(a) != RankFlow(b))
        return RankFlow(a) < RankFlow(b);
    return a.number < b.number;
}

std::string ModelText(int number)
{
    return std::string(VentilatorCaption(number)) + " (nr " + FormatWhole(number) + ")";
}

} // namespace

Result<double> ReadYearShare(std::string_view text)
{
    if (text.find_first_not_of(" \t") == std::string_view::npos)
        return kDefaultYearSharePercent;
    const std::optional<double> value = StrictFieldNumber(text);
    if (!value)
        return Failure{"Udział godzin „" + std::string(text) +
                       "” nie jest liczbą. Wpisz liczbę od 0 do 100, np. 90 lub 92,5."};
    if (!(*value >= 0.0 && *value <= 100.0))
        return Failure{"Udział godzin musi wynosić od 0 do 100 %."};
    return *value;
}

void SetYearShares(std::vector<ComparisonRow>& rows, const std::vector<YearOutcome>& outcomes)
{
    for (ComparisonRow& row : rows) {
        if (row.number >= 1 && static_cast<std::size_t>(row.number) <= outcomes.size())
            row.yearShare = outcomes[static_cast<std::size_t>(row.number - 1)].MeetingShare();
    }
}

int SuggestByYear(std::vector<ComparisonRow>& rows, double leastPercent)
{
    const ComparisonRow* best = nullptr;
    for (const ComparisonRow& row : rows) {
        if (row.number < 1 || row.number > kVentilatorCount || row.yearShare < 0.0 ||
            !(row.yearShare >= leastPercent / 100.0))
            continue;
        if (best == nullptr || RanksBefore(row, *best))
            best = &row;
    }
    const int suggested = best == nullptr ? 0 : best->number;
    for (ComparisonRow& row : rows)
        row.suggested = row.number == suggested;
    return suggested;
}

std::string YearSuggestionText(const std::vector<ComparisonRow>& rows, double need,
                               double leastPercent, bool distribution)
{
    if (!(need > 0.0))
        return {};
    const std::string of = distribution ? " % czasu" : " % godzin okresu";
    const std::string asked = "wymaganie Qh = " + FormatFixed(need, 1) + " m3/h w co najmniej " +
                              PercentText(leastPercent) + of;
    const ComparisonRow* suggested = nullptr;
    const ComparisonRow* most = nullptr;
    for (const ComparisonRow& row : rows) {
        if (row.suggested)
            suggested = &row;
        if (row.yearShare >= 0.0 && (most == nullptr || row.yearShare > most->yearShare))
            most = &row;
    }
    if (suggested != nullptr)
        return "Proponowany: " + ModelText(suggested->number) + " – spośród modeli spełniających " +
               asked + " ma najmniejszą średnicę Dn = " +
               FormatFixed(LookUpVentilator(suggested->number).NominalDiameter, 3) +
               " m; spełnia wymaganie w " + YearShareCell(*suggested) + of + " (wymagane " +
               PercentText(leastPercent) + " %).";
    std::string text = "Żaden wywietrznik nie spełnia: " + asked + ".";
    if (most != nullptr)
        text += " Najczęściej spełnia je " + ModelText(most->number) + ": w " +
                YearShareCell(*most) + of + ".";
    return text + " Wymagana wydajność wynika z normy: zwiększ przekrój przewodu, zastosuj "
                  "kratkę o mniejszym ζ, zapewnij dopływ powietrza (nawiewniki) albo "
                  "wspomaganie mechaniczne.";
}

YearColumnCache::Key YearColumnCache::KeyOf(const YearColumnInputs& inputs)
{
    Key key;
    key.weather = inputs.weather.get();
    // What the year does not use: the wind of the single run, the model chosen and its results.
    key.state = inputs.state;
    key.state.WindSpeed = 0.0;
    key.state.VentilatorIndex = 0;
    key.state.VentilatorName = {};
    key.state.DuctVelocity = 0.0;
    key.state.FlowPerHour = 0.0;
    key.state.VentilatorSuction = 0.0;
    key.state.ResultsShown = false;
    key.state.ResultsPrintable = false;
    const WeatherSource* source = inputs.weather ? &inputs.weather->source : nullptr;
    key.inside = inputs.draught ? inputs.draught->inside : (source ? source->inside : 0.0);
    key.outside = inputs.draught ? inputs.draught->outside : (source ? source->outside : 0.0);
    key.height = inputs.draught ? inputs.draught->height : inputs.state.DuctLength;
    key.need = inputs.need;
    key.pressure = inputs.pressure;
    key.site = inputs.site;
    key.period = {inputs.period.fromMonth, inputs.period.fromDay, inputs.period.toMonth,
                  inputs.period.toDay};
    return key;
}

bool YearColumnCache::Holds(const YearColumnInputs& inputs) const
{
    return valid_ && key_ == KeyOf(inputs);
}

const Result<std::vector<YearOutcome>>& YearColumnCache::Outcomes(const YearColumnInputs& inputs)
{
    if (Holds(inputs) || !inputs.weather)
        return outcomes_;
    key_ = KeyOf(inputs);
    weather_ = inputs.weather;
    used_ = weather_;
    if (used_->source.inside != key_.inside || used_->source.outside != key_.outside) {
        auto adjusted = std::make_shared<LoadedWeather>(*weather_);
        adjusted->source.inside = key_.inside;
        adjusted->source.outside = key_.outside;
        used_ = std::move(adjusted);
    }
    question_ = YearQuestion{};
    question_.state = inputs.state;
    question_.height = key_.height;
    question_.need = inputs.need;
    question_.pressure = inputs.pressure;
    question_.site = inputs.site;
    question_.period = inputs.period;
    outcomes_ = EvaluateYearAllModels(*used_, question_);
    valid_ = true;
    ++computations_;
    return outcomes_;
}
