// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/schedule_window.h"

#include "calc/schedule_sheet.h"
#include "files/safe_file.h"
#include "files/xlsx_file.h"
#include "report/schedule_export.h"
#include "report/schedule_table.h"
#include "schedule/flats_model.h"
#include "schedule/schedule_delegates.h"
#include "schedule/schedule_model.h"
#include "schedule/schedule_print.h"
#include "ui/outer_size.h"
#include "ui/refused_field.h"
#include "ui/show_message.h"
#include "weather/schedule_year.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPushButton* Button(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

// The rows in view: all, or only those that do not meet their need.
class FailingFilter : public QSortFilterProxyModel {
public:
    FailingFilter(ScheduleTableModel* model, QObject* parent)
        : QSortFilterProxyModel(parent)
        , model_(model)
    {
        setSourceModel(model);
        setSortRole(ScheduleTableModel::SortRole);
        setSortLocaleAware(true);
    }
    void SetFailingOnly(bool only)
    {
        only_ = only;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex&) const override
    {
        return !only_ || !model_->Computed().rows[static_cast<std::size_t>(row)].meets;
    }

private:
    ScheduleTableModel* model_;
    bool only_ = false;
};

const char* const kFieldNames[] = {"DensityEdit",      "TemperatureEdit", "PressureEdit",
                                   "HumidityEdit",     "WindEdit",        "StoreysEdit",
                                   "StoreyHeightEdit", "InsideEdit",      "OutsideEdit",
                                   "YearPeriodEdit",   "YearShareEdit"};
static_assert(std::size(kFieldNames) == kBuildingFieldCount);

const char* const kNoYearWeather =
    "Warunki „rok” wymagają pogody roku: wczytaj ją w oknie „Obliczenia → Praca w ciągu roku…”.";

// "jeden model w pionie", with what it does in its tip.
QCheckBox* OneModelCheck(QWidget* parent)
{
    auto* check = new QCheckBox(QStringLiteral("jeden model w pionie"), parent);
    check->setObjectName(QStringLiteral("OneModelPerRiserCheck"));
    check->setToolTip(QStringLiteral(
        "Każdy pion (wiersze „Dodaj pion”: „Kuchnia k1” … „Kuchnia k5”) dostaje jeden model – "
        "najmniejszy, który spełnia wymaganie na wszystkich kondygnacjach, albo ten, który nie "
        "spełnia go na najmniejszej ich liczbie. Wiersze z podanym modelem go zachowują."));
    return check;
}

} // namespace

ScheduleWindow::ScheduleWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ScheduleWindow"));
    setWindowTitle(QStringLiteral("Zestawienie przewodów"));
    model_ = new ScheduleTableModel(this);
    proxy_ = new FailingFilter(model_, this);

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(ScrollingArea(content));
    auto* group = new QGroupBox(QStringLiteral("Budynek"), this);
    auto* grid = new QGridLayout(group);
    BuildBuildingGroup(grid);
    layout->addWidget(group);
    BuildTable(layout);
    layout->addLayout(BuildButtons());
    layout->addWidget(BuildFlatsGroup());
    status_ = new QStatusBar(this);
    status_->setSizeGripEnabled(false);
    outer->addWidget(status_);
    BuildActions();

    connect(model_, &ScheduleTableModel::Recalculated, this, &ScheduleWindow::ShowSummary);
    connect(model_, &ScheduleTableModel::BuildingChanged, this, &ScheduleWindow::ShowBuilding);
    connect(model_, &ScheduleTableModel::Edited, this, &ScheduleWindow::Edited);
    // New rows (a riser's labels) widen the columns as needed, once laid out.
    connect(model_, &QAbstractItemModel::rowsInserted, this, &ScheduleWindow::FitColumns,
            Qt::QueuedConnection);
    connect(model_, &QAbstractItemModel::modelReset, this, &ScheduleWindow::FitColumns,
            Qt::QueuedConnection);

    ResizeWithinScreen(this, QSize(1560, 860));
    SetSchedule(Schedule{});
}

