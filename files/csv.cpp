// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/csv.h"

#include "files/visible_text.h"

char CsvSeparator(CsvForm form)
{
    return form == CsvForm::Polish ? ';' : ',';
}

std::string_view CsvFilter(CsvForm form)
{
    if (form == CsvForm::Polish)
        return "CSV dla polskiego arkusza – średnik, przecinek dziesiętny (*.csv)";
    return "CSV – przecinek, kropka dziesiętna (*.csv)";
}

std::string CsvField(std::string_view raw, char separator)
{
    std::string text = VisibleText(raw);
    const char special[] = {separator, '"'};
    if (text.find_first_of(std::string_view(special, sizeof special)) == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char ch : text) {
        if (ch == '"')
            quoted += '"';
        quoted += ch;
    }
    quoted += '"';
    return quoted;
}

std::string CsvRow(const std::vector<std::string>& fields, char separator, std::string_view lineEnd)
{
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            row += separator;
        row += CsvField(fields[i], separator);
    }
    row += lineEnd;
    return row;
}
