// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/state_fields.h"

#include "calc/catalogue.h"

#include <cmath>
#include <optional>
#include <type_traits>

namespace {

using G = FieldGroup;
using S = CalcState;

const StateField kFields[] = {
    {G::Inputs, "DensityEntered", &S::DensityEntered, 0, 1},
    {G::Inputs, "AirDensity", &S::AirDensity},
    {G::Inputs, "WindSpeed", &S::WindSpeed},
    {G::Inputs, "DuctRound", &S::DuctRound, 0, 1},
    {G::Inputs, "DuctDiameter", &S::DuctDiameter},
    {G::Inputs, "DuctArea", &S::DuctArea},
    {G::Inputs, "DuctSideA", &S::DuctSideA},
    {G::Inputs, "DuctSideB", &S::DuctSideB},
    {G::Inputs, "DuctRoughness", &S::DuctRoughness},
    {G::Inputs, "InstallationType", &S::InstallationType, 0, 3},
    {G::Inputs, "IsHall", &S::IsHall, 0, 1},
    {G::Inputs, "DuctLength", &S::DuctLength},
    {G::Inputs, "LossCoefficient", &S::LossCoefficient},
    {G::Inputs, "StoreyCount", &S::StoreyCount},
    {G::Inputs, "StoreyHeight", &S::StoreyHeight},
    {G::Inputs, "GrilleSizeA", &S::GrilleSizeA},
    {G::Inputs, "GrilleSizeB", &S::GrilleSizeB},
    {G::Inputs, "GrilleArea", &S::GrilleArea},
    {G::Ventilator, "VentilatorIndex", &S::VentilatorIndex, 0, kVentilatorCount},
    {G::Results, "ResultsShown", &S::ResultsShown, 0, 1},
    {G::Results, "ResultsPrintable", &S::ResultsPrintable, 0, 1},
    {G::Results, "FlowPerHour", &S::FlowPerHour},
    {G::Results, "VentilatorSuction", &S::VentilatorSuction},
    {G::Results, "DuctVelocity", &S::DuctVelocity},
};

double NumberOf(bool flag)
{
    return flag ? 1.0 : 0.0;
}

double NumberOf(Installation installation)
{
    return InstallationNumber(installation);
}

double NumberOf(std::int32_t whole)
{
    return whole;
}

double NumberOf(double real)
{
    return real;
}

bool Set(bool& flag, std::int32_t number)
{
    flag = number != 0;
    return true;
}

bool Set(Installation& installation, std::int32_t number)
{
    const std::optional<Installation> known = InstallationOfNumber(number);
    if (known)
        installation = *known;
    return known.has_value();
}

bool Set(std::int32_t& whole, std::int32_t number)
{
    whole = number;
    return true;
}

} // namespace

std::span<const StateField> StateFields()
{
    return kFields;
}

const StateField* FindStateField(std::string_view name)
{
    for (const StateField& field : kFields) {
        if (field.name == name)
            return &field;
    }
    return nullptr;
}

double FieldNumber(const CalcState& state, const StateField& field)
{
    return std::visit([&](auto member) { return NumberOf(state.*member); }, field.member);
}

bool SetFieldNumber(CalcState& state, const StateField& field, double number)
{
    if (const auto* real = std::get_if<double CalcState::*>(&field.member)) {
        state.*(*real) = number;
        return true;
    }
    if (number != std::floor(number) || number < field.least || number > field.most)
        return false;
    const auto whole = static_cast<std::int32_t>(number);
    return std::visit(
        [&](auto member) {
            if constexpr (std::is_same_v<decltype(member), double CalcState::*>)
                return false; // taken above
            else
                return Set(state.*member, whole);
        },
        field.member);
}

void CopyField(CalcState& to, const CalcState& from, const StateField& field)
{
    std::visit([&](auto member) { to.*member = from.*member; }, field.member);
}
