// SPDX-License-Identifier: GPL-3.0-or-later
// What all twelve input dialogs share: caption, size, border and place, the
// keyboard (focus order, Enter, Esc), "Anuluj" and the close box, and texts that
// are not clipped by the program font.
#include "dialogs/adjustable_grille_dialog.h"
#include "dialogs/density_mode_dialog.h"
#include "dialogs/duct_material_dialog.h"
#include "dialogs/duct_shape_dialog.h"
#include "dialogs/hall_dialog.h"
#include "dialogs/installation_dialog.h"
#include "dialogs/rectangular_duct_dialog.h"
#include "dialogs/rectangular_grille_dialog.h"
#include "dialogs/round_duct_dialog.h"
#include "dialogs/round_grille_dialog.h"
#include "dialogs/typed_density_dialog.h"
#include "dialogs/weather_dialog.h"
#include "ui/dialog_base.h"

#include "input_dialog_support.h"
#include "test_main.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>

#include <memory>
#include <optional>
#include <vector>

namespace {

using Factory = std::unique_ptr<OkCancelDialog> (*)(CalcState&);

template <class T> std::unique_ptr<OkCancelDialog> Make(CalcState& state)
{
    return std::make_unique<T>(state);
}

// The dialog's OK and "Anuluj" in a focus cycle, whatever their names.
constexpr const char* kOk = "<OK>";
constexpr const char* kCancel = "<Anuluj>";

struct WindowCase {
    const char* className;
    const char* objectName; // the designer's name, kept in .wyw files
    Factory make;
    const char* caption;
    QSize size;
    bool fixedBorder;            // fixed dialog border, centred on the screen
    std::optional<QPoint> place; // the designed place, where it is laid down
    bool escapeCancels;
    QStringList focusCycle; // from the control that has the focus at first
    QStringList edits;      // edit fields, whose first texts are their names
    const char* valueFile;  // nullptr: the dialog keeps nothing
};

const std::vector<WindowCase>& Cases()
{
    static const std::vector<WindowCase> cases = {
        {.className = "DensityModeDialog",
         .objectName = "OKBottomDlg3",
         .make = &Make<DensityModeDialog>,
         .caption = "Wprowadzanie Ro",
         .size = {275, 150},
         .fixedBorder = true,
         .place = {},
         .escapeCancels = true,
         .focusCycle = {"RadioButton2", kOk, kCancel},
         .edits = {},
         .valueFile = nullptr},
        {.className = "TypedDensityDialog",
         .objectName = "OKBottomDlg",
         .make = &Make<TypedDensityDialog>,
         .caption = "Dobór parametrów",
         .size = {315, 184},
         .fixedBorder = true,
         .place = {},
         .escapeCancels = false,
         .focusCycle = {"Edit1", "Edit2", kOk, kCancel},
         .edits = {"Edit1", "Edit2"},
         .valueFile = "dialog.sav"},
        {.className = "WeatherDialog",
         .objectName = "Form3",
         .make = &Make<WeatherDialog>,
         .caption = "Dobór parametrów ",
         .size = {331, 277},
         .fixedBorder = false,
         .place = {},
         .escapeCancels = false,
         .focusCycle = {"Edit1", "Edit2", "Edit3", "Edit4", kOk, kCancel},
         .edits = {"Edit1", "Edit2", "Edit3", "Edit4"},
         .valueFile = "dialog1.sav"},
        {.className = "DuctShapeDialog",
         .objectName = "OKBottomDlg333",
         .make = &Make<DuctShapeDialog>,
         .caption = "Wybór kanału",
         .size = {209, 174},
         .fixedBorder = true,
         .place = {},
         .escapeCancels = true,
         .focusCycle = {"RadioButton1", kOk, kCancel},
         .edits = {},
         .valueFile = nullptr},
        {.className = "RoundDuctDialog",
         .objectName = "Form4",
         .make = &Make<RoundDuctDialog>,
         .caption = "Parametry kanału",
         .size = {308, 153},
         .fixedBorder = false,
         .place = {},
         .escapeCancels = false,
         .focusCycle = {kOk, "Edit1", kCancel},
         .edits = {"Edit1"},
         .valueFile = "dialog22.sav"},
        {.className = "RectangularDuctDialog",
         .objectName = "Form1",
         .make = &Make<RectangularDuctDialog>,
         .caption = "Parametry kanału",
         .size = {340, 173},
         .fixedBorder = false,
         .place = {},
         .escapeCancels = false,
         .focusCycle = {"Edit1", "Edit2", kOk, kCancel},
         .edits = {"Edit1", "Edit2"},
         .valueFile = "dialog2.sav"},
        {.className = "DuctMaterialDialog",
         .objectName = "OKBottomDlg33333",
         .make = &Make<DuctMaterialDialog>,
         .caption = "Wybór współczynnika chropowatości",
         .size = {318, 290},
         .fixedBorder = true,
         .place = {},
         .escapeCancels = true,
         .focusCycle = {"RadioButton1", kOk, kCancel},
         .edits = {},
         .valueFile = nullptr},
        {.className = "InstallationDialog",
         .objectName = "OKBottomDlg3333",
         .make = &Make<InstallationDialog>,
         .caption = "Wybór typu instalacji",
         .size = {356, 195},
         .fixedBorder = true,
         .place = {},
         .escapeCancels = true,
         .focusCycle = {"RadioButton1", kOk, kCancel},
         .edits = {},
         .valueFile = nullptr},
        {.className = "HallDialog",
         .objectName = "Form2",
         .make = &Make<HallDialog>,
         .caption = "Parametry hali",
         .size = {331, 258},
         .fixedBorder = false,
         .place = {},
         .escapeCancels = false,
         .focusCycle = {"Edit1", kOk, kCancel, "RadioButton1"},
         .edits = {"Edit1"},
         .valueFile = "dialog3.sav"},
        {.className = "RectangularGrilleDialog",
         .objectName = "Form22",
         .make = &Make<RectangularGrilleDialog>,
         .caption = "Parametry budynku",
         .size = {598, 469},
         .fixedBorder = false,
         .place = QPoint(195, 96),
         .escapeCancels = false,
         .focusCycle = {"Edit1", "Edit2", kOk, kCancel, "Edit3", "Edit4", "Edit5"},
         .edits = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"},
         .valueFile = "dialog33.sav"},
        {.className = "RoundGrilleDialog",
         .objectName = "Form222",
         .make = &Make<RoundGrilleDialog>,
         .caption = "Parametry budynku",
         .size = {334, 431},
         .fixedBorder = false,
         .place = QPoint(195, 96),
         .escapeCancels = false,
         .focusCycle = {"Edit1", "Edit2", kOk, kCancel, "Edit3", "Edit4"},
         .edits = {"Edit1", "Edit2", "Edit3", "Edit4"},
         .valueFile = "dialog333.sav"},
        {.className = "AdjustableGrilleDialog",
         .objectName = "Form2222",
         .make = &Make<AdjustableGrilleDialog>,
         .caption = "Parametry budynku",
         .size = {334, 259},
         .fixedBorder = false,
         .place = QPoint(272, 200),
         .escapeCancels = false,
         .focusCycle = {"Edit1", "Edit2", "ComboBox1", "Edit4", kOk, kCancel},
         .edits = {"Edit1", "Edit2", "Edit4"},
         .valueFile = "dialog3333.sav"},
    };
    return cases;
}

void AddCaseRows()
{
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < Cases().size(); ++i)
        QTest::newRow(Cases()[i].className) << static_cast<int>(i);
}

