// SPDX-License-Identifier: GPL-3.0-or-later
// A calculation saved from the window and opened after a restart in another
// directory, by keys: the same state, dialog texts and report.
#include "app_test_support.h"
#include "scripted_user.h"

#include "app/main_window.h"
#include "app/program_windows.h"
#include "calc/calc_state.h"
#include "dialogs/ventilator_dialog.h"
#include "project/project_file.h"
#include "report/report_draw.h"
#include "schedule/schedule_model.h"
#include "schedule/schedule_window.h"
#include "test_main.h"
#include "ui/program_font.h"
#include "weather/weather_source.h"

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>

namespace {

using Step = ScriptedUser::Step;

struct Program {
    TemporaryWorkingDirectory directory;
    CalcState state;
    ProgramWindows windows{state, QStringList{directory.path()}};

    Program()
    {
        windows.Main().show();
        QApplication::setActiveWindow(&windows.Main());
    }

    // Keys on the main window while the user's script plays the windows.
    void Keys(const QList<std::pair<Qt::Key, Qt::KeyboardModifiers>>& keys, QList<Step> steps)
    {
        ScriptedUser user(std::move(steps));
        windows.Main().activateWindow();
        QApplication::setActiveWindow(&windows.Main());
        for (const auto& [key, modifiers] : keys) {
            // An open menu takes the keys after the one that opened it.
            QWidget* menu = QApplication::activePopupWidget();
            QTest::keyClick(menu ? menu : &windows.Main(), key, modifiers);
        }
        QVERIFY2(QTest::qWaitFor(
                     [&] { return user.Failure().isEmpty() && !QApplication::activeModalWidget(); },
                     10000),
                 qPrintable(user.Failure()));
    }

    QStringList Report()
    {
        RecordingCanvas canvas;
        windows.Main().Paint(canvas);
        QStringList lines;
        for (const DrawnText& text : canvas.Texts())
            lines << QString::number(text.y) + ' ' + text.text;
        return lines;
    }

    QString Field(const char* dialog, const char* edit)
    {
        auto* window = windows.Main().window()->findChild<QWidget*>(dialog);
        auto* field = window ? window->findChild<QLineEdit*>(edit) : nullptr;
        return field ? field->text() : QStringLiteral("(no field)");
    }
};

// Types the file's path into a file dialog and presses Enter in it.
Step InFileDialog(const char* name, const QString& path)
{
    return {name, [=](QWidget* w) {
                auto* edit = w->findChild<QLineEdit*>("fileNameEdit");
                QVERIFY(edit);
                edit->setText(path); // typed, a completer would take the Enter
                QTest::keyClick(edit, Qt::Key_Return);
            }};
}

const QList<Step> kHall = {
    {"OKBottomDlg3", [](QWidget* w) { Choose(w, "RadioButton2"), PressEnter(w); }},
    {"OKBottomDlg",
     [](QWidget* w) {
         TypeInto(w, "Edit1", "1.2"); // the value file remembers 1.20
         TypeInto(w, "Edit2", "4");
         PressEnter(w);
     }},
    {"OKBottomDlg333", [](QWidget* w) { Choose(w, "RadioButton2"), PressEnter(w); }},
    {"Form4", [](QWidget* w) { TypeInto(w, "Edit1", "0.16"), PressEnter(w); }},
    {"OKBottomDlg33333", [](QWidget* w) { PressEnter(w); }},
    {"OKBottomDlg3333", [](QWidget* w) { PressEnter(w); }},
    {"Form2",
     [](QWidget* w) { TypeInto(w, "Edit1", "5"), Choose(w, "RadioButton3"), PressEnter(w); }},
    {"OKBottomDlg_wyw", [](QWidget* w) { Choose(w, "RadioButton5"), PressEnter(w); }},
};

// Answers "Zapisać zmiany?" with the button of `caption` ("&Tak", "&Nie"), or
// with Enter when `caption` is empty.
Step AnswerSaveChanges(const QString& caption)
{
    return {"SaveChangesBox", [=](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                QVERIFY(box);
                QCOMPARE(box->text(), QString("Zapisać zmiany?"));
                if (caption.isEmpty()) {
                    QTest::keyClick(box, Qt::Key_Return);
                    return;
                }
                for (QAbstractButton* button : box->buttons())
                    if (button->text() == caption)
                        button->click();
            }};
}

ScheduleWindow& ScheduleOfProgram(Program& program)
{
    return program.windows.Schedule();
}

using Keys = QList<std::pair<Qt::Key, Qt::KeyboardModifiers>>;

} // namespace

