// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs and controls that the file reader knows are exactly those that
// the program's windows save.
#include "app/program_windows.h"
#include "app/project_windows.h"
#include "project/project_json.h"
#include "test_main.h"

#include <QTemporaryDir>

class TestDialogControls : public QObject {
    Q_OBJECT
private slots:
    void sameAsTheWindows()
    {
        QTemporaryDir directory;
        CalcState state;
        const ProgramWindows windows{state, QStringList{directory.path()}};
        std::map<QString, QStringList> saved;
        for (const auto& [dialog, controls] : CollectDialogControls(windows)) {
            QStringList& names = saved[dialog];
            for (const auto& [control, value] : controls)
                names.append(control);
        }
        std::map<QString, QStringList> known = InputDialogControls();
        for (auto& [dialog, names] : known)
            names.sort();
        QCOMPARE(known, saved);
    }
};

WYW_GUI_TEST_MAIN(TestDialogControls)
#include "test_dialog_controls.moc"
