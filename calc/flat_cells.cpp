// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/flat_cells.h"

#include "calc/number_format.h"
#include "calc/result.h"
#include "calc/schedule_cells.h"
#include "calc/selection.h"

#include <cmath>
#include <optional>

namespace {

// Beyond this no count of a flat is meant; it also keeps the cast safe.
constexpr double kMostWhole = 1e9;

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A count typed: a whole number, or why not. Its bounds are the flat's.
Result<std::int32_t> ReadWhole(std::string_view text)
{
    const std::optional<double> value = StrictFieldNumber(text);
    if (!value)
        return Failure{NotANumberReason(text)};
    if (*value != std::floor(*value) || std::fabs(*value) > kMostWhole)
        return Failure{"„" + std::string(text) +
                       "” nie jest liczbą całkowitą – wpisz liczbę "
                       "całkowitą."};
    return static_cast<std::int32_t>(*value);
}

double& RealField(FlatSupply& f, FlatField field)
{
    switch (field) {
    case FlatField::InletFlow:
        return f.inletFlow;
    case FlatField::InletPressure:
        return f.inletPressure;
    case FlatField::InletExponent:
        return f.inletExponent;
    case FlatField::LeakFlow:
        return f.leakFlow;
    case FlatField::LeakPressure:
        return f.leakPressure;
    default:
        return f.leakExponent;
    }
}

// The supply with the text typed into one of its fields.
Result<FlatSupply> Typed(FlatSupply f, FlatField field, std::string_view text)
{
    if (field == FlatField::Flat) {
        f.flat = std::string(text);
        return f;
    }
    if (field == FlatField::Storey || field == FlatField::Inlets) {
        const Result<std::int32_t> whole = ReadWhole(text);
        if (!whole)
            return whole.Fault();
        (field == FlatField::Storey ? f.storey : f.inlets) = whole.Value();
        return f;
    }
    const std::optional<double> value = StrictFieldNumber(text);
    if (!value)
        return Failure{NotANumberReason(text)};
    RealField(f, field) = *value;
    return f;
}

} // namespace

FlatCellRead ReadFlatCell(const FlatSupply& supply, FlatField field, std::string_view text)
{
    const Result<FlatSupply> changed = Typed(supply, field, Trim(text));
    if (!changed)
        return {supply, changed.Reason()};
    if (const FlatFault fault = CheckFlatSupply(changed.Value()); !fault.Empty())
        return {supply, fault.reason};
    return {changed.Value(), {}};
}

std::string RepeatedFlat(const std::vector<FlatSupply>& flats)
{
    for (std::size_t i = 0; i < flats.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (flats[j].flat == flats[i].flat && flats[j].storey == flats[i].storey)
                return "mieszkanie " + flats[i].flat + " na kondygnacji " +
                       FormatWhole(flats[i].storey) + " jest już w tabeli (wiersz " +
                       FormatWhole(static_cast<std::int32_t>(j + 1)) + ").";
        }
    }
    return {};
}

std::vector<ScheduleRow> RowsFollowingFlat(std::vector<ScheduleRow> rows, const FlatSupply& before,
                                           const FlatSupply& after)
{
    for (ScheduleRow& row : rows) {
        if (row.flat == before.flat && row.storey == before.storey) {
            row.flat = after.flat;
            row.storey = after.storey;
        }
    }
    return rows;
}
