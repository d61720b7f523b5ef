#pragma once

#include "calc/calc_state.h"

#include <cstdint>
#include <string_view>
#include <variant>

// The calculation state's fields as the project file groups them, in the
// order they are written. `least` and `most` bound an integer field.
enum class ProjectGroup { Inputs, Ventilator, Results };

struct ProjectField {
    ProjectGroup group;
    std::string_view name;
    std::variant<std::int32_t CalcState::*, double CalcState::*> member;
    std::int32_t least = INT32_MIN;
    std::int32_t most = INT32_MAX;
};

// Every field of CalcState but VentilatorName, which follows VentilatorIndex.
const ProjectField* ProjectFieldsBegin();
const ProjectField* ProjectFieldsEnd();

// The group's key in the file: "inputs", "ventilator", "results".
const char* ProjectGroupKey(ProjectGroup group);