ScheduleView* ScheduleWindow::MakeView(const char* name)
{
    auto* view = new ScheduleView(this);
    view->setObjectName(QLatin1String(name));
    view->setModel(proxy_);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    view->setWordWrap(false);
    view->setSortingEnabled(false);
    view->horizontalHeader()->setSortIndicatorClearable(true);
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* text = new TextDelegate(view);
    view->setItemDelegate(text);
    connect(text, &TextDelegate::Typed, this, &ScheduleWindow::CommitTyped);
    const std::pair<int, QStringList> lists[] = {
        {ModelColumn(SheetColumn::Room), ScheduleTableModel::RoomChoices()},
        {ModelColumn(SheetColumn::Material), ScheduleTableModel::MaterialChoices()},
        {ModelColumn(SheetColumn::GrilleKind), ScheduleTableModel::GrilleChoices()},
        {ModelColumn(SheetColumn::Ventilator), ScheduleTableModel::ModelChoices()}};
    for (const auto& [column, choices] : lists)
        view->setItemDelegateForColumn(column, new ChoiceDelegate(choices, view));
    return view;
}

void ScheduleWindow::BuildSummary(QVBoxLayout* layout)
{
    auto* below = new QHBoxLayout;
    summaryToggle_ = new QToolButton(this);
    summaryToggle_->setObjectName(QStringLiteral("SummaryToggle"));
    summaryToggle_->setText(QStringLiteral("Podsumowanie"));
    summaryToggle_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    summaryToggle_->setCheckable(true);
    summaryToggle_->setChecked(true);
    summaryToggle_->setArrowType(Qt::DownArrow);
    summaryToggle_->setStatusTip(QStringLiteral("Pokazuje albo zwija podsumowanie pod tabelą"));
    danger_ = new QLabel(this);
    danger_->setObjectName(QStringLiteral("ScheduleDanger"));
    danger_->setWordWrap(true);
    ShowReasonsIn(danger_, true);
    danger_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    danger_->hide();
    layout->addWidget(danger_);
    // The summary wraps and scrolls in a box of its own: however long the
    // flats' lines, it never presses on the tables.
    summary_ = new QPlainTextEdit(this);
    summary_->setObjectName(QStringLiteral("ScheduleSummary"));
    summary_->setReadOnly(true);
    summary_->setFrameShape(QFrame::NoFrame);
    summary_->viewport()->setAutoFillBackground(false);
    summary_->setFixedHeight(summary_->fontMetrics().lineSpacing() * 6 + 8);
    connect(summaryToggle_, &QToolButton::toggled, this, [this](bool shown) {
        summary_->setVisible(shown);
        summaryToggle_->setArrowType(shown ? Qt::DownArrow : Qt::RightArrow);
    });
    below->addWidget(summaryToggle_, 0, Qt::AlignTop | Qt::AlignLeft);
    below->addWidget(summary_, 1);
    layout->addLayout(below);
}

