// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/ventilator_choice.h"
#include "compare/compare_table_model.h"
#include "compare/compare_window.h"
#include "compare_states.h"
#include "gui_test_support.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

// Types a file name into a file dialog and presses Enter.
inline void TypeFileName(QFileDialog* dialog, const QString& path)
{
    auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
    QVERIFY(edit != nullptr);
    // Set at once: typed letter by letter, the completer's popup would take
    // the Enter.
    edit->setText(path);
    QTest::keyClick(edit, Qt::Key_Return);
}

// Refreshes the window from its state, as the main window does before
// showing it, and shows it.
inline bool OpenWindow(CompareWindow& form)
{
    form.Refresh();
    form.show();
    return QTest::qWaitForWindowExposed(&form);
}

// What the main window does with a model chosen in the comparison: the same
// as a confirmed ventilator choice (index, name, computation).
inline void ChooseLikeTheMainWindow(CalcState& state, int index)
{
    state.VentilatorIndex = index;
    ApplyVentilatorChoice(state);
}

inline QTableView* Table(CompareWindow& form)
{
    return form.findChild<QTableView*>("CompareTable");
}

// The text of a table cell as shown.
inline QString Cell(CompareWindow& form, int row, int column)
{
    const QAbstractItemModel* model = Table(form)->model();
    return model->data(model->index(row, column)).toString();
}

// The catalogue numbers of the rows, top to bottom.
inline std::vector<int> ShownNumbers(CompareWindow& form)
{
    std::vector<int> numbers;
    for (int row = 0; row < Table(form)->model()->rowCount(); ++row)
        numbers.push_back(Cell(form, row, kColumnNumber).toInt());
    return numbers;
}

// The centre of a cell in the table's viewport.
inline QPoint CellCentre(CompareWindow& form, int row, int column)
{
    QTableView* table = Table(form);
    const QModelIndex index = table->model()->index(row, column);
    table->scrollTo(index);
    return table->visualRect(index).center();
}

inline void ClickCell(CompareWindow& form, int row, int column)
{
    QTest::mouseClick(Table(form)->viewport(), Qt::LeftButton, {}, CellCentre(form, row, column));
}

// A double-click as the window system delivers it: press, release, the
// second press as a double-click, release.
inline void DoubleClickCell(CompareWindow& form, int row, int column)
{
    const QPoint at = CellCentre(form, row, column);
    QWidget* viewport = Table(form)->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
}

// Clicks the check box of a row's name cell.
inline void ClickCheckBox(CompareWindow& form, int row)
{
    QTableView* table = Table(form);
    const QModelIndex index = table->model()->index(row, kColumnName);
    table->scrollTo(index);
    QStyleOptionViewItem option;
    option.initFrom(table);
    option.rect = table->visualRect(index);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box =
        table->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, table);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, box.center());
}

// Clicks a column header.
inline void ClickHeader(CompareWindow& form, int column)
{
    QHeaderView* header = Table(form)->horizontalHeader();
    const QPoint centre(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
}
