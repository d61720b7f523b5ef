#include "project/project_json.h"

#include <iterator>

namespace {

using G = ProjectGroup;
using S = CalcState;

const ProjectField kFields[] = {
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
    {G::Ventilator, "VentilatorIndex", &S::VentilatorIndex, 0, 27},
    {G::Results, "ResultsShown", &S::ResultsShown, 0, 1},
    {G::Results, "ResultsPrintable", &S::ResultsPrintable, 0, 1},
    {G::Results, "FlowPerHour", &S::FlowPerHour},
    {G::Results, "VentilatorSuction", &S::VentilatorSuction},
    {G::Results, "DuctVelocity", &S::DuctVelocity},
};

} // namespace

const ProjectField* ProjectFieldsBegin()
{
    return std::begin(kFields);
}

const ProjectField* ProjectFieldsEnd()
{
    return std::end(kFields);
}

const char* ProjectGroupKey(ProjectGroup group)
{
    switch (group) {
    case ProjectGroup::Inputs:
        return "inputs";
    case ProjectGroup::Ventilator:
        return "ventilator";
    case ProjectGroup::Results:
        break;
    }
    return "results";
}