// Value files with numbers other than the state's first values, which also
// make the OK of the weather and the rectangular duct dialogs valid (they
// refuse what the first texts of their fields convert to).
void WriteValueFiles()
{
    WriteBytes("dialog.sav", "1.20\n4.0\n");
    WriteBytes("dialog1.sav", "20\n1013\n60\n3.5\n");
    WriteBytes("dialog2.sav", "0.20\n0.30\n");
    WriteBytes("dialog22.sav", "0.20\n");
    WriteBytes("dialog3.sav", "12.50\n");
    WriteBytes("dialog33.sav", "3.00\n4\n0.22\n0.26\n4.60\n");
    WriteBytes("dialog333.sav", "3.00\n4\n0.10\n1.60\n");
    WriteBytes("dialog3333.sav", "3.00\n5\n10\n");
}

// The names and contents of the files in the current directory.
QMap<QString, QByteArray> Files()
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir().entryList(QDir::Files | QDir::Hidden))
        files.insert(name, FileBytes(name).value_or("?"));
    return files;
}

QString Name(const QWidget* widget)
{
    return widget ? widget->objectName() : QStringLiteral("(none)");
}

// kOk or kCancel for the dialog's buttons, the name of any other control.
QString Role(const OkCancelDialog& dialog, const QWidget* widget)
{
    if (widget && widget == dialog.OkButton())
        return kOk;
    if (widget && widget == dialog.CancelButton())
        return kCancel;
    return Name(widget);
}

