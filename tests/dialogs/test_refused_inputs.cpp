// The impossible inputs of the shared table, typed into the dialogs: each is
// refused with its reason, the dialog stays open and the state is untouched.
#include "dialogs/dialog.h"
#include "dialogs/dialog1.h"
#include "dialogs/dialog2.h"
#include "dialogs/dialog22.h"
#include "dialogs/dialog3.h"
#include "dialogs/dialog33.h"
#include "dialogs/dialog333.h"

#include "input_dialog_support.h"
#include "refused_inputs.h"
#include "test_main.h"

#include <map>
#include <memory>

namespace {

template <class T> std::unique_ptr<QDialog> Make(CalcState& state)
{
    return std::make_unique<T>(state);
}

std::unique_ptr<QDialog> MakeDialog(const QString& name, CalcState& state)
{
    static const std::map<QString, std::unique_ptr<QDialog> (*)(CalcState&)> factories = {
        {"OKBottomDlg", Make<TOKBottomDlg>},
        {"Form3", Make<TForm3>},
        {"Form1", Make<TForm1>},
        {"Form4", Make<TForm4>},
        {"Form2", Make<TForm2>},
        {"Form22", Make<TForm22>},
        {"Form222", Make<TForm222>},
    };
    return factories.at(name)(state);
}

QPushButton* OkButton(QDialog& dialog)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == "OK")
            return button;
    }
    return nullptr;
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
        Click(OkButton(*dialog));
        QTRY_COMPARE(catcher.Messages().size(), 1);
        QCOMPARE(catcher.Messages()[0].text, input.reason);
        QVERIFY(dialog->isVisible());
        QCOMPARE(state, before);
        QVERIFY(QDir().entryList({"*.sav"}).isEmpty()); // no value file saved
    }
};

WYW_GUI_TEST_MAIN(TestRefusedInputs)
#include "test_refused_inputs.moc"
