// SPDX-License-Identifier: GPL-3.0-or-later
// "Obliczenia → Karta doboru…" of the main window.
#include "app/main_window.h"
#include "app/program_windows.h"
#include "calc/calc_state.h"
#include "compare/compare_window.h"
#include "compare/sheet_dialog.h"
#include "compare/sheet_pdf.h"

Outcome MainWindow::SaveSheet(const QString& path, const QString& project, const QString& duct)
{
    if (!state_.ResultsShown || state_.VentilatorIndex < 1 ||
        state_.VentilatorIndex > kVentilatorCount)
        return FailureOf(QStringLiteral("Nie ma jeszcze obliczeń, z których można sporządzić "
                                        "kartę doboru. Wykonaj najpierw obliczenia "
                                        "(Obliczenia → Nowe obliczenia)."));
    SheetCase sheet = windows_.Comparison().SheetCaseOf(state_.VentilatorIndex);
    sheet.project = project.toStdString();
    sheet.duct = duct.toStdString();
    return WriteSelectionSheets(path, {sheet});
}

Outcome MainWindow::FileSheet()
{
    if (!state_.ResultsShown)
        return SaveSheet(QString(), QString(), QString());
    const std::optional<SheetChoice> choice =
        AskSheet(this, QString(), true, QStringLiteral("karta_doboru.pdf"));
    if (!choice)
        return {};
    return SaveSheet(choice->path, choice->project, choice->duct);
}
