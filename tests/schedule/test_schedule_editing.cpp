// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui_test_support.h"
#include "schedule/schedule_model.h"
#include "schedule/schedule_window.h"
#include "test_main.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QUndoStack>
#include <QtTest>

using M = ScheduleTableModel;

// The example: kitchens in rows 0-4, bathrooms 5-9, WCs 10-14 (round ducts),
// storeys 1..5 in each riser.
class TestScheduleEditing : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void refusedCell_data();
    void refusedCell();
    void refusedBuildingField_data();
    void refusedBuildingField();
    void undoEachEdit_data();
    void undoEachEdit();
    void pasteWholeOrNothing();
    void pasteThroughSortedView();
    void tabKeepsTheRoom();
    void arrowsStayInTheOpenList_data();
    void arrowsStayInTheOpenList();
    void millimetreQuestion_data();
    void millimetreQuestion();

private:
    QModelIndex Shown(int row, int column) const
    {
        return window_->Proxy().mapFromSource(window_->Model().index(row, column));
    }
    QTableView& View(int column) const
    {
        return column == ModelColumn(SheetColumn::Label) ? window_->FrozenTable()
                                                         : window_->Table();
    }
    // F2 on the cell, the text typed over its own, Enter.
    void Type(int row, int column, const QString& text)
    {
        QTableView& view = View(column);
        view.setFocus();
        view.setCurrentIndex(Shown(row, column));
        QTest::keyClick(&view, Qt::Key_F2);
        auto* edit = qobject_cast<QLineEdit*>(view.indexWidget(Shown(row, column)));
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        TypeText(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        // Enter commits once the event loop turns.
        QTRY_VERIFY(!view.indexWidget(Shown(row, column)));
    }
    // Typed key by key, letters beyond ASCII as key events carrying the text.
    static void TypeText(QWidget* widget, const QString& text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QApplication::sendEvent(widget, &release);
        }
    }
    void Select(int top, int bottom, int column)
    {
        // The window active again after a message box, for its shortcuts.
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        window_->Table().setFocus();
        window_->Table().selectionModel()->clear();
        for (int r = top; r <= bottom; ++r)
            window_->Table().selectionModel()->select(Shown(r, column),
                                                      QItemSelectionModel::Select);
        window_->Table().selectionModel()->setCurrentIndex(Shown(top, column),
                                                           QItemSelectionModel::NoUpdate);
    }
    QString Cell(int row, int column, int role = Qt::DisplayRole) const
    {
        return window_->Model().index(row, column).data(role).toString();
    }

    std::unique_ptr<ScheduleWindow> window_;
};

void TestScheduleEditing::init()
{
    window_ = std::make_unique<ScheduleWindow>();
    window_->SetSchedule(ScheduleTemplate());
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void TestScheduleEditing::cleanup()
{
    window_.reset();
}

void TestScheduleEditing::refusedCell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    const QString size = "Wymiary kanału muszą być większe od zera i nie większe niż 1000 m – "
                         "popraw parametry kanału.";
    const QString storey =
        "Kondygnacja musi być liczbą całkowitą od 1 do 5 (liczby kondygnacji budynku).";
    QTest::newRow("negative duct") << 0 << ModelColumn(SheetColumn::Diameter) << "-0,16" << size;
    QTest::newRow("Ø5000, metres kept")
        << 10 << ModelColumn(SheetColumn::Diameter) << "Ø5000" << size;
    QTest::newRow("abc") << 0 << ModelColumn(SheetColumn::GrilleLoss) << "abc"
                         << "„abc” nie jest liczbą – wpisz liczbę, np. 0,16 lub 0.16.";
    QTest::newRow("empty need") << 0 << ModelColumn(SheetColumn::Need) << ""
                                << "Podaj wymaganą wydajność większą od zera.";
    QTest::newRow("need above 100000")
        << 0 << ModelColumn(SheetColumn::Need) << "200000"
        << "Wymagana wydajność musi być większa od zera i nie większa niż 100000 m3/h – "
           "popraw wymaganą wydajność.";
    QTest::newRow("zeta -1") << 0 << ModelColumn(SheetColumn::GrilleLoss) << "-1"
                             << "Współczynnik strat kratki ζ nie może być ujemny.";
    QTest::newRow("storey 0") << 0 << ModelColumn(SheetColumn::Storey) << "0" << storey;
    QTest::newRow("storey above N") << 0 << ModelColumn(SheetColumn::Storey) << "6" << storey;
    QTest::newRow("two sides wanted") << 0 << ModelColumn(SheetColumn::Sides) << "0.14"
                                      << "Podaj dwa wymiary a×b, np. 0,14×0,27.";
}

