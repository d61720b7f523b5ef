// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/year_window.h"

#include "calc/catalogue.h"
#include "calc/number_format.h"
#include "calc/schedule.h"
#include "files/file_errors.h"
#include "files/read_file.h"
#include "ui/show_message.h"
#include "ui/text.h"
#include "weather/terrain.h"
#include "weather/year_text.h"
#include "year/year_charts.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

// A number as the fields show it: the shortest exact form, a decimal point.
QString Exact(double value)
{
    return QString::fromStdString(ExactNumber(value));
}

QLineEdit* Field(const char* name, const QString& text, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    return edit;
}

QComboBox* TerrainBox(const char* name, int chosen, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const TerrainCategory& category : kTerrainCategories) {
        box->addItem(Text(category.description));
        box->setItemData(box->count() - 1, Text(category.description), Qt::ToolTipRole);
    }
    box->setCurrentIndex(chosen);
    box->setToolTip(box->currentText());
    QObject::connect(box, &QComboBox::currentTextChanged, box, &QWidget::setToolTip);
    // The list shows every description whole, however narrow the field.
    box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + 24);
    return box;
}

QSpinBox* MonthBox(const char* name, int month, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(1, 12);
    box->setValue(month);
    return box;
}

QLabel* Label(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

YearWindow::YearWindow(const CalcState& state, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , state_(state)
{
    setObjectName("YearWindow");
    setWindowTitle("Praca w ciągu roku");
    auto* inputs = new QWidget(this);
    auto* inputsLayout = new QVBoxLayout(inputs);
    inputsLayout->setContentsMargins(0, 0, 0, 0);
    const struct {
        const char* title;
        const char* name;
        void (YearWindow::*build)(QWidget*);
    } groups[] = {{"Pogoda", "WeatherGroup", &YearWindow::BuildWeatherGroup},
                  {"Miejsce wywietrznika", "SiteGroup", &YearWindow::BuildSiteGroup},
                  {"Okres", "PeriodGroup", &YearWindow::BuildPeriodGroup},
                  {"Przewód i wywietrznik", "DuctGroup", &YearWindow::BuildDuctGroup}};
    for (const auto& group : groups) {
        auto* box = new QGroupBox(group.title, inputs);
        box->setObjectName(group.name);
        (this->*group.build)(box);
        inputsLayout->addWidget(box);
    }
    problem_ = new QLabel(inputs);
    problem_->setObjectName("YearProblem");
    problem_->setWordWrap(true);
    problem_->setStyleSheet("QLabel { color: #c00000; }");
    inputsLayout->addWidget(problem_);
    results_ = new QPlainTextEdit(inputs);
    results_->setObjectName("YearResults");
    results_->setReadOnly(true);
    results_->setMinimumHeight(200);
    inputsLayout->addWidget(results_, 1);
    inputsLayout->addWidget(BuildButtons());

    charts_ = new YearCharts(this);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(inputs);
    splitter->addWidget(charts_);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    ConnectChanges();
    if (state_.VentilatorIndex >= 1 && state_.VentilatorIndex <= kVentilatorCount)
        model_->setCurrentIndex(state_.VentilatorIndex - 1);
    resize(1180, 780);
}

void YearWindow::BuildWeatherGroup(QWidget* box)
{
    fileRadio_ = new QRadioButton("&Plik pogodowy EPW", box);
    fileRadio_->setObjectName("WeatherFileRadio");
    fileRadio_->setChecked(true);
    path_ = Field("WeatherFilePath", {}, box);
    path_->setMinimumWidth(240);
    chooseButton_ = new QPushButton("&Wybierz…", box);
    chooseButton_->setObjectName("ChooseWeatherFile");
    distributionRadio_ = new QRadioButton("&Rozkład wiatru (Weibull)", box);
    distributionRadio_->setObjectName("DistributionRadio");
    windKind_ = new QComboBox(box);
    windKind_->setObjectName("WindKind");
    windKind_->addItems({"średnia na 10 m [m/s]", "skala A [m/s]"});
    wind_ = Field("DistributionWind", "3.5", box);
    shape_ = Field("DistributionShape", Exact(kWeibullShape), box);
    outside_ = Field("DistributionOutside", Exact(kDesignOutsideTemperature), box);
    inside_ = Field("InsideTemperature", Exact(kDesignInsideTemperature), box);

    auto* grid = new QGridLayout(box);
    grid->addWidget(fileRadio_, 0, 0, 1, 4);
    grid->addWidget(path_, 1, 0, 1, 3);
    grid->addWidget(chooseButton_, 1, 3);
    grid->addWidget(distributionRadio_, 2, 0, 1, 4);
    grid->addWidget(Label("Wiatr n&a stacji:", wind_, box), 3, 0);
    grid->addWidget(windKind_, 3, 1);
    grid->addWidget(wind_, 3, 2, 1, 2);
    grid->addWidget(Label("&k:", shape_, box), 4, 0);
    grid->addWidget(shape_, 4, 1);
    grid->addWidget(Label("t&e [°C]:", outside_, box), 4, 2);
    grid->addWidget(outside_, 4, 3);
    grid->addWidget(Label("t&i [°C] (plik i rozkład):", inside_, box), 5, 0, 1, 2);
    grid->addWidget(inside_, 5, 2, 1, 2);
    // Only the chosen source's fields can be typed in.
    const auto enable = [this](bool file) {
        const std::initializer_list<QWidget*> fileFields{path_, chooseButton_};
        const std::initializer_list<QWidget*> distributionFields{windKind_, wind_, shape_,
                                                                 outside_};
        for (QWidget* field : fileFields)
            field->setEnabled(file);
        for (QWidget* field : distributionFields)
            field->setEnabled(!file);
    };
    connect(fileRadio_, &QRadioButton::toggled, this, enable);
    enable(true);
    setTabOrder(fileRadio_, path_);
    setTabOrder(path_, chooseButton_);
    setTabOrder(chooseButton_, distributionRadio_);
}

void YearWindow::BuildSiteGroup(QWidget* box)
{
    stationTerrain_ = TerrainBox("StationTerrain", kStationTerrain, box);
    buildingTerrain_ = TerrainBox("BuildingTerrain", kBuildingTerrain, box);
    ventilatorHeight_ = Field("VentilatorHeight", {}, box);
    auto* form = new QFormLayout(box);
    form->addRow(Label("Teren &stacji:", stationTerrain_, box), stationTerrain_);
    form->addRow(Label("Teren &budynku:", buildingTerrain_, box), buildingTerrain_);
    form->addRow(Label("Wysokość wywietrznika &z [m]:", ventilatorHeight_, box), ventilatorHeight_);
    for (QComboBox* terrain : {stationTerrain_, buildingTerrain_}) {
        terrain->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        terrain->setMinimumContentsLength(24);
    }
}

void YearWindow::BuildPeriodGroup(QWidget* box)
{
    wholeYear_ = new QRadioButton("&cały rok", box);
    wholeYear_->setObjectName("WholeYearRadio");
    wholeYear_->setChecked(true);
    heating_ = new QRadioButton("sezon &grzewczy", box);
    heating_->setObjectName("HeatingSeasonRadio");
    months_ = new QRadioButton("&miesiące od", box);
    months_->setObjectName("MonthsRadio");
    periodButtons_ = new QButtonGroup(box);
    for (QRadioButton* radio : {wholeYear_, heating_, months_})
        periodButtons_->addButton(radio);
    fromMonth_ = MonthBox("FromMonth", 10, box);
    toMonth_ = MonthBox("ToMonth", 4, box);
    auto* row = new QHBoxLayout(box);
    row->addWidget(wholeYear_);
    row->addWidget(heating_);
    row->addWidget(months_);
    row->addWidget(fromMonth_);
    row->addWidget(Label("&do", toMonth_, box));
    row->addWidget(toMonth_);
    row->addStretch(1);
}

void YearWindow::BuildDuctGroup(QWidget* box)
{
    need_ = Field("NeedField", {}, box);
    draughtHeight_ = Field("DraughtHeight", {}, box);
    model_ = new QComboBox(box);
    model_->setObjectName("YearModel");
    for (int index = 1; index <= kVentilatorCount; ++index)
        model_->addItem(Text(VentilatorCaption(index)));
    auto* form = new QFormLayout(box);
    form->addRow(Label("Wymagana wydajność &Qh [m3/h]:", need_, box), need_);
    form->addRow(Label("Wysokość ciągu grawitacyjnego &H [m]:", draughtHeight_, box),
                 draughtHeight_);
    form->addRow(Label("Wywie&trznik:", model_, box), model_);
}

QWidget* YearWindow::BuildButtons()
{
    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    const struct {
        const char* caption;
        const char* name;
        void (YearWindow::*click)();
    } list[] = {{"&Oblicz", "ComputeButton", &YearWindow::Compute},
                {"Dr&ukuj…", "PrintButton", &YearWindow::PrintOnChosenPrinter},
                {"Zapisz wykres P&NG…", "SavePngButton", &YearWindow::SavePngToChosenFile},
                {"Zamkni&j", "CloseButton", nullptr}};
    for (const auto& item : list) {
        auto* button = new QPushButton(item.caption, buttons);
        button->setObjectName(item.name);
        if (item.click)
            connect(button, &QPushButton::clicked, this, item.click);
        else
            connect(button, &QPushButton::clicked, this, &QWidget::close);
        row->addWidget(button);
    }
    row->addStretch(1);
    return buttons;
}

void YearWindow::ConnectChanges()
{
    const auto changed = [this] { Apply(false); };
    for (QLineEdit* edit :
         {wind_, shape_, outside_, inside_, ventilatorHeight_, need_, draughtHeight_})
        connect(edit, &QLineEdit::textChanged, this, changed);
    for (QComboBox* box : {windKind_, stationTerrain_, buildingTerrain_, model_})
        connect(box, &QComboBox::currentIndexChanged, this, changed);
    for (QSpinBox* box : {fromMonth_, toMonth_})
        connect(box, &QSpinBox::valueChanged, this, [this, changed] {
            if (months_->isChecked())
                changed();
        });
    for (QRadioButton* radio : {wholeYear_, heating_, months_, fileRadio_, distributionRadio_})
        connect(radio, &QRadioButton::toggled, this, [changed](bool on) {
            if (on)
                changed();
        });
    connect(path_, &QLineEdit::returnPressed, this, &YearWindow::Compute);
    connect(chooseButton_, &QPushButton::clicked, this, &YearWindow::ChooseFile);
}

YearInputTexts YearWindow::Texts() const
{
    YearInputTexts t;
    t.file = fileRadio_->isChecked();
    t.path = path_->text().toStdString();
    t.scaleGiven = windKind_->currentIndex() == 1;
    t.wind = wind_->text().toStdString();
    t.shape = shape_->text().toStdString();
    t.outside = outside_->text().toStdString();
    t.inside = inside_->text().toStdString();
    t.stationTerrain = stationTerrain_->currentIndex();
    t.buildingTerrain = buildingTerrain_->currentIndex();
    t.ventilatorHeight = ventilatorHeight_->text().toStdString();
    t.period = wholeYear_->isChecked() ? YearPeriodChoice::WholeYear
               : heating_->isChecked() ? YearPeriodChoice::HeatingSeason
                                       : YearPeriodChoice::Months;
    t.fromMonth = fromMonth_->value();
    t.toMonth = toMonth_->value();
    t.need = need_->text().toStdString();
    t.draughtHeight = draughtHeight_->text().toStdString();
    return t;
}
