#include "compare/stack_group.h"

#include "calc/calc_state.h"
#include "calc/number_format.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

namespace {

// The whole text as a number, with a decimal point or comma.
std::optional<double> Number(const QLineEdit* edit)
{
    QString text = edit->text().trimmed();
    text.replace(',', '.');
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QLineEdit* Field(QWidget* parent, const char* name, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setMaximumWidth(70);
    return edit;
}

QString Fixed(double value, int decimals)
{
    return QString::fromStdString(FormatFixed(value, decimals));
}

} // namespace

TStackGroup::TStackGroup(QWidget* parent)
    : QGroupBox("Ciąg grawitacyjny", parent)
{
    setObjectName("StackGroup");
    enabled_ = new QCheckBox("&Uwzględnij ciąg grawitacyjny", this);
    enabled_->setObjectName("StackEnabled");
    enabled_->setToolTip("Wydajność przy działaniu wiatru i ciągu grawitacyjnego razem");
    inside_ = Field(this, "StackInside", Fixed(kDesignInsideTemperature, 1));
    outside_ = Field(this, "StackOutside", Fixed(kDesignOutsideTemperature, 1));
    height_ = Field(this, "StackHeight", QString());
    problem_ = new QLabel(this);
    problem_->setObjectName("StackProblem");
    problem_->setStyleSheet("color: #b00000");

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(enabled_);
    layout->addSpacing(12);
    const struct {
        const char* label;
        QLineEdit* edit;
    } rows[] = {{"t&i [°C]", inside_}, {"t&e [°C]", outside_}, {"&H [m]", height_}};
    for (const auto& row : rows) {
        auto* label = new QLabel(row.label, this);
        label->setBuddy(row.edit);
        layout->addWidget(label);
        layout->addWidget(row.edit);
        layout->addSpacing(8);
        connect(row.edit, &QLineEdit::textChanged, this, &TStackGroup::Changed);
        row.edit->setEnabled(false);
    }
    layout->addWidget(problem_, 1);
    connect(enabled_, &QCheckBox::toggled, this, [this](bool on) {
        for (QLineEdit* edit : {inside_, outside_, height_})
            edit->setEnabled(on);
        emit Changed();
    });
}

std::optional<StackConditions> TStackGroup::Conditions(const CalcState& state) const
{
    problem_->clear();
    if (!enabled_->isChecked())
        return std::nullopt;
    StackConditions conditions = DefaultStackConditions(state);
    const auto inside = Number(inside_);
    const auto outside = Number(outside_);
    const auto height =
        height_->text().trimmed().isEmpty() ? std::optional(state.DuctLength) : Number(height_);
    if (!inside || !outside || !height) {
        problem_->setText("Proszę podać ti, te i H jako liczby (H puste: długość kanału L).");
        return std::nullopt;
    }
    conditions.inside = *inside;
    conditions.outside = *outside;
    conditions.height = *height;
    return conditions;
}

QString TStackGroup::Caption(const StackConditions& c)
{
    return QString("wiatr + ciąg grawitacyjny (ti = %1 °C, te = %2 °C, H = %3 m)")
        .arg(Fixed(c.inside, 1), Fixed(c.outside, 1), Fixed(c.height, 2));
}

void TStackGroup::ShowDuctLength(double length)
{
    height_->setPlaceholderText("L = " + Fixed(length, 2));
}