// The text stays red in its cell with the reason; its row is not computed,
// the others are.
void TestScheduleEditing::refusedCell()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    const auto no =
        WhenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    const Schedule before = window_->CurrentSchedule();
    Type(row, column, text);
    if (text.startsWith("Ø"))
        QTRY_VERIFY(no->acted());
    QCOMPARE(Cell(row, column), text);
    QCOMPARE(Cell(row, column, Qt::ToolTipRole), reason);
    QVERIFY(Cell(row, ModelColumn(SheetColumn::Note)).contains(reason));
    QCOMPARE(Cell(row, ModelColumn(SheetColumn::Verdict)), QStringLiteral("błędne dane"));
    QCOMPARE(Cell(row, ModelColumn(SheetColumn::Length)), QStringLiteral("–"));
    QCOMPARE(Cell(row + 1, ModelColumn(SheetColumn::Length)), QStringLiteral("11.20"));
    QCOMPARE(window_->CurrentSchedule(), before); // the value accepted last stays
}

void TestScheduleEditing::refusedBuildingField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("wind") << "WindEdit"
                          << "cztery"
                          << "„cztery” nie jest liczbą – wpisz liczbę, np. 4 lub 4,5.";
    QTest::newRow("te") << "OutsideEdit"
                        << "dwanaście"
                        << "„dwanaście” nie jest liczbą – wpisz liczbę, np. 4 lub 4,5.";
    QTest::newRow("storeys") << "StoreysEdit"
                             << "0"
                             << "Budynek musi mieć co najmniej jedną kondygnację – popraw liczbę "
                                "kondygnacji.";
}

void TestScheduleEditing::refusedBuildingField()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    auto* edit = window_->findChild<QLineEdit*>(field);
    edit->setFocus();
    edit->selectAll();
    TypeText(edit, text);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->toolTip(), reason);
    QVERIFY(edit->styleSheet().contains("border"));
    QVERIFY(window_->findChild<QLabel*>("BuildingProblem")->text().contains(reason));
    for (int row : {0, 14})
        QCOMPARE(Cell(row, ModelColumn(SheetColumn::Verdict)), QStringLiteral("błędne dane"));
    // Undone: the field and the rows as before.
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit->text(), QString::fromStdString(EntryOf(ScheduleTemplate().building)
                                                      .texts[field == "WindEdit"      ? 4
                                                             : field == "OutsideEdit" ? 8
                                                                                      : 5]));
    QVERIFY(edit->toolTip().isEmpty());
    // The example's kitchen k1 meets its need in its flat M1.
    QCOMPARE(Cell(0, ModelColumn(SheetColumn::Verdict)), QStringLiteral("spełnia"));
}

void TestScheduleEditing::undoEachEdit_data()
{
    QTest::addColumn<QString>("edit");
    for (const char* edit : {"cell", "building", "one model", "add", "remove", "riser", "duplicate",
                             "paste", "fill", "delete rows", "example"})
        QTest::newRow(edit) << edit;
}