void ScheduleWindow::BuildTable(QVBoxLayout* layout)
{
    auto* above = new QHBoxLayout;
    failingOnly_ = new QCheckBox(QStringLiteral("tylko niespełniające"), this);
    failingOnly_->setObjectName(QStringLiteral("FailingOnlyCheck"));
    failingOnly_->setStatusTip(
        QStringLiteral("Pokazuje tylko przewody, które nie zapewniają wymaganej wydajności"));
    connect(failingOnly_, &QCheckBox::toggled, this,
            [this](bool only) { static_cast<FailingFilter*>(proxy_)->SetFailingOnly(only); });
    above->addWidget(failingOnly_);
    above->addStretch();
    above->addWidget(new QLabel(
        QStringLiteral("F2 lub Alt+↓ otwiera listę, Ctrl+C / Ctrl+V kopiuje i wkleja, Ctrl+D "
                       "wypełnia w dół, Delete usuwa wiersze, Ctrl+Z cofa"),
        this));
    layout->addLayout(above);

    frozen_ = MakeView("FrozenTable");
    table_ = MakeView("ScheduleTable");
    table_->setSelectionModel(frozen_->selectionModel());
    for (int c = 0; c < ScheduleTableModel::kColumnCount; ++c) {
        const bool frozen =
            c == ModelColumn(SheetColumn::Label) || c == ModelColumn(SheetColumn::Verdict);
        frozen_->setColumnHidden(c, !frozen);
        table_->setColumnHidden(c, frozen);
    }
    table_->verticalHeader()->hide();
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    table_->horizontalHeader()->setStretchLastSection(true);
    // One sort for both views: each header shows it.
    for (const auto& ends : {std::pair(frozen_, table_), std::pair(table_, frozen_)}) {
        QHeaderView* to = ends.second->horizontalHeader();
        connect(ends.first->horizontalHeader(), &QHeaderView::sortIndicatorChanged, to,
                [to](int column, Qt::SortOrder order) {
                    const QSignalBlocker block(to);
                    to->setSortIndicator(column, order);
                });
    }
    connect(table_->verticalScrollBar(), &QScrollBar::valueChanged, frozen_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(frozen_->verticalScrollBar(), &QScrollBar::valueChanged, table_->verticalScrollBar(),
            &QScrollBar::setValue);
    auto* views = new QHBoxLayout;
    views->setSpacing(0);
    views->addWidget(frozen_);
    views->addWidget(table_, 1);
    layout->addLayout(views, 1);
    table_->setMinimumHeight(table_->verticalHeader()->defaultSectionSize() * 8);

    BuildSummary(layout);
}

QHBoxLayout* ScheduleWindow::BuildButtons()
{
    auto* buttons = new QHBoxLayout;
    QPushButton* add = Button(QStringLiteral("Dodaj przewód"), "AddRowButton", this);
    QPushButton* riser = Button(QStringLiteral("Dodaj pion"), "AddRiserButton", this);
    QPushButton* copy = Button(QStringLiteral("Powiel wiersz"), "DuplicateRowButton", this);
    QPushButton* remove = Button(QStringLiteral("Usuń przewód"), "RemoveRowButton", this);
    QPushButton* example =
        Button(QStringLiteral("Przykład: blok 5-kondygnacyjny"), "TemplateButton", this);
    QPushButton* print = Button(QStringLiteral("Drukuj…"), "PrintButton", this);
    QPushButton* csv = Button(QStringLiteral("Eksportuj CSV…"), "CsvButton", this);
    QPushButton* xlsx = Button(QStringLiteral("Eksportuj XLSX…"), "XlsxButton", this);
    // The selection sheets: one button, its menu the two commands.
    QPushButton* sheets = Button(QStringLiteral("Karty doboru"), "SheetsButton", this);
    auto* sheetMenu = new QMenu(sheets);
    QAction* sheet = sheetMenu->addAction(QStringLiteral("Karta doboru…"));
    sheet->setObjectName(QStringLiteral("SheetAction"));
    sheet->setStatusTip(QStringLiteral("Karta doboru wywietrznika zaznaczonego przewodu (PDF)"));
    QAction* all = sheetMenu->addAction(QStringLiteral("Karty doboru wszystkich przewodów…"));
    all->setObjectName(QStringLiteral("AllSheetsAction"));
    all->setStatusTip(
        QStringLiteral("Spis i karty doboru wszystkich przewodów w jednym pliku PDF"));
    sheets->setMenu(sheetMenu);
    QPushButton* save = Button(QStringLiteral("Zapisz obliczenia…"), "SaveButton", this);
    QPushButton* open = Button(QStringLiteral("Otwórz obliczenia…"), "OpenButton", this);
    QPushButton* close = Button(QStringLiteral("Zamknij"), "CloseButton", this);
    for (QPushButton* b : {add, riser, copy, remove, example})
        buttons->addWidget(b);
    buttons->addStretch();
    for (QPushButton* b : {print, csv, xlsx, sheets, save, open, close})
        buttons->addWidget(b);

    connect(add, &QPushButton::clicked, this, [this] {
        SheetRow row;
        row.row.label = "Przewód " + std::to_string(model_->rowCount() + 1);
        model_->AppendRows({row}, QStringLiteral("dodanie przewodu"));
    });
    connect(riser, &QPushButton::clicked, this, &ScheduleWindow::AddRiser);
    connect(copy, &QPushButton::clicked, this, &ScheduleWindow::DuplicateSelectedRows);
    connect(remove, &QPushButton::clicked, this, &ScheduleWindow::RemoveSelectedRows);
    connect(example, &QPushButton::clicked, this, [this] {
        if (!CurrentSchedule().rows.empty() &&
            !AskYesNo(this, windowTitle(),
                      QStringLiteral("Zastąpić bieżące zestawienie przykładem?"),
                      QStringLiteral("ReplaceScheduleQuestion")))
            return;
        model_->ReplaceAll(ScheduleTemplate(), QStringLiteral("przykład"));
    });
    connect(print, &QPushButton::clicked, this, &ScheduleWindow::PrintOnChosenPrinter);
    connect(csv, &QPushButton::clicked, this, &ScheduleWindow::ExportCsvToChosenFile);
    connect(xlsx, &QPushButton::clicked, this, &ScheduleWindow::ExportXlsxToChosenFile);
    connect(sheet, &QAction::triggered, this, &ScheduleWindow::SaveSheetToChosenFile);
    connect(all, &QAction::triggered, this, &ScheduleWindow::SaveAllSheetsToChosenFile);
    connect(save, &QPushButton::clicked, this, [this] { TriggerMain("FileSaveProjectItem"); });
    connect(open, &QPushButton::clicked, this, [this] { TriggerMain("FileOpenProjectItem"); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    return buttons;
}

ScheduleWindow::~ScheduleWindow()
{
    for (QLineEdit* field : fields_) {
        field->removeEventFilter(this);
        field->disconnect(this);
    }
}

void ScheduleWindow::BuildBuildingGroup(QGridLayout* grid)
{
    for (int f = 0; f < kBuildingFieldCount; ++f) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(kFieldNames[f]));
        e->setMinimumWidth(56);
        e->setMaximumWidth(80);
        e->installEventFilter(this);
        connect(e, &QLineEdit::textEdited, this, [this, f] { ReadBuilding(f); });
        connect(e, &QLineEdit::editingFinished, this, [this] { ++fieldSerial_; });
        fields_[static_cast<std::size_t>(f)] = e;
    }
    auto* typed = new QRadioButton(QStringLiteral("Gęstość powietrza Ro [kg/m3]"), this);
    auto* weather = new QRadioButton(QStringLiteral("Z warunków: t [°C], p [hPa], φ [%]"), this);
    typed->setObjectName(QStringLiteral("DensityTypedRadio"));
    weather->setObjectName(QStringLiteral("WeatherRadio"));
    air_ = new QButtonGroup(this);
    air_->addButton(typed, 1);
    air_->addButton(weather, 0);
    connect(air_, &QButtonGroup::idClicked, this, [this] { ReadBuilding(-1); });
    condition_ = new QComboBox(this);
    condition_->setObjectName(QStringLiteral("ConditionCombo"));
    for (int c = 0; c < kScheduleVerdictCount; ++c)
        condition_->addItem(
            QString::fromUtf8(ConditionText(static_cast<ScheduleCondition>(c)).data()));
    ShowYearChoice();
    connect(condition_, &QComboBox::activated, this, [this] { ReadBuilding(-1); });
    oneModel_ = OneModelCheck(this);
    connect(oneModel_, &QCheckBox::clicked, this, [this] { ReadBuilding(-1); });

    auto field = [this](BuildingField f) { return fields_[static_cast<std::size_t>(f)]; };
    auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };
    grid->addWidget(typed, 0, 0);
    grid->addWidget(field(BuildingField::Density), 0, 1);
    grid->addWidget(weather, 1, 0);
    auto* weatherRow = new QHBoxLayout;
    for (BuildingField f :
         {BuildingField::Temperature, BuildingField::Pressure, BuildingField::Humidity})
        weatherRow->addWidget(field(f));
    grid->addLayout(weatherRow, 1, 1);
    grid->addWidget(label("Wiatr obliczeniowy v [m/s]"), 0, 2);
    grid->addWidget(field(BuildingField::Wind), 0, 3);
    grid->addWidget(label("Warunki oceny"), 1, 2);
    grid->addWidget(condition_, 1, 3);
    grid->addWidget(oneModel_, 2, 3);
    grid->addWidget(label("Liczba kondygnacji N"), 0, 4);
    grid->addWidget(field(BuildingField::Storeys), 0, 5);
    grid->addWidget(label("Wysokość kondygnacji h [m]"), 1, 4);
    grid->addWidget(field(BuildingField::StoreyHeight), 1, 5);
    grid->addWidget(label("Temperatura wewnątrz ti [°C]"), 0, 6);
    grid->addWidget(field(BuildingField::Inside), 0, 7);
    grid->addWidget(label("Temperatura na zewnątrz te [°C]"), 1, 6);
    grid->addWidget(field(BuildingField::Outside), 1, 7);
    PlaceYearFields(grid);
    buildingProblem_ = new QLabel(this);
    buildingProblem_->setObjectName(QStringLiteral("BuildingProblem"));
    ShowReasonsIn(buildingProblem_);
    grid->addWidget(buildingProblem_, 3, 0, 1, 10);
    grid->setColumnStretch(10, 1);
}