// The control a focus cycle names.
QWidget* Find(const OkCancelDialog& dialog, const QString& role)
{
    if (role == kOk)
        return dialog.OkButton();
    if (role == kCancel)
        return dialog.CancelButton();
    return dialog.findChild<QWidget*>(role);
}

// The controls the dialog itself placed (Qt's inner parts have no such name).
QList<QWidget*> Controls(QWidget& dialog)
{
    QList<QWidget*> controls;
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        if (!child->objectName().isEmpty() && !child->objectName().startsWith("qt_"))
            controls.append(child);
    }
    return controls;
}

// Texts that do not fit their control, and controls that leave their parent
// or cover one another.
QStringList LayoutProblems(QWidget& dialog)
{
    QStringList problems;
    const QList<QWidget*> controls = Controls(dialog);
    for (QWidget* control : controls) {
        const QFontMetrics metrics(control->font());
        const QWidget* parent = control->parentWidget();
        const QRect room =
            qobject_cast<const QGroupBox*>(parent) ? parent->contentsRect() : parent->rect();
        if (!room.contains(control->geometry()))
            problems << Name(control) + " leaves " + Name(parent);
        int needed = 0;
        if (auto* label = qobject_cast<QLabel*>(control))
            needed = metrics.horizontalAdvance(label->text());
        else if (auto* radio = qobject_cast<QRadioButton*>(control))
            needed = radio->sizeHint().width();
        else if (auto* button = qobject_cast<QPushButton*>(control))
            needed = metrics.horizontalAdvance(button->text()) + 12;
        else if (auto* group = qobject_cast<QGroupBox*>(control))
            needed = metrics.horizontalAdvance(group->title()) + 16;
        if (needed > control->width())
            problems << Name(control) +
                            QString(" clipped: needs %1, has %2").arg(needed).arg(control->width());
        if (control->height() < metrics.height())
            problems << Name(control) + " too low";
    }
    for (QWidget* a : controls) {
        for (QWidget* b : controls) {
            const bool bevel = a->metaObject() == &QFrame::staticMetaObject ||
                               b->metaObject() == &QFrame::staticMetaObject;
            if (a < b && !bevel && a->parentWidget() == b->parentWidget() &&
                a->geometry().intersects(b->geometry()))
                problems << Name(a) + " covers " + Name(b);
        }
    }
    return problems;
}

} // namespace

class TestInputWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallTestFont(); }

    void captionSizeAndBorder_data() { AddCaseRows(); }
    void captionSizeAndBorder()
    {
        QFETCH(int, index);
        const WindowCase& c = Cases()[static_cast<std::size_t>(index)];
        WorkingDirectory dir;
        CalcState state;
        const auto dialog = c.make(state);
        QCOMPARE(dialog->metaObject()->className(), c.className);
        QCOMPARE(dialog->windowTitle(), QString::fromUtf8(c.caption));
        QCOMPARE(dialog->size(), c.size);
        QCOMPARE(dialog->font().family(), QString("MS Sans Serif"));
        QCOMPARE(dialog->font().pointSize(), 8);
        if (c.fixedBorder) {
            QCOMPARE(dialog->minimumSize(), c.size);
            QCOMPARE(dialog->maximumSize(), c.size);
        } else {
            QVERIFY(dialog->maximumSize().width() > c.size.width());
            QVERIFY(dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        }
    }

    // The names that .wyw files and users' directories hold still find the
    // dialog and its remembered values.
    void oldNamesKept_data() { AddCaseRows(); }
    void oldNamesKept()
    {
        QFETCH(int, index);
        const WindowCase& c = Cases()[static_cast<std::size_t>(index)];
        WorkingDirectory dir;
        if (c.valueFile)
            QVERIFY(WriteBytes(c.valueFile, "7.25\n"));
        CalcState state;
        const auto dialog = c.make(state);
        QCOMPARE(dialog->objectName(), QString(c.objectName));
        if (c.valueFile)
            QCOMPARE(dialog->findChild<QLineEdit*>(c.edits.front())->text(), QString("7.25"));
    }

    void placeOnScreen_data() { AddCaseRows(); }
    void placeOnScreen()
    {
        QFETCH(int, index);
        const WindowCase& c = Cases()[static_cast<std::size_t>(index)];
        WorkingDirectory dir;
        CalcState state;
        const auto dialog = c.make(state);
        QVERIFY(OpenDialog(*dialog));
        if (c.fixedBorder) {
            const QPoint centre = dialog->screen()->availableGeometry().center();
            const QPoint offset = dialog->frameGeometry().center() - centre;
            QVERIFY2(offset.manhattanLength() <= 2,
                     qPrintable(QString("%1,%2").arg(offset.x()).arg(offset.y())));
        } else if (c.place) {
            QCOMPARE(dialog->pos(), *c.place);
        }
        // A fixed dialog's size is its client area; a resizable window's is its
        // outer size less the original platform's frame and title bar.
        if (c.fixedBorder)
            QCOMPARE(dialog->size(), c.size);
        else
            QTRY_COMPARE(dialog->size(), c.size - QSize(8, 27));
    }

    // At its default size every window shows each of its controls whole.
    void controlsInsideTheClientArea_data() { AddCaseRows(); }
    void controlsInsideTheClientArea()
    {
        QFETCH(int, index);
        const WindowCase& c = Cases()[static_cast<std::size_t>(index)];
        WorkingDirectory dir;
        CalcState state;
        const auto dialog = c.make(state);
        QVERIFY(OpenDialog(*dialog));
        for (const QWidget* child : dialog->findChildren<QWidget*>()) {
            if (!child->isVisibleTo(dialog.get()) || child->isWindow())
                continue;
            const QRect place(child->mapTo(dialog.get(), QPoint(0, 0)), child->size());
            QVERIFY2(dialog->rect().contains(place),
                     qPrintable(QString("%1 %2 at %3,%4 %5x%6 in %7x%8")
                                    .arg(child->objectName(), child->metaObject()->className())
                                    .arg(place.x())
                                    .arg(place.y())
                                    .arg(place.width())
                                    .arg(place.height())
                                    .arg(dialog->width())
                                    .arg(dialog->height())));
        }
    }

    void firstTextsAreNames_data() { AddCaseRows(); }
    void firstTextsAreNames()
    {
        QFETCH(int, index);
        const WindowCase& c = Cases()[static_cast<std::size_t>(index)];
        WorkingDirectory dir;
        CalcState state;
        const auto dialog = c.make(state);
        QCOMPARE(dialog->findChildren<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly).size(),
                 c.edits.size());
        for (const QString& name : c.edits) {
            auto* edit = dialog->findChild<QLineEdit*>(name);
            QVERIFY2(edit, qPrintable(name));
            QCOMPARE(edit->text(), name);
        }
    }

    void focusOrder_data() { AddCaseRows(); }
    void focusOrder()
    {
        QFETCH(int, index);
        const WindowCase& c = Cases()[static_cast<std::size_t>(index)];
        WorkingDirectory dir;
        CalcState state;
        const auto dialog = c.make(state);
        QVERIFY(OpenDialog(*dialog));
        QCOMPARE(Role(*dialog, QApplication::focusWidget()), c.focusCycle.first());

        QStringList forward{Role(*dialog, QApplication::focusWidget())};
        for (qsizetype i = 0; i < c.focusCycle.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            forward << Role(*dialog, QApplication::focusWidget());
        }
        QCOMPARE(forward, c.focusCycle + QStringList{c.focusCycle.first()});

        QStringList backward{Role(*dialog, QApplication::focusWidget())};
        for (qsizetype i = 0; i < c.focusCycle.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            backward.prepend(Role(*dialog, QApplication::focusWidget()));
        }
        QCOMPARE(backward, c.focusCycle + QStringList{c.focusCycle.first()});
    }

    void escape_data() { AddCaseRows(); }
    void escape()
    {
        QFETCH(int, index);
        const WindowCase& c = Cases()[static_cast<std::size_t>(index)];
        WorkingDirectory dir;
        WriteValueFiles();
        const QMap<QString, QByteArray> files = Files();
        CalcState state;
        const CalcState before = state;
        const auto dialog = c.make(state);
        QVERIFY(OpenDialog(*dialog));
        // From every control that can have the focus.
        for (const QString& name : c.focusCycle) {
            QWidget* control = Find(*dialog, name);
            QVERIFY2(control, qPrintable(name));
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Escape);
            if (c.escapeCancels) {
                QVERIFY(!dialog->isVisible());
                QCOMPARE(dialog->result(), int(QDialog::Rejected));
                QVERIFY(OpenDialog(*dialog));
            } else {
                QVERIFY2(dialog->isVisible(), qPrintable(name));
            }
        }
        QCOMPARE(state, before);
        QCOMPARE(Files(), files);
    }

    void enterPressesOk_data() { AddCaseRows(); }
    void enterPressesOk()
    {
        QFETCH(int, index);
        const WindowCase& c = Cases()[static_cast<std::size_t>(index)];
        WorkingDirectory dir;
        WriteValueFiles();
        CalcState state;
        state.DuctRoughness = -1; // to see the material dialog write
        const CalcState before = state;
        const auto dialog = c.make(state);
        QVERIFY(dialog->OkButton());
        QVERIFY(dialog->OkButton()->isDefault());
        const int result =
            RunModal(*dialog, [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); });
        QCOMPARE(result, int(QDialog::Accepted));
        // The shape and installation dialogs store their first choice, 0, which
        // the state already holds; every other dialog changes it.
        if (QByteArray(c.className) != "DuctShapeDialog" &&
            QByteArray(c.className) != "InstallationDialog")
            QVERIFY(state != before);
    }

    void enterInEveryField_data() { AddCaseRows(); }
    void enterInEveryField()
    {
        QFETCH(int, index);
        const WindowCase& c = Cases()[static_cast<std::size_t>(index)];
        QStringList fields = c.edits;
        if (QByteArray(c.className) == "AdjustableGrilleDialog")
            fields << "ComboBox1";
        for (const QString& field : fields) {
            WorkingDirectory dir;
            WriteValueFiles();
            CalcState state;
            const auto dialog = c.make(state);
            QVERIFY(OpenDialog(*dialog));
            QWidget* control = dialog->findChild<QWidget*>(field);
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Return);
            QVERIFY2(!dialog->isVisible(), qPrintable(field));
            QCOMPARE(dialog->result(), int(QDialog::Accepted));
        }
    }

    // Typing replaces the remembered text of every edit field it reaches
    // without the mouse: when the dialog opens, by Tab, when it is shown again
    // and when its window becomes active again. A click places the cursor.
    void typingReplacesRememberedText_data() { AddCaseRows(); }
    void typingReplacesRememberedText()
    {
        QFETCH(int, index);
        const WindowCase& c = Cases()[static_cast<std::size_t>(index)];
        WorkingDirectory dir;
        WriteValueFiles();
        CalcState state;
        const auto dialog = c.make(state);
        QVERIFY(OpenDialog(*dialog));
        QList<QLineEdit*> fields;
        for (const QString& name : c.focusCycle) {
            QWidget* control = Find(*dialog, name);
            QVERIFY2(control, qPrintable(name));
            auto* box = qobject_cast<QComboBox*>(control);
            QLineEdit* edit = box ? box->lineEdit() : qobject_cast<QLineEdit*>(control);
            for (const QString typed : {"7", "8"}) {
                if (!edit)
                    break;
                QCoreApplication::processEvents();
                QTest::keyClicks(QApplication::focusWidget(), typed);
                QCOMPARE(edit->text(), typed);
                dialog->reject();
                QVERIFY(OpenDialog(*dialog));
                QCOMPARE(Role(*dialog, QApplication::focusWidget()), name);
            }
            if (edit)
                fields << edit;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (QLineEdit* edit : fields) {
            if (edit->hasFocus())
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(2, edit->height() / 2));
            QCoreApplication::processEvents();
            QVERIFY(edit->hasFocus());
            QVERIFY(!edit->hasSelectedText());
            QApplication::setActiveWindow(nullptr);
            QApplication::setActiveWindow(dialog.get());
            QCoreApplication::processEvents();
            QCOMPARE(edit->selectedText(), QString("8"));
        }
    }

    // "Anuluj" and the close box: the cancel result, nothing written.
    void cancelChangesNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("closeBox");
        for (std::size_t i = 0; i < Cases().size(); ++i) {
            for (const bool closeBox : {false, true}) {
                const QByteArray name =
                    QByteArray(Cases()[i].className) + (closeBox ? " close box" : " Anuluj");
                QTest::newRow(name.constData()) << static_cast<int>(i) << closeBox;
            }
        }
    }
    void cancelChangesNothing()
    {
        QFETCH(int, index);
        QFETCH(bool, closeBox);
        const WindowCase& c = Cases()[static_cast<std::size_t>(index)];
        WorkingDirectory dir;
        CalcState state;
        const CalcState before = state;
        const auto dialog = c.make(state);
        QPushButton* cancel = dialog->CancelButton();
        QVERIFY(cancel && dialog->OkButton());
        QCOMPARE(cancel->text(), QString("Anuluj"));
        QCOMPARE(dialog->OkButton()->text(), QString("OK"));
        QVERIFY(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QDialog* shown = dialog.get();
        const int result = RunModal(*dialog, [=] {
            if (closeBox)
                shown->close();
            else
                Click(cancel);
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(state, before);
        QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{});
    }

    void textsFitTheirControls_data() { AddCaseRows(); }
    void textsFitTheirControls()
    {
        QFETCH(int, index);
        const WindowCase& c = Cases()[static_cast<std::size_t>(index)];
        WorkingDirectory dir;
        CalcState state;
        const auto dialog = c.make(state);
        QVERIFY(OpenDialog(*dialog));
        const QStringList problems = LayoutProblems(*dialog);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
    }
};

WYW_GUI_TEST_MAIN(TestInputWindows)
#include "test_input_windows.moc"
