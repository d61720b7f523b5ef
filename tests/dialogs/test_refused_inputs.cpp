// SPDX-License-Identifier: GPL-3.0-or-later
// The impossible inputs of the shared table, typed into the dialogs: each is
// refused with its reason, the dialog stays open and the state is untouched.
#include "dialogs/hall_dialog.h"
#include "dialogs/rectangular_duct_dialog.h"
#include "dialogs/rectangular_grille_dialog.h"
#include "dialogs/round_duct_dialog.h"
#include "dialogs/round_grille_dialog.h"
#include "dialogs/typed_density_dialog.h"
#include "dialogs/weather_dialog.h"

#include "input_dialog_support.h"
#include "refused_inputs.h"
#include "test_main.h"

#include <map>
#include <memory>

namespace {

template <class T> std::unique_ptr<OkCancelDialog> Make(CalcState& state)
{
    return std::make_unique<T>(state);
}

std::unique_ptr<OkCancelDialog> MakeDialog(const QString& name, CalcState& state)
{
    static const std::map<QString, std::unique_ptr<OkCancelDialog> (*)(CalcState&)> factories = {
        {"OKBottomDlg", Make<TypedDensityDialog>},
        {"Form3", Make<WeatherDialog>},
        {"Form1", Make<RectangularDuctDialog>},
        {"Form4", Make<RoundDuctDialog>},
        {"Form2", Make<HallDialog>},
        {"Form22", Make<RectangularGrilleDialog>},
        {"Form222", Make<RoundGrilleDialog>},
    };
    return factories.at(name)(state);
}

} // namespace

class TestRefusedInputs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallTestFont(); }

    void refusedByDialogs_data() { AddRefusedInputRows(); }
    void refusedByDialogs()
    {
        QFETCH(int, row);
        const RefusedInput& input = RefusedInputs()[row];
        WorkingDirectory dir;
        CalcState state;
        state.AirDensity = 1.2;
        const CalcState before = state;
        const auto dialog = MakeDialog(input.dialog, state);
        QVERIFY(OpenDialog(*dialog));
        MessageCatcher catcher;
        for (qsizetype i = 0; i < input.fields.size(); ++i)
            Type(Control<QLineEdit>(*dialog, qPrintable(QString("Edit%1").arg(i + 1))),
                 input.fields[i]);
        ClickOk(*dialog);
        QTRY_COMPARE(catcher.Messages().size(), 1);
        QCOMPARE(catcher.Messages()[0].text, input.reason);
        QVERIFY(dialog->isVisible());
        QCOMPARE(state, before);
        QVERIFY(QDir().entryList({"*.sav"}).isEmpty()); // no value file saved
    }
};

WYW_GUI_TEST_MAIN(TestRefusedInputs)
#include "test_refused_inputs.moc"