const Schedule& ScheduleWindow::CurrentSchedule() const
{
    return model_->CurrentSchedule();
}

QTableView& ScheduleWindow::Table() const
{
    return *table_;
}

QTableView& ScheduleWindow::FrozenTable() const
{
    return *frozen_;
}

QUndoStack& ScheduleWindow::UndoStack() const
{
    return model_->UndoStack();
}

void ScheduleWindow::SetSchedule(const Schedule& schedule)
{
    model_->SetSchedule(schedule);
}

void ScheduleWindow::FitColumns()
{
    for (QTableView* view : {static_cast<QTableView*>(frozen_), static_cast<QTableView*>(table_)}) {
        view->resizeColumnsToContents();
        for (int c = 0; c < ScheduleTableModel::kColumnCount; ++c)
            view->setColumnWidth(c, std::min(view->columnWidth(c), 220));
    }
    const int width = frozen_->verticalHeader()->sizeHint().width() +
                      frozen_->columnWidth(ModelColumn(SheetColumn::Label)) +
                      frozen_->columnWidth(ModelColumn(SheetColumn::Verdict)) +
                      2 * frozen_->frameWidth();
    frozen_->setFixedWidth(width);
}

// The period and the share of the condition "rok", right of the others.
void ScheduleWindow::PlaceYearFields(QGridLayout* grid)
{
    QLineEdit* period = fields_[static_cast<std::size_t>(BuildingField::YearPeriod)];
    QLineEdit* share = fields_[static_cast<std::size_t>(BuildingField::YearShare)];
    grid->addWidget(new QLabel(QStringLiteral("Okres roku"), this), 0, 8);
    grid->addWidget(period, 0, 9);
    grid->addWidget(new QLabel(QStringLiteral("Udział godzin [%]"), this), 1, 8);
    grid->addWidget(share, 1, 9);
    period->setToolTip(QStringLiteral("Okres warunków „rok”: year – cały rok, heating – sezon "
                                      "grzewczy (1.10–30.04), M1-M2 – miesiące, np. 11-3"));
    share->setToolTip(QStringLiteral("Warunki „rok”: udział godzin okresu, w których przewód ma "
                                     "osiągać wymaganą wydajność"));
}