Q_DECLARE_METATYPE(WeatherSetting)

class TestProjectWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallProgramFontSubstitute(); }

    void savedAndReopenedAfterARestart()
    {
        QTemporaryDir files;
        const QString path = files.filePath("hala.wyw");
        QStringList report;
        CalcState saved;
        {
            Program first;
            first.Keys({{Qt::Key_O, Qt::AltModifier}, {Qt::Key_N, Qt::NoModifier}}, kHall);
            first.Keys({{Qt::Key_S, Qt::ControlModifier}},
                       {InFileDialog("SaveProjectDialog", path)});
            QCOMPARE(ShownTitle(first.windows.Main()),
                     QString("Program doboru wywietrzników firmy KORVANT – hala.wyw"));
            report = first.Report();
            saved = first.state;
        }
        QCOMPARE(report.size(), 14);

        Program second;
        // A damaged file changes nothing.
        QFile damaged(files.filePath("uszkodzony.wyw"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("{\"format\": \"wywietrznik-obliczenia\", \"formatVersion\": 1, \"inp");
        damaged.close();
        const Outcome refused = second.windows.Main().OpenProject(damaged.fileName());
        QVERIFY(ReasonOf(refused).startsWith("Nie można otworzyć obliczeń z pliku „"));
        QCOMPARE(second.state, CalcState());
        QCOMPARE(second.Field("OKBottomDlg", "Edit1"), QString("Edit1"));

        second.Keys({{Qt::Key_O, Qt::ControlModifier}}, {InFileDialog("OpenProjectDialog", path)});
        QCOMPARE(second.state, saved);
        QCOMPARE(second.Report(), report);
        QCOMPARE(second.Field("OKBottomDlg", "Edit1"), QString("1.2"));
        QCOMPARE(second.Field("Form2", "Edit1"), QString("5"));
        QCOMPARE(second.windows.Ventilator().CheckedModel(), 5);
        QCOMPARE(ShownTitle(second.windows.Main()),
                 QString("Program doboru wywietrzników firmy KORVANT – hala.wyw"));
        QCOMPARE(second.directory.entries(), QStringList()); // no value file written
    }

    // The weather a calculation file keeps (its source, site, period, need
    // and H) survives opening the file and saving it again from the window.
    void keptWeatherSurvivesSaving_data()
    {
        QTest::addColumn<WeatherSetting>("weather");
        WeatherSetting mean{WindDistributionSource(3.5), Site{2, 3, 6.0}};
        mean.period = HeatingSeason();
        mean.need = 120.0;
        WeatherSetting scale{WindDistributionSource(3.949, 1.8, true), Site{0, 4, 21.0}};
        scale.period = MonthsPeriod(11, 3).Value();
        scale.draughtHeight = 14.0;
        QTest::newRow("mean, heating season, need") << mean;
        QTest::newRow("scale A, months 11-3, H") << scale;
    }
    void keptWeatherSurvivesSaving()
    {
        QFETCH(WeatherSetting, weather);
        QTemporaryDir files;
        Result<Project> sample = ReadProjectFile(QStringLiteral(WYW_SAMPLE_HALL));
        QVERIFY2(sample, qPrintable(ReasonOf(sample)));
        sample.Value().weather = weather;
        QFile kept(files.filePath("pogoda.wyw"));
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.write(ProjectBytes(sample.Value()).Value());
        kept.close();

        Program program;
        QCOMPARE(ReasonOf(program.windows.Main().OpenProject(kept.fileName())), QString());
        const QString again = files.filePath("zapisany.wyw");
        QCOMPARE(ReasonOf(program.windows.Main().SaveProject(again)), QString());
        const Result<Project> saved = ReadProjectFile(again);
        QVERIFY2(saved, qPrintable(ReasonOf(saved)));
        QVERIFY(saved.Value().weather.has_value());
        QVERIFY(*saved.Value().weather == weather);
    }

    // A schedule edit marks the calculation changed; every command that would
    // drop it asks first, and only Tak or Nie lets it go on.
    void scheduleEditAskedBeforeItIsDropped_data()
    {
        QTest::addColumn<Keys>("command");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("goesOn");
        const Keys exit = {{Qt::Key_O, Qt::AltModifier}, {Qt::Key_K, Qt::NoModifier}};
        QTest::newRow("Koniec, Enter keeps") << exit << QString() << false;
        QTest::newRow("Koniec, Nie ends") << exit << QString("&Nie") << true;
        QTest::newRow("Koniec, Tak saves and ends") << exit << QString("&Tak") << true;
        QTest::newRow("Otwórz, Enter keeps")
            << Keys{{Qt::Key_O, Qt::ControlModifier}} << QString() << false;
        QTest::newRow("Nowe obliczenia, Enter keeps")
            << Keys{{Qt::Key_O, Qt::AltModifier}, {Qt::Key_N, Qt::NoModifier}} << QString()
            << false;
    }

    void scheduleEditAskedBeforeItIsDropped()
    {
        QFETCH(Keys, command);
        QFETCH(QString, answer);
        QFETCH(bool, goesOn);
        QTemporaryDir files;
        const QString path = files.filePath("blok.wyw");
        Program program;
        ScheduleWindow& schedule = ScheduleOfProgram(program);
        schedule.SetSchedule(ScheduleTemplate()); // as a file opens: nothing changed
        const QString title("Program doboru wywietrzników firmy KORVANT");
        QCOMPARE(ShownTitle(program.windows.Main()), title);
        schedule.AddRiser();
        QCOMPARE(ShownTitle(program.windows.Main()), title + "*");

        QList<Step> steps = {AnswerSaveChanges(answer)};
        if (answer == "&Tak")
            steps << InFileDialog("SaveProjectDialog", path);
        program.Keys(command, steps);
        QCOMPARE(program.windows.Main().isVisible(), !goesOn);
        QCOMPARE(QFile::exists(path), answer == "&Tak");
        if (!goesOn)
            QCOMPARE(ShownTitle(program.windows.Main()), title + "*");
        if (answer != "&Tak")
            return;
        // The saved schedule opens with its window.
        Program again;
        QVERIFY(!ScheduleOfProgram(again).isVisible());
        QCOMPARE(ReasonOf(again.windows.Main().OpenProject(path)), QString());
        QCOMPARE(ScheduleOfProgram(again).CurrentSchedule(), schedule.CurrentSchedule());
        QVERIFY(ScheduleOfProgram(again).isVisible());
        QCOMPARE(ShownTitle(again.windows.Main()), title + " – blok.wyw");
    }

    // A text the schedule refuses cannot be kept by the file: saving says so
    // and, by default, does not save.
    void refusedScheduleEntryAskedBeforeSaving()
    {
        QTemporaryDir files;
        const QString path = files.filePath("blok.wyw");
        Program program;
        ScheduleWindow& schedule = ScheduleOfProgram(program);
        schedule.SetSchedule(ScheduleTemplate());
        ScheduleTableModel& model = schedule.Model();
        QVERIFY(model.setData(model.index(2, ModelColumn(SheetColumn::Diameter)), "abc"));
        QString question;
        program.Keys({{Qt::Key_S, Qt::ControlModifier}},
                     {InFileDialog("SaveProjectDialog", path),
                      {"RefusedEntriesBox", [&](QWidget* w) {
                           question = qobject_cast<QMessageBox*>(w)->text();
                           QTest::keyClick(w, Qt::Key_Return);
                       }}});
        QCOMPARE(question, QString("Zestawienie przewodów ma odrzucone wpisy:\nWiersz 3: kolumna "
                                   "„Średnica D [m]”: „abc” nie jest liczbą – wpisz liczbę, np. "
                                   "0,16 lub 0.16\n\nPlik zachowa w tych polach ostatnie "
                                   "przyjęte wartości. Zapisać mimo to?"));
        QVERIFY(!QFile::exists(path));
    }
};

WYW_GUI_TEST_MAIN(TestProjectWindow)
#include "test_project_window.moc"
