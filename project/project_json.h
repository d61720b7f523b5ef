// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/state_fields.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>

// The calculation state's fields as the project file groups them (format 1
// keeps them all; format 2 only the ventilator and the results), in the
// order they are written: the state's one field table (calc/state_fields.h).
using ProjectGroup = FieldGroup;
using ProjectField = StateField;

// Every field of CalcState but VentilatorName, which follows VentilatorIndex.
const ProjectField* ProjectFieldsBegin();
const ProjectField* ProjectFieldsEnd();

// The group's key in the file: "inputs", "ventilator", "results".
const char* ProjectGroupKey(ProjectGroup group);

// The first key that occurs twice in one object of a well-formed JSON text,
// decoded; nothing when every object's keys differ. (QJsonDocument keeps the
// last of such keys without a word.)
std::optional<QString> DuplicateKey(const QByteArray& json);

// The input dialogs whose controls a file keeps, by object name, with the
// object names of their controls: what the program's windows hold (a test
// compares it with them). A file naming another dialog or control is refused.
const std::map<QString, QStringList>& InputDialogControls();