void ScheduleWindow::SetYearWeather(std::shared_ptr<const LoadedWeather> weather,
                                    int stationTerrain, int buildingTerrain)
{
    ScheduleWeather w;
    w.weather = std::move(weather);
    w.stationTerrain = stationTerrain;
    w.buildingTerrain = buildingTerrain;
    model_->SetYearWeather(w);
    ShowYearChoice();
}

// "rok" can be chosen only with a weather; a schedule kept on it shows it.
void ScheduleWindow::ShowYearChoice()
{
    auto* items = qobject_cast<QStandardItemModel*>(condition_->model());
    QStandardItem* year = items->item(static_cast<int>(ScheduleCondition::Year));
    const bool weather = model_ != nullptr && model_->YearWeather().weather != nullptr;
    year->setEnabled(weather);
    const QString tip = weather ? QString() : QString::fromUtf8(kNoYearWeather);
    year->setToolTip(tip);
    condition_->setToolTip(tip);
}

void ScheduleWindow::ShowBuilding()
{
    showing_ = true;
    const BuildingEntry& entry = model_->Entry();
    const BuildingRead& read = model_->Building();
    air_->button(entry.densityTyped ? 1 : 0)->setChecked(true);
    for (int f = 0; f < kBuildingFieldCount; ++f) {
        QLineEdit* edit = fields_[static_cast<std::size_t>(f)];
        const QString text = QString::fromStdString(entry.texts[static_cast<std::size_t>(f)]);
        if (edit->text() != text)
            edit->setText(text);
        const QString reason = QString::fromStdString(read.reasons[static_cast<std::size_t>(f)]);
        MarkRefused(edit, reason);
    }
    condition_->setCurrentIndex(static_cast<int>(entry.condition));
    oneModel_->setChecked(entry.oneModelPerRiser);
    const QString problem = QString::fromStdString(read.Problem());
    buildingProblem_->setText(problem.isEmpty()
                                  ? QString()
                                  : QStringLiteral("Popraw dane budynku – przewody nie są "
                                                   "liczone.\n") +
                                        problem);
    showing_ = false;
}

