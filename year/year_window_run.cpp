// SPDX-License-Identifier: GPL-3.0-or-later
// The computation of the window "Praca w ciągu roku": the inputs read, the
// weather loaded, the results shown, the setting kept, printed and saved.
#include "year/year_window.h"

#include "calc/catalogue.h"
#include "calc/number_format.h"
#include "calc/schedule.h"
#include "files/outcome.h"
#include "files/read_file.h"
#include "ui/print_document.h"
#include "ui/program_font.h"
#include "ui/show_message.h"
#include "ui/text.h"
#include "weather/year_text.h"
#include "year/year_charts.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>

namespace {

const char* const kLoadFirst = "Naciśnij „Oblicz”, aby wczytać plik pogodowy.";

QString Exact(double value)
{
    return QString::fromStdString(ExactNumber(value));
}

QString WithSuffix(const QString& path, const QString& suffix)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + "." + suffix;
}

// The file's bytes made a weather, or the reason naming the file.
Result<LoadedWeather> ReadWeatherFile(const WeatherSource& source)
{
    const Result<QByteArray> bytes = ReadWholeFile(QString::fromStdString(source.path));
    if (!bytes)
        return UnusableWeatherFile(source.path, ReasonOf(bytes).toStdString());
    return LoadWeather(source, std::string_view(bytes.Value().constData(),
                                                static_cast<std::size_t>(bytes.Value().size())));
}

} // namespace

QString YearWindow::Problem() const
{
    return problem_->text();
}

void YearWindow::ShowProblem(const QString& problem)
{
    problem_->setText(problem);
}

void YearWindow::Compute()
{
    Apply(true);
}

void YearWindow::Refresh()
{
    if (state_.VentilatorIndex >= 1 && state_.VentilatorIndex <= kVentilatorCount)
        model_->setCurrentIndex(state_.VentilatorIndex - 1);
    UpdateDefaults();
    Apply(false);
}

void YearWindow::UpdateDefaults()
{
    ventilatorHeight_->setPlaceholderText(Exact(DefaultVentilatorHeight(state_.DuctLength)) +
                                          " (długość przewodu + 1 m)");
    draughtHeight_->setPlaceholderText(Exact(state_.DuctLength) + " (długość przewodu)");
}

bool YearWindow::LoadSource(const WeatherSource& typed)
{
    WeatherSource source = typed;
    if (source.kind == WeatherSource::Kind::File && source.path == keptPath_)
        source.checksum = keptChecksum_;
    const Result<LoadedWeather> loaded =
        source.kind == WeatherSource::Kind::File ? ReadWeatherFile(source) : LoadWeather(source);
    if (!loaded) {
        weather_.reset();
        ShowProblem(Text(loaded.Reason()));
        return false;
    }
    weather_ = std::make_shared<const LoadedWeather>(loaded.Value());
    return true;
}

void YearWindow::Apply(bool load)
{
    UpdateDefaults();
    const Result<YearInputs> read = ReadYearInputs(Texts(), state_.DuctLength);
    lines_.clear();
    results_->clear();
    charts_->Clear();
    const std::shared_ptr<const LoadedWeather> before = weather_;
    const Site siteBefore = site_;
    const WeatherPeriod periodBefore = period_;
    bool ready = !read.Failed();
    if (!ready) {
        ShowProblem(Text(read.Reason()));
    } else {
        const WeatherSource& source = read.Value().source;
        const bool sameFile = weather_ && source.kind == WeatherSource::Kind::File &&
                              weather_->source.kind == source.kind &&
                              weather_->source.path == source.path;
        if (sameFile && !load && weather_->source.inside != source.inside) {
            auto copy = std::make_shared<LoadedWeather>(*weather_);
            copy->source.inside = source.inside;
            weather_ = copy;
        } else if (!sameFile && !load && source.kind == WeatherSource::Kind::File) {
            weather_.reset();
            ShowProblem(kLoadFirst);
            ready = false;
        } else if (!sameFile || load) {
            ready = LoadSource(source);
        }
    }
    if (ready) {
        site_ = read.Value().site;
        period_ = read.Value().period;
        ShowOutcome(read.Value());
    }
    if (weather_ != before || !(site_ == siteBefore) || !(period_ == periodBefore))
        emit WeatherChanged();
}

