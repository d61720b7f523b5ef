// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/project_json.h"

#include "calc/catalogue.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <memory>
#include <set>
#include <vector>

const ProjectField* ProjectFieldsBegin()
{
    return StateFields().data();
}

const ProjectField* ProjectFieldsEnd()
{
    return std::to_address(StateFields().end());
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

namespace {

// "Edit1", …, "Edit<last>".
QStringList Numbered(const char* stem, int last)
{
    QStringList names;
    for (int i = 1; i <= last; ++i)
        names.append(QLatin1String(stem) + QString::number(i));
    return names;
}

} // namespace

const std::map<QString, QStringList>& InputDialogControls()
{
    static const std::map<QString, QStringList> dialogs = {
        {"OKBottomDlg3", Numbered("RadioButton", 2)},                   // how the density is given
        {"OKBottomDlg", Numbered("Edit", 2)},                           // the density typed
        {"Form3", Numbered("Edit", 4)},                                 // the weather
        {"OKBottomDlg333", Numbered("RadioButton", 2)},                 // the duct's shape
        {"Form4", Numbered("Edit", 1)},                                 // the round duct
        {"Form1", Numbered("Edit", 2)},                                 // the rectangular duct
        {"OKBottomDlg33333", Numbered("RadioButton", 6)},               // the material
        {"OKBottomDlg3333", Numbered("RadioButton", 4)},                // the installation
        {"Form2", Numbered("Edit", 1) + Numbered("RadioButton", 3)},    // the hall
        {"Form22", Numbered("Edit", 5)},                                // the rectangular grille
        {"Form222", Numbered("Edit", 4)},                               // the round grille
        {"Form2222", {"ComboBox1", "Edit1", "Edit2", "Edit4"}},         // the adjustable grille
        {"OKBottomDlg_wyw", Numbered("RadioButton", kVentilatorCount)}, // the ventilator
    };
    return dialogs;
}

namespace {

// A JSON string's text with its quotes, decoded.
QString DecodedString(const QByteArray& quoted)
{
    if (!quoted.contains('\\'))
        return QString::fromUtf8(quoted.mid(1, quoted.size() - 2));
    return QJsonDocument::fromJson("[" + quoted + "]").array().at(0).toString();
}

} // namespace

std::optional<QString> DuplicateKey(const QByteArray& json)
{
    struct Level {
        bool object;
        bool expectKey;
        std::set<QString> keys;
    };
    std::vector<Level> levels;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '"') {
            qsizetype end = i + 1;
            while (end < json.size() && json[end] != '"')
                end += json[end] == '\\' ? 2 : 1;
            if (!levels.empty() && levels.back().object && levels.back().expectKey) {
                const QString key = DecodedString(json.mid(i, end - i + 1));
                if (!levels.back().keys.insert(key).second)
                    return key;
                levels.back().expectKey = false;
            }
            i = end;
        } else if (c == '{' || c == '[') {
            levels.push_back({c == '{', c == '{', {}});
        } else if ((c == '}' || c == ']') && !levels.empty()) {
            levels.pop_back();
        } else if (c == ',' && !levels.empty() && levels.back().object) {
            levels.back().expectKey = true;
        }
    }
    return std::nullopt;
}