// The building as typed, one undo step per field typed into.
void ScheduleWindow::ReadBuilding(int field)
{
    if (showing_)
        return;
    BuildingEntry entry = model_->Entry();
    entry.densityTyped = air_->checkedId() == 1;
    for (int f = 0; f < kBuildingFieldCount; ++f)
        entry.texts[static_cast<std::size_t>(f)] =
            fields_[static_cast<std::size_t>(f)]->text().toStdString();
    entry.condition = static_cast<ScheduleCondition>(condition_->currentIndex());
    entry.oneModelPerRiser = oneModel_->isChecked();
    model_->TypeBuilding(entry, field, fieldSerial_);
}

QString ScheduleWindow::SummaryText() const
{
    return summary_->toPlainText();
}

QString ScheduleWindow::DangerText() const
{
    return danger_->text();
}

void ScheduleWindow::ShowSummary()
{
    // The dangers (a gas kitchen in backdraught) in red above the summary.
    const std::vector<std::string> dangers = DangerLines(CurrentSchedule(), model_->Computed());
    QStringList lines, red;
    for (const std::string& line : SummaryLines(CurrentSchedule(), model_->Computed())) {
        const bool danger = std::find(dangers.begin(), dangers.end(), line) != dangers.end();
        (danger ? red : lines) << QString::fromStdString(line);
    }
    danger_->setText(red.join('\n'));
    danger_->setVisible(!red.isEmpty());
    summary_->setPlainText(lines.join('\n'));
}

QGroupBox* ScheduleWindow::BuildFlatsGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Mieszkania – nawiew"), this);
    auto* box = new QVBoxLayout(group);
    flats_ = new FlatsTableModel(*model_, this);
    flatsTable_ = new QTableView(this);
    flatsTable_->setObjectName(QStringLiteral("FlatsTable"));
    flatsTable_->setModel(flats_);
    flatsTable_->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    // Every header whole, the inlets needed in the rest of the width; five
    // flats seen at once.
    flatsTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    flatsTable_->horizontalHeader()->setStretchLastSection(true);
    flatsTable_->setWordWrap(false);
    flatsTable_->setMinimumHeight(170);
    box->addWidget(flatsTable_);
    auto* problem = new QLabel(this);
    problem->setObjectName(QStringLiteral("FlatProblem"));
    ShowReasonsIn(problem);
    box->addWidget(problem);
    connect(flats_, &FlatsTableModel::Refused, problem, &QLabel::setText);
    auto* buttons = new QHBoxLayout;
    QPushButton* add = Button(QStringLiteral("Dodaj mieszkanie"), "AddFlatButton", this);
    QPushButton* remove = Button(QStringLiteral("Usuń mieszkanie"), "RemoveFlatButton", this);
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    box->addLayout(buttons);
    connect(add, &QPushButton::clicked, flats_, &FlatsTableModel::AddFlat);
    connect(remove, &QPushButton::clicked, this, [this] {
        const QModelIndex current = flatsTable_->currentIndex();
        flats_->RemoveFlat(current.isValid() ? current.row() : -1);
    });
    return group;
}

void ScheduleWindow::TriggerMain(const char* name)
{
    if (QWidget* main = parentWidget()) {
        if (auto* action = main->findChild<QAction*>(QLatin1String(name)))
            action->trigger();
    }
    // The main window's file dialog leaves this window behind it.
    raise();
    activateWindow();
}
