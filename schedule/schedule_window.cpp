#include "schedule/schedule_window.h"

#include "calc/field_conversion.h"
#include "calc/number_format.h"
#include "files/safe_file.h"
#include "report/schedule_table.h"
#include "schedule/flats_model.h"
#include "schedule/schedule_delegates.h"
#include "schedule/schedule_model.h"
#include "schedule/schedule_print.h"
#include "ui/outer_size.h"
#include "ui/show_message.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

QString Number(double value)
{
    return QString::fromStdString(ExactNumber(value));
}

std::optional<double> Real(const QLineEdit* edit)
{
    const std::string text = edit->text().trimmed().toStdString();
    if (text.empty())
        return std::nullopt;
    const double value = ConvertFieldReal(text);
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

QPushButton* Button(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

ScheduleWindow::ScheduleWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ScheduleWindow"));
    setWindowTitle(QStringLiteral("Zestawienie przewodów"));
    model_ = new ScheduleTableModel(this);

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(ScrollingArea(content));
    auto* group = new QGroupBox(QStringLiteral("Budynek"), this);
    auto* grid = new QGridLayout(group);
    BuildBuildingGroup(grid);
    layout->addWidget(group);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("ScheduleTable"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    table_->setItemDelegateForColumn(ScheduleTableModel::Room,
                                     new ChoiceDelegate(ScheduleTableModel::RoomChoices(), this));
    table_->setItemDelegateForColumn(
        ScheduleTableModel::Material,
        new ChoiceDelegate(ScheduleTableModel::MaterialChoices(), this));
    table_->setItemDelegateForColumn(ScheduleTableModel::GrilleKind,
                                     new ChoiceDelegate(ScheduleTableModel::GrilleChoices(), this));
    table_->setItemDelegateForColumn(ScheduleTableModel::Ventilator,
                                     new ChoiceDelegate(ScheduleTableModel::ModelChoices(), this));
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setWordWrap(false);
    layout->addWidget(table_, 1);

    layout->addWidget(BuildFlatsGroup());

    danger_ = new QLabel(this);
    danger_->setObjectName(QStringLiteral("ScheduleDanger"));
    danger_->setWordWrap(true);
    danger_->setStyleSheet(QStringLiteral("color: #B00000; font-weight: bold"));
    danger_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(danger_);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("ScheduleSummary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary_);

    layout->addLayout(BuildButtons());
    connect(model_, &ScheduleTableModel::Recalculated, this, &ScheduleWindow::ShowSummary);
    // New rows (a riser's labels) widen the columns as needed.
    connect(model_, &QAbstractItemModel::rowsInserted, this, &ScheduleWindow::FitColumns);

    ResizeWithinScreen(this, QSize(1560, 860));
    SetSchedule(Schedule{});
}

QHBoxLayout* ScheduleWindow::BuildButtons()
{
    auto* buttons = new QHBoxLayout;
    QPushButton* add = Button(QStringLiteral("Dodaj przewód"), "AddRowButton", this);
    QPushButton* riser = Button(QStringLiteral("Dodaj pion"), "AddRiserButton", this);
    QPushButton* remove = Button(QStringLiteral("Usuń przewód"), "RemoveRowButton", this);
    QPushButton* example =
        Button(QStringLiteral("Przykład: blok 5-kondygnacyjny"), "TemplateButton", this);
    QPushButton* print = Button(QStringLiteral("Drukuj…"), "PrintButton", this);
    QPushButton* csv = Button(QStringLiteral("Eksportuj CSV…"), "CsvButton", this);
    QPushButton* save = Button(QStringLiteral("Zapisz obliczenia…"), "SaveButton", this);
    QPushButton* open = Button(QStringLiteral("Otwórz obliczenia…"), "OpenButton", this);
    QPushButton* close = Button(QStringLiteral("Zamknij"), "CloseButton", this);
    for (QPushButton* b : {add, riser, remove, example})
        buttons->addWidget(b);
    buttons->addStretch();
    for (QPushButton* b : {print, csv, save, open, close})
        buttons->addWidget(b);

    connect(add, &QPushButton::clicked, this, [this] {
        ScheduleRow row;
        row.label = "Przewód " + std::to_string(model_->rowCount() + 1);
        model_->AddRows({row});
    });
    connect(riser, &QPushButton::clicked, this, &ScheduleWindow::AddRiser);
    connect(remove, &QPushButton::clicked, this, [this] {
        model_->RemoveRow(table_->currentIndex().isValid() ? table_->currentIndex().row() : -1);
    });
    connect(example, &QPushButton::clicked, this, [this] {
        if (!CurrentSchedule().rows.empty() &&
            !AskYesNo(this, windowTitle(),
                      QStringLiteral("Zastąpić bieżące zestawienie przykładem?"),
                      QStringLiteral("ReplaceScheduleQuestion")))
            return;
        SetSchedule(ScheduleTemplate());
    });
    connect(print, &QPushButton::clicked, this, &ScheduleWindow::PrintClick);
    connect(csv, &QPushButton::clicked, this, &ScheduleWindow::ExportCsvClick);
    connect(save, &QPushButton::clicked, this, [this] { TriggerMain("FileSaveProjectItem"); });
    connect(open, &QPushButton::clicked, this, [this] { TriggerMain("FileOpenProjectItem"); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    return buttons;
}

void ScheduleWindow::BuildBuildingGroup(QGridLayout* grid)
{
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setMinimumWidth(56);
        e->setMaximumWidth(80);
        connect(e, &QLineEdit::textEdited, this, &ScheduleWindow::ReadBuilding);
        return e;
    };
    auto* typed = new QRadioButton(QStringLiteral("Gęstość powietrza Ro [kg/m3]"), this);
    auto* weather = new QRadioButton(QStringLiteral("Z warunków: t [°C], p [hPa], φ [%]"), this);
    typed->setObjectName(QStringLiteral("DensityTypedRadio"));
    weather->setObjectName(QStringLiteral("WeatherRadio"));
    air_ = new QButtonGroup(this);
    air_->addButton(typed, 1);
    air_->addButton(weather, 0);
    connect(air_, &QButtonGroup::idClicked, this, &ScheduleWindow::ReadBuilding);
    density_ = edit("DensityEdit");
    temperature_ = edit("TemperatureEdit");
    pressure_ = edit("PressureEdit");
    humidity_ = edit("HumidityEdit");
    wind_ = edit("WindEdit");
    storeys_ = edit("StoreysEdit");
    storeyHeight_ = edit("StoreyHeightEdit");
    inside_ = edit("InsideEdit");
    outside_ = edit("OutsideEdit");
    condition_ = new QComboBox(this);
    condition_->setObjectName(QStringLiteral("ConditionCombo"));
    for (int c = 0; c < kScheduleConditionCount; ++c)
        condition_->addItem(
            QString::fromUtf8(ConditionText(static_cast<ScheduleCondition>(c)).data()));
    connect(condition_, &QComboBox::activated, this, &ScheduleWindow::ReadBuilding);

    auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };
    grid->addWidget(typed, 0, 0);
    grid->addWidget(density_, 0, 1);
    grid->addWidget(weather, 1, 0);
    auto* weatherRow = new QHBoxLayout;
    for (QLineEdit* e : {temperature_, pressure_, humidity_})
        weatherRow->addWidget(e);
    grid->addLayout(weatherRow, 1, 1);
    grid->addWidget(label("Wiatr obliczeniowy v [m/s]"), 0, 2);
    grid->addWidget(wind_, 0, 3);
    grid->addWidget(label("Ocena na warunek"), 1, 2);
    grid->addWidget(condition_, 1, 3);
    grid->addWidget(label("Liczba kondygnacji N"), 0, 4);
    grid->addWidget(storeys_, 0, 5);
    grid->addWidget(label("Wysokość kondygnacji h [m]"), 1, 4);
    grid->addWidget(storeyHeight_, 1, 5);
    grid->addWidget(label("Temperatura wewnątrz ti [°C]"), 0, 6);
    grid->addWidget(inside_, 0, 7);
    grid->addWidget(label("Temperatura na zewnątrz te [°C]"), 1, 6);
    grid->addWidget(outside_, 1, 7);
    buildingProblem_ = new QLabel(this);
    buildingProblem_->setObjectName(QStringLiteral("BuildingProblem"));
    buildingProblem_->setStyleSheet(QStringLiteral("color: #B00000"));
    grid->addWidget(buildingProblem_, 2, 0, 1, 8);
    grid->setColumnStretch(8, 1);
}

QGroupBox* ScheduleWindow::BuildFlatsGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Mieszkania – nawiew"), this);
    auto* box = new QVBoxLayout(group);
    flats_ = new FlatsTableModel(*model_, this);
    flatsTable_ = new QTableView(this);
    flatsTable_->setObjectName(QStringLiteral("FlatsTable"));
    flatsTable_->setModel(flats_);
    flatsTable_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    flatsTable_->horizontalHeader()->setStretchLastSection(true);
    flatsTable_->setMinimumHeight(110);
    box->addWidget(flatsTable_);
    auto* problem = new QLabel(this);
    problem->setObjectName(QStringLiteral("FlatProblem"));
    problem->setStyleSheet(QStringLiteral("color: #B00000"));
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

const Schedule& ScheduleWindow::CurrentSchedule() const
{
    return model_->CurrentSchedule();
}

void ScheduleWindow::SetSchedule(const Schedule& schedule)
{
    model_->SetSchedule(schedule);
    ShowBuilding(schedule.building);
    FitColumns();
}

void ScheduleWindow::FitColumns()
{
    table_->resizeColumnsToContents();
    for (int c = 0; c < ScheduleTableModel::ColumnCount; ++c)
        table_->setColumnWidth(c, std::min(table_->columnWidth(c), 220));
}

void ScheduleWindow::ShowBuilding(const ScheduleBuilding& b)
{
    showing_ = true;
    air_->button(b.densityTyped ? 1 : 0)->setChecked(true);
    density_->setText(Number(b.density));
    temperature_->setText(QString::number(b.temperature));
    pressure_->setText(QString::number(b.pressure));
    humidity_->setText(QString::number(b.humidity));
    wind_->setText(Number(b.windSpeed));
    storeys_->setText(QString::number(b.storeys));
    storeyHeight_->setText(Number(b.storeyHeight));
    inside_->setText(Number(b.inside));
    outside_->setText(Number(b.outside));
    condition_->setCurrentIndex(static_cast<int>(b.condition));
    buildingProblem_->clear();
    showing_ = false;
}

// The building as typed; a field that is not a number keeps the last good
// building and says which field to correct.
void ScheduleWindow::ReadBuilding()
{
    if (showing_)
        return;
    ScheduleBuilding b = CurrentSchedule().building;
    b.densityTyped = air_->checkedId() == 1;
    const auto density = Real(density_), wind = Real(wind_), height = Real(storeyHeight_);
    const auto inside = Real(inside_), outside = Real(outside_);
    const std::string storeys = storeys_->text().trimmed().toStdString();
    QString problem;
    if (b.densityTyped && !(density && *density > 0.0))
        problem = QStringLiteral("Podaj dodatnią gęstość powietrza.");
    else if (!wind || *wind < 0.0)
        problem = QStringLiteral("Podaj prędkość wiatru obliczeniowego (0 lub więcej).");
    else if (storeys.empty() || ConvertWhole(storeys) < 1 || ConvertWhole(storeys) > 1000)
        problem = QStringLiteral("Podaj liczbę kondygnacji od 1 do 1000.");
    else if (!(height && *height > 0.0))
        problem = QStringLiteral("Podaj dodatnią wysokość kondygnacji.");
    else if (!inside || !outside)
        problem = QStringLiteral("Podaj temperatury ti i te.");
    buildingProblem_->setText(problem);
    if (!problem.isEmpty())
        return;
    if (b.densityTyped)
        b.density = *density;
    b.temperature = ConvertWhole(temperature_->text().toStdString());
    b.pressure = ConvertWhole(pressure_->text().toStdString());
    b.humidity = ConvertWhole(humidity_->text().toStdString());
    b.windSpeed = *wind;
    b.storeys = ConvertWhole(storeys);
    b.storeyHeight = *height;
    b.inside = *inside;
    b.outside = *outside;
    b.condition = static_cast<ScheduleCondition>(condition_->currentIndex());
    model_->SetBuilding(b);
}

QString ScheduleWindow::SummaryText() const
{
    return summary_->text();
}

QString ScheduleWindow::DangerText() const
{
    return danger_->text();
}

void ScheduleWindow::ShowSummary()
{
    const std::vector<std::string> dangers = DangerLines(CurrentSchedule(), model_->Result());
    QStringList lines, red;
    for (const std::string& line : SummaryLines(CurrentSchedule(), model_->Result())) {
        const bool danger = line.rfind("NIEBEZPIECZEŃSTWO", 0) == 0 &&
                            std::find(dangers.begin(), dangers.end(), line) != dangers.end();
        (danger ? red : lines) << QString::fromStdString(line);
    }
    danger_->setText(red.join('\n'));
    danger_->setVisible(!red.isEmpty());
    summary_->setText(lines.join('\n'));
}

void ScheduleWindow::AddRiser()
{
    const QModelIndex current = table_->currentIndex();
    ScheduleRow row;
    row.label = "Pion";
    if (current.isValid()) {
        row = CurrentSchedule().rows[static_cast<std::size_t>(current.row())];
        // "Kuchnia k3" gives the riser "Kuchnia".
        if (const auto at = row.label.rfind(" k"); at != std::string::npos)
            row.label.resize(at);
    }
    const std::vector<ScheduleRow> rows = RiserInFlats(CurrentSchedule().building, row);
    std::vector<FlatSupply> flats = CurrentSchedule().flats;
    for (const FlatSupply& flat : MissingFlats(CurrentSchedule(), rows))
        flats.push_back(flat);
    model_->SetFlats(flats);
    model_->AddRows(rows);
}

Outcome ScheduleWindow::ExportCsv(const QString& path, bool polish) const
{
    const std::string csv = ScheduleCsv(CurrentSchedule(), model_->Result(), polish);
    return ReplaceFile(path, QByteArray::fromStdString(csv));
}

Outcome ScheduleWindow::Print(QPrinter& printer) const
{
    return PrintSchedule(printer, CurrentSchedule(), model_->Result());
}

void ScheduleWindow::ExportCsvClick()
{
    const QString polish =
        QStringLiteral("CSV dla polskiego arkusza – średnik, przecinek dziesiętny (*.csv)");
    const QString plain = QStringLiteral("CSV – przecinek, kropka dziesiętna (*.csv)");
    QString filter = polish;
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Eksportuj zestawienie do CSV"),
        QStringLiteral("zestawienie_przewodow.csv"), polish + ";;" + plain, &filter);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".csv");
    ShowOutcome(this, ExportCsv(path, filter != plain));
}

void ScheduleWindow::PrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Drukuj zestawienie przewodów"));
    if (dialog.exec() == QDialog::Accepted)
        ShowOutcome(this, Print(printer));
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