// Each kind of edit is one undo step (Ctrl+Z), redone by Ctrl+Y, and every
// one is reported by Edited.
void TestScheduleEditing::undoEachEdit()
{
    QFETCH(QString, edit);
    if (edit == "example")
        window_->SetSchedule({});
    if (edit == "one model") {
        Schedule chosen = ScheduleTemplate();
        for (ScheduleRow& row : chosen.rows)
            row.model = 0;
        window_->SetSchedule(chosen);
    }
    QSignalSpy edited(window_.get(), &ScheduleWindow::Edited);
    const Schedule before = window_->CurrentSchedule();
    auto click = [this](const char* name) { window_->findChild<QPushButton*>(name)->click(); };
    window_->Table().setCurrentIndex(Shown(5, ModelColumn(SheetColumn::Need)));
    if (edit == "cell") {
        Type(5, ModelColumn(SheetColumn::Need), "72");
    } else if (edit == "building") {
        auto* storeys = window_->findChild<QLineEdit*>("StoreysEdit");
        storeys->setFocus();
        storeys->selectAll();
        TypeText(storeys, "12"); // two keys, one step
    } else if (edit == "one model") {
        window_->findChild<QCheckBox*>("OneModelPerRiserCheck")->click();
        QVERIFY(window_->CurrentSchedule().building.oneModelPerRiser);
        // The window's bill is the schedule's: one model a riser.
        const ScheduleResult whole = ComputeSchedule(window_->CurrentSchedule());
        QVERIFY(window_->Model().Computed().summary.models == whole.summary.models);
        QVERIFY(window_->Model().Computed().summary.toVerify == whole.summary.toVerify);
        QVERIFY(window_->SummaryText().contains("Budynek wymaga 3 modeli wywietrzników."));
    } else if (edit == "add" || edit == "remove" || edit == "riser" || edit == "duplicate") {
        click(edit == "add"      ? "AddRowButton"
              : edit == "remove" ? "RemoveRowButton"
              : edit == "riser"  ? "AddRiserButton"
                                 : "DuplicateRowButton");
    } else if (edit == "paste" || edit == "fill") {
        QGuiApplication::clipboard()->setText("80\t\n");
        Select(5, 7,
               edit == "paste" ? ModelColumn(SheetColumn::Need) : ModelColumn(SheetColumn::Label));
        QTest::keyClick(&window_->Table(), edit == "paste" ? Qt::Key_V : Qt::Key_D,
                        Qt::ControlModifier);
    } else if (edit == "delete rows") {
        Select(2, 4, ModelColumn(SheetColumn::Storey));
        QTest::keyClick(&window_->Table(), Qt::Key_Delete);
        QCOMPARE(window_->Model().rowCount(), 12);
    } else {
        click("TemplateButton");
    }
    const Schedule after = window_->CurrentSchedule();
    QVERIFY(after != before);
    QCOMPARE(window_->UndoStack().count(), 1);
    QVERIFY(edited.count() >= 1);
    edited.clear();
    window_->Table().setFocus();
    QTest::keyClick(&window_->Table(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window_->CurrentSchedule(), before);
    QTest::keyClick(&window_->Table(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(window_->CurrentSchedule(), after);
    QCOMPARE(edited.count(), 2);
}

// A 3-cell column lands in 3 cells; a block with one bad cell changes nothing
// and names the cell.
void TestScheduleEditing::pasteWholeOrNothing()
{
    QString message;
    const auto box = WhenModal<QMessageBox>([&message](QMessageBox* b) {
        message = b->text();
        b->button(QMessageBox::Ok)->click();
    });
    const Schedule before = window_->CurrentSchedule();
    QGuiApplication::clipboard()->setText("0.2\r\nabc\r\n0,3\r\n");
    Select(0, 0, ModelColumn(SheetColumn::Diameter));
    QTest::keyClick(&window_->Table(), Qt::Key_V, Qt::ControlModifier);
    QTRY_VERIFY(box->acted());
    QCOMPARE(message, QStringLiteral("Nic nie zmieniono. Wiersz 2, kolumna „Średnica D [m]”: "
                                     "„abc” nie jest liczbą – wpisz liczbę, np. 0,16 lub 0.16."));
    QCOMPARE(window_->CurrentSchedule(), before);
    QCOMPARE(window_->UndoStack().count(), 0);

    QGuiApplication::clipboard()->setText("0.2\n0.25\n0,3\n");
    Select(0, 0, ModelColumn(SheetColumn::Diameter));
    QTest::keyClick(&window_->Table(), Qt::Key_V, Qt::ControlModifier);
    for (int row : {0, 1, 2})
        QVERIFY(window_->CurrentSchedule().rows[static_cast<std::size_t>(row)].roundDuct);
    QCOMPARE(Cell(0, ModelColumn(SheetColumn::Diameter)), QStringLiteral("0.200"));
    QCOMPARE(Cell(2, ModelColumn(SheetColumn::Diameter)), QStringLiteral("0.300"));
    QCOMPARE(Cell(2, ModelColumn(SheetColumn::Sides)), QString());
    QCOMPARE(Cell(3, ModelColumn(SheetColumn::Sides)), QStringLiteral("0.140×0.270"));

    // Rows copied and pasted below the last one become new rows.
    Select(10, 11, ModelColumn(SheetColumn::Label));
    window_->Table().selectionModel()->select(
        QItemSelection(Shown(10, 0), Shown(11, M::kColumnCount - 1)), QItemSelectionModel::Select);
    QTest::keyClick(&window_->Table(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(
        QGuiApplication::clipboard()->text().startsWith("WC k1\t1\tM1\tOddzielne WC\t30.0\t0.160"));
    Select(14, 14, ModelColumn(SheetColumn::Label));
    QTest::keyClick(&window_->Table(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(window_->Model().rowCount(), 16);
    QCOMPARE(window_->CurrentSchedule().rows[14], ScheduleTemplate().rows[10]);
    QCOMPARE(window_->CurrentSchedule().rows[15], ScheduleTemplate().rows[11]);
}

// Sorted by a header click, the view's rows map to the schedule's own rows,
// whose order does not change.
void TestScheduleEditing::pasteThroughSortedView()
{
    window_->Table().horizontalHeader()->setSortIndicator(ModelColumn(SheetColumn::Storey),
                                                          Qt::DescendingOrder);
    QCOMPARE(window_->Proxy().index(0, ModelColumn(SheetColumn::Label)).data().toString(),
             QStringLiteral("Kuchnia k5"));
    QCOMPARE(window_->FrozenTable().horizontalHeader()->sortIndicatorSection(),
             ModelColumn(SheetColumn::Storey));
    QGuiApplication::clipboard()->setText("k5a\nk5b\n");
    window_->FrozenTable().setFocus();
    window_->FrozenTable().setCurrentIndex(
        window_->Proxy().index(0, ModelColumn(SheetColumn::Label)));
    QTest::keyClick(&window_->FrozenTable(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(window_->CurrentSchedule().rows[4].label, std::string("k5a"));
    QCOMPARE(window_->CurrentSchedule().rows[9].label, std::string("k5b"));
    QCOMPARE(window_->CurrentSchedule().rows[0].label, std::string("Kuchnia k1"));
    window_->findChild<QCheckBox*>("FailingOnlyCheck")->setChecked(true);
    QStringList failing;
    for (int r = 0; r < window_->Proxy().rowCount(); ++r) {
        QCOMPARE(window_->Proxy().index(r, ModelColumn(SheetColumn::Verdict)).data().toString(),
                 "NIE SPEŁNIA");
        failing << window_->Proxy().index(r, ModelColumn(SheetColumn::Label)).data().toString();
    }
    QVERIFY(failing.contains("k5a")); // the kitchen of the top storey, short of air
}

// Tab through the need without typing keeps the room type.
void TestScheduleEditing::tabKeepsTheRoom()
{
    QTableView& view = window_->Table();
    view.setFocus();
    view.setCurrentIndex(Shown(5, ModelColumn(SheetColumn::Need)));
    QTest::keyClick(&view, Qt::Key_F2);
    QTest::keyClick(view.indexWidget(Shown(5, ModelColumn(SheetColumn::Need))), Qt::Key_Tab);
    QTest::keyClick(view.indexWidget(Shown(5, ModelColumn(SheetColumn::Diameter))), Qt::Key_Escape);
    QCOMPARE(Cell(5, ModelColumn(SheetColumn::Room)), QStringLiteral("Łazienka (z WC lub bez)"));
    QCOMPARE(window_->UndoStack().count(), 0);
}

void TestScheduleEditing::arrowsStayInTheOpenList_data()
{
    QTest::addColumn<int>("open");
    QTest::addColumn<int>("close");
    QTest::addColumn<QString>("room");
    QTest::newRow("F2, Down, Enter") << int(Qt::Key_F2) << int(Qt::Key_Return) << "Oddzielne WC";
    QTest::newRow("Alt+Down, Down, Esc")
        << int(Qt::Key_Down) << int(Qt::Key_Escape) << "Łazienka (z WC lub bez)";
}

// In an open list Down moves within it, never to another row; Enter chooses,
// Esc keeps the value.
void TestScheduleEditing::arrowsStayInTheOpenList()
{
    QFETCH(int, open);
    QFETCH(int, close);
    QFETCH(QString, room);
    QTableView& view = window_->Table();
    view.setFocus();
    view.setCurrentIndex(Shown(5, ModelColumn(SheetColumn::Room)));
    QTest::keyClick(&view, Qt::Key(open), open == Qt::Key_Down ? Qt::AltModifier : Qt::NoModifier);
    auto* box =
        qobject_cast<QComboBox*>(view.indexWidget(Shown(5, ModelColumn(SheetColumn::Room))));
    QVERIFY(box);
    QTRY_VERIFY(box->view()->isVisible());
    QTest::keyClick(box->view(), Qt::Key_Down);
    QTest::keyClick(box->view(), Qt::Key_Down);
    QTest::keyClick(box->view(), Qt::Key_Up);
    QCOMPARE(view.currentIndex(), Shown(5, ModelColumn(SheetColumn::Room)));
    QCOMPARE(Cell(5, ModelColumn(SheetColumn::Room)), QStringLiteral("Łazienka (z WC lub bez)"));
    QTest::keyClick(box->view(), Qt::Key(close));
    QTRY_VERIFY(!view.indexWidget(Shown(5, ModelColumn(SheetColumn::Room))));
    QCOMPARE(Cell(5, ModelColumn(SheetColumn::Room)), room);
    QCOMPARE(Cell(6, ModelColumn(SheetColumn::Room)), QStringLiteral("Łazienka (z WC lub bez)"));
    QCOMPARE(view.currentIndex(), Shown(5, ModelColumn(SheetColumn::Room)));
}

void TestScheduleEditing::millimetreQuestion_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<double>("diameter");
    QTest::newRow("Tak") << true << 0.14;
    QTest::newRow("Nie") << false << 140.0;
}

void TestScheduleEditing::millimetreQuestion()
{
    QFETCH(bool, yes);
    QFETCH(double, diameter);
    QString question;
    const auto answer = WhenModal<QMessageBox>([&](QMessageBox* box) {
        question = box->text();
        box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    Type(10, ModelColumn(SheetColumn::Diameter), "140");
    QTRY_VERIFY(answer->acted());
    QCOMPARE(question, QStringLiteral("Czy chodziło o milimetry? 140 mm = 0,140 m"));
    QTRY_COMPARE(window_->CurrentSchedule().rows[10].diameter, diameter);
}

WYW_GUI_TEST_MAIN(TestScheduleEditing)
#include "test_schedule_editing.moc"
