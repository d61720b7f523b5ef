// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/stack_group.h"

#include "calc/calc_state.h"
#include "calc/input_limits.h"
#include "calc/number_format.h"
#include "calc/selection.h"
#include "ui/refused_field.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

// The whole text as a number by the strict rule, with a decimal point or
// comma; otherwise the problem, naming the field.
std::optional<double> Number(const QLineEdit* edit, const char* name, QString& problem)
{
    const std::string text = edit->text().toStdString();
    const std::optional<double> value = StrictFieldNumber(text);
    if (!value)
        problem = QString("%1 „%2” nie jest liczbą. Wpisz liczbę, np. 20 lub 20,5.")
                      .arg(name, edit->text());
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

StackGroup::StackGroup(QWidget* parent)
    : QGroupBox("Ciąg grawitacyjny", parent)
{
    setObjectName("StackGroup");
    enabled_ = new QCheckBox("&Uwzględnij ciąg grawitacyjny", this);
    enabled_->setObjectName("StackEnabled");
    enabled_->setToolTip("Wydajność przy działaniu wiatru i ciągu grawitacyjnego razem");
    inside_ = Field(this, "StackInside", Fixed(kDesignInsideTemperature, 1));
    outside_ = Field(this, "StackOutside", Fixed(kDesignOutsideTemperature, 1));
    height_ = Field(this, "StackHeight", QString());

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
        connect(row.edit, &QLineEdit::textChanged, this, &StackGroup::Changed);
        row.edit->setEnabled(false);
    }
    layout->addStretch(1);
    connect(enabled_, &QCheckBox::toggled, this, [this](bool on) {
        for (QLineEdit* edit : {inside_, outside_, height_})
            edit->setEnabled(on);
        emit Changed();
    });
}

std::optional<StackConditions> StackGroup::Conditions(const CalcState& state, double pressure) const
{
    problem_.clear();
    QString inside;
    QString outside;
    QString height;
    StackConditions conditions = DefaultStackConditions(state);
    conditions.pressure = pressure;
    if (enabled_->isChecked()) {
        conditions.inside = Number(inside_, "ti", inside).value_or(0.0);
        conditions.outside = Number(outside_, "te", outside).value_or(0.0);
        if (!height_->text().trimmed().isEmpty())
            conditions.height = Number(height_, "H", height).value_or(0.0);
        else
            conditions.height = state.DuctLength;
        const QString zero = " musi być wyższa od −273.15 °C (zera bezwzględnego).";
        if (inside.isEmpty() && conditions.inside <= kAbsoluteZero)
            inside = "Temperatura ti" + zero;
        if (outside.isEmpty() && conditions.outside <= kAbsoluteZero)
            outside = "Temperatura te" + zero;
        const bool typed = !height_->text().trimmed().isEmpty();
        if (typed && height.isEmpty() &&
            CheckLimits({{Limited::StackHeight, conditions.height}}) != Refusal::None)
            height = "Wysokość H musi być większa od zera i nie większa niż 1000 m.";
    }
    MarkRefused(inside_, inside);
    MarkRefused(outside_, outside);
    MarkRefused(height_, height);
    for (const QString& problem : {inside, outside, height}) {
        if (!problem.isEmpty())
            problem_ += (problem_.isEmpty() ? "" : " ") + problem;
    }
    if (!enabled_->isChecked() || !problem_.isEmpty())
        return std::nullopt;
    return conditions;
}

QString StackGroup::Caption(const StackConditions& c)
{
    return QString("wiatr + ciąg grawitacyjny (ti = %1 °C, te = %2 °C, H = %3 m)")
        .arg(Fixed(c.inside, 1), Fixed(c.outside, 1), Fixed(c.height, 2));
}

void StackGroup::ShowDuctLength(double length)
{
    height_->setPlaceholderText("L = " + Fixed(length, 2));
}
