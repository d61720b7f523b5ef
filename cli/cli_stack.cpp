// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_stack.h"

#include "calc/number_format.h"

StackConditions StackOf(const CliRequest& request, const CliInputs& inputs)
{
    StackConditions conditions = DefaultStackConditions(inputs.state);
    conditions.inside = request.stack->inside;
    conditions.outside = request.stack->outside;
    if (request.stack->height)
        conditions.height = *request.stack->height;
    conditions.underpressure = request.underpressure.value_or(0.0);
    conditions.pressure = request.stack->pressure.value_or(inputs.ambientPressure);
    return conditions;
}

std::string StackLine(const CliRequest& request, const CliInputs& inputs)
{
    const StackConditions c = StackOf(request, inputs);
    const double pressure = StackPressure(c);
    const std::string ambient = AmbientPressureLine(c.pressure);
    return "   Ciąg grawitacyjny: ti = " + FormatFixed(c.inside, 1) +
           " [°C], te = " + FormatFixed(c.outside, 1) + " [°C], H = " + FormatFixed(c.height, 2) +
           " [m], Δps = " + FormatFixed(pressure, 4) + " [Pa]" +
           (request.underpressure ? ", pf = " + FormatFixed(c.underpressure, 4) + " [Pa]" : "") +
           "\n" + (ambient.empty() ? "" : "   " + ambient + "\n");
}

QJsonObject StackJson(const CliRequest& request, const CliInputs& inputs)
{
    const StackConditions c = StackOf(request, inputs);
    QJsonObject object;
    object.insert("InsideTemperature", c.inside);
    object.insert("OutsideTemperature", c.outside);
    object.insert("Height", c.height);
    object.insert("StackPressure", StackPressure(c));
    if (c.pressure != kStackPressure)
        object.insert("AmbientPressure", c.pressure);
    if (request.underpressure)
        object.insert("Underpressure", c.underpressure);
    return object;
}