void YearWindow::ShowOutcome(const YearInputs& inputs)
{
    YearQuestion q;
    q.state = state_;
    q.height = inputs.draughtHeight;
    q.need = inputs.need;
    q.pressure = pressure_;
    q.site = inputs.site;
    q.period = inputs.period;
    const int model = model_->currentIndex() + 1;
    const Result<YearOutcome> outcome = EvaluateYearModel(*weather_, q, model);
    if (!outcome) {
        ShowProblem(Text(outcome.Reason()));
        return;
    }
    QString notice;
    if (weather_->changed)
        notice = QString("Plik pogodowy „%1” zmienił się od zapisania obliczeń (suma kontrolna "
                         "%2, teraz %3).")
                     .arg(Text(weather_->source.path), Text(keptChecksum_),
                          Text(weather_->source.checksum));
    ShowProblem(notice);
    lines_ = {"Wywietrznik: " + std::string(VentilatorCaption(model))};
    for (std::string& line : YearLines(*weather_, q, outcome.Value()))
        lines_.push_back(std::move(line));
    QStringList shown;
    for (const std::string& line : lines_)
        shown << Text(line);
    results_->setPlainText(shown.join('\n'));
    charts_->Show(outcome.Value(), inputs.need);
    KeepSetting(inputs);
}

void YearWindow::KeepSetting(const YearInputs& inputs)
{
    WeatherSetting setting{weather_->source, inputs.site, inputs.period, inputs.need, std::nullopt};
    if (inputs.draughtHeightTyped)
        setting.draughtHeight = inputs.draughtHeight;
    if (setting_ == setting)
        return;
    setting_ = setting;
    if (!restoring_)
        emit Edited();
}

void YearWindow::RestoreSetting(const std::optional<WeatherSetting>& setting)
{
    restoring_ = true;
    const WeatherSetting s = setting.value_or(WeatherSetting{});
    const bool file = s.source.kind == WeatherSource::Kind::File;
    keptPath_ = file ? s.source.path : std::string();
    keptChecksum_ = file ? s.source.checksum : std::string();
    weather_.reset();
    (file ? fileRadio_ : distributionRadio_)->setChecked(true);
    path_->setText(QString::fromStdString(s.source.path));
    windKind_->setCurrentIndex(s.source.scaleGiven ? 1 : 0);
    wind_->setText(setting && !file ? Exact(s.source.wind) : QString("3.5"));
    shape_->setText(Exact(s.source.shape));
    outside_->setText(Exact(s.source.outside));
    inside_->setText(Exact(s.source.inside));
    stationTerrain_->setCurrentIndex(s.site.stationTerrain);
    buildingTerrain_->setCurrentIndex(s.site.buildingTerrain);
    ventilatorHeight_->setText(setting ? Exact(s.site.height) : QString());
    const bool year = s.period == WholeYear();
    const bool heating = s.period == HeatingSeason();
    (year ? wholeYear_ : heating ? heating_ : months_)->setChecked(true);
    if (!year && !heating) {
        fromMonth_->setValue(s.period.fromMonth);
        toMonth_->setValue(s.period.toMonth);
    }
    need_->setText(s.need ? Exact(*s.need) : QString());
    draughtHeight_->setText(s.draughtHeight ? Exact(*s.draughtHeight) : QString());
    setting_ = setting;
    if (setting)
        Apply(true);
    else
        Apply(false);
    restoring_ = false;
}

void YearWindow::ChooseFile()
{
    const QString path = QFileDialog::getOpenFileName(
        this, "Wybierz plik pogodowy EPW", QFileInfo(path_->text()).path(),
        "Pliki pogodowe EPW (*.epw);;Wszystkie pliki (*)");
    if (path.isEmpty())
        return;
    fileRadio_->setChecked(true);
    path_->setText(path);
    Compute();
}

Outcome YearWindow::Print(QPrinter& printer) const
{
    if (lines_.empty())
        return FailureOf("Nie ma wyników do wydrukowania: najpierw oblicz pracę w ciągu roku.");
    return PrintDocument(printer, [this](QPainter& painter, QPagedPaintDevice&) {
        const QRect page = painter.viewport();
        QFont title = ProgramFont(14);
        title.setBold(true);
        painter.setFont(title);
        int y = QFontMetrics(title, painter.device()).lineSpacing();
        painter.drawText(0, y, "Praca w ciągu roku");
        const QFont body = ProgramFont(10);
        painter.setFont(body);
        const int line = QFontMetrics(body, painter.device()).lineSpacing();
        y += line;
        for (const std::string& text : lines_) {
            y += line;
            painter.drawText(0, y, Text(text));
        }
        y += line;
        if (charts_->HasDrawing())
            charts_->Paint(painter, QRectF(0, y, page.width(), page.height() - y));
        return Outcome{};
    });
}

Outcome YearWindow::SavePng(const QString& path) const
{
    return charts_->SavePng(path);
}

void YearWindow::PrintOnChosenPrinter()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle("Drukuj pracę w ciągu roku");
    if (dialog.exec() != QDialog::Accepted)
        return;
    ::ShowOutcome(this, Print(printer));
}

void YearWindow::SavePngToChosenFile()
{
    const QString path = WithSuffix(
        QFileDialog::getSaveFileName(this, "Zapisz wykres jako obraz PNG", "praca_w_roku.png",
                                     "Obrazy PNG (*.png);;Wszystkie pliki (*)"),
        "png");
    if (!path.isEmpty())
        ::ShowOutcome(this, SavePng(path));
}
