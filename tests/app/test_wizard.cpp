// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ventilator_command.h"
#include "app/wizard.h"
#include "calc/derived.h"
#include "calc/inputs.h"

#include <QtTest>

#include <functional>
#include <map>

namespace {

// Plays the user: answers each dialog from a script and lets a confirmed
// dialog write its choice, as the real dialogs do.
class ScriptedSteps : public WizardSteps {
public:
    ScriptedSteps(CalcState& state, std::map<WizardDialog, bool> answers)
        : state_(state)
        , answers_(std::move(answers))
    {
    }

    std::map<WizardDialog, std::function<void(CalcState&)>> effects;
    QList<WizardDialog> shown;
    int ventilatorCommands = 0;
    int repaints = 0;

    bool Confirm(WizardDialog dialog) override
    {
        shown << dialog;
        const auto answer = answers_.find(dialog);
        const bool confirmed = answer == answers_.end() || answer->second;
        if (confirmed && effects.count(dialog))
            effects[dialog](state_);
        return confirmed;
    }
    void RunVentilatorCommand() override { ++ventilatorCommands; }
    void Repaint() override { ++repaints; }

private:
    CalcState& state_;
    std::map<WizardDialog, bool> answers_;
};

using D = WizardDialog;

} // namespace

Q_DECLARE_METATYPE(WizardDialog)
Q_DECLARE_METATYPE(Installation)

class TestWizard : public QObject {
    Q_OBJECT
private slots:
    void chains_data()
    {
        QTest::addColumn<bool>("densityEntered");
        QTest::addColumn<bool>("ductRound");
        QTest::addColumn<Installation>("installation");
        QTest::addColumn<QList<WizardDialog>>("expected");
        QTest::addColumn<bool>("isHall");
        QTest::newRow("typed density, rectangular duct, hall")
            << true << false << Installation::Hall
            << QList<D>{D::DensityMode,  D::TypedDensity,     D::DuctShape, D::RectangularDuct,
                        D::DuctMaterial, D::InstallationType, D::Hall}
            << true;
        QTest::newRow("weather, round duct, rectangular grille")
            << false << true << Installation::BuildingRectangular
            << QList<D>{D::DensityMode,  D::Weather,          D::DuctShape,          D::RoundDuct,
                        D::DuctMaterial, D::InstallationType, D::BuildingRectangular}
            << false;
        QTest::newRow("round fixed grille")
            << true << true << Installation::BuildingRound
            << QList<D>{D::DensityMode,  D::TypedDensity,     D::DuctShape,    D::RoundDuct,
                        D::DuctMaterial, D::InstallationType, D::BuildingRound}
            << false;
        QTest::newRow("adjustable grille")
            << true << true << Installation::BuildingAdjustable
            << QList<D>{D::DensityMode,  D::TypedDensity,     D::DuctShape,         D::RoundDuct,
                        D::DuctMaterial, D::InstallationType, D::BuildingAdjustable}
            << false;
    }
    void chains()
    {
        QFETCH(bool, densityEntered);
        QFETCH(bool, ductRound);
        QFETCH(Installation, installation);
        QFETCH(QList<WizardDialog>, expected);
        CalcState state;
        state.IsHall = true; // from an earlier run
        state.ResultsShown = state.ResultsPrintable = true;
        ScriptedSteps steps(state, {});
        steps.effects[D::DensityMode] = [=](CalcState& s) { s.DensityEntered = densityEntered; };
        steps.effects[D::DuctShape] = [=](CalcState& s) { s.DuctRound = ductRound; };
        steps.effects[D::InstallationType] = [=](CalcState& s) {
            s.InstallationType = installation;
        };
        QCOMPARE(RunCalculationWizard(state, steps), 4);
        QCOMPARE(steps.shown, expected);
        QTEST(state.IsHall, "isHall");
        QCOMPARE(steps.ventilatorCommands, 1);
        QCOMPARE(steps.repaints, 1);
        QCOMPARE(state.ResultsShown, false); // set again only by a successful calculation
    }

    // A cancel at every step ends the chain with the counter reached so far.
    void cancelAtEveryStep_data()
    {
        QTest::addColumn<WizardDialog>("cancelled");
        QTest::addColumn<int>("counter");
        QTest::newRow("density mode") << D::DensityMode << 0;
        QTest::newRow("typed density") << D::TypedDensity << 0;
        QTest::newRow("duct shape") << D::DuctShape << 1;
        QTest::newRow("duct size") << D::RectangularDuct << 1;
        QTest::newRow("material") << D::DuctMaterial << 2;
        QTest::newRow("installation type") << D::InstallationType << 3;
        QTest::newRow("hall") << D::Hall << 3;
    }
    void cancelAtEveryStep()
    {
        QFETCH(WizardDialog, cancelled);
        CalcState state;
        state.DensityEntered = true;
        state.IsHall = state.ResultsShown = state.ResultsPrintable = true;
        state.AirDensity = 1.2; // inputs of the earlier run stay
        ScriptedSteps steps(state, {{cancelled, false}});
        QTEST(RunCalculationWizard(state, steps), "counter");
        QCOMPARE(steps.shown.last(), cancelled);
        QCOMPARE(steps.ventilatorCommands, 0);
        QCOMPARE(steps.repaints, 1);
        QCOMPARE(state.IsHall, false);
        QCOMPARE(state.ResultsShown, false);
        QCOMPARE(state.ResultsPrintable, false);
        QCOMPARE(state.AirDensity, 1.2);
        QCOMPARE(state.InstallationType, Installation::Hall);
    }

    void ventilatorChoiceNamesTheModelBeforeComputing()
    {
        CalcState state;
        ApplyTypedAir(state, 1.2, 4.0);
        ApplyRoundDuct(state, 0.16);
        state.DuctRound = true;
        state.DuctRoughness = 1.8;
        ApplyHall(state, 5.0, 0.5);
        state.IsHall = true;
        state.VentilatorIndex = 5;
        const OperatingPoint found = ApplyVentilatorChoice(state);
        QCOMPARE(found.status, OperatingPointStatus::Found);
        QCOMPARE(state.VentilatorName, std::string_view("KALMO-160"));
        QCOMPARE(state.ResultsShown, true);

        // A model without an operating point on a duct where model 1 has none.
        CalcState steep = state;
        ApplyRoundDuct(steep, 0.1);
        ApplyHall(steep, 1.0, 0.1);
        steep.WindSpeed = 10.0;
        steep.VentilatorIndex = 1;
        const OperatingPoint none = ApplyVentilatorChoice(steep);
        QCOMPARE(none.status, OperatingPointStatus::NoOperatingPoint);
        QCOMPARE(steep.VentilatorName, std::string_view("KALMO 100"));
        QCOMPARE(steep.FlowPerHour, state.FlowPerHour); // results stay...
        QCOMPARE(steep.ResultsShown, false);            // ...but are not shown
        QCOMPARE(steep.ResultsPrintable, false);
        QCOMPARE(CalculationFailureText(none), QString("Niewłaściwe obliczenia!!!"));
    }

    void refusedInputsGiveTheReason()
    {
        CalcState state; // right after start-up
        state.VentilatorIndex = 1;
        const OperatingPoint refused = ApplyVentilatorChoice(state);
        QCOMPARE(refused.status, OperatingPointStatus::Refused);
        const QStringList lines = CalculationFailureText(refused).split('\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QString("Niewłaściwe obliczenia!!!"));
        QVERIFY(lines[1].contains("Gęstość powietrza"));
    }
};

QTEST_GUILESS_MAIN(TestWizard)
#include "test_wizard.moc"
