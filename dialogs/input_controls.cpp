#include "dialogs/input_controls.h"

#include "calc/field_conversion.h"
#include "dialogs/edit_focus.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

std::string Utf8(const QLineEdit* edit)
{
    return edit->text().toStdString();
}

} // namespace

QString DialogText(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QLabel* PlaceLabel(QWidget* parent, const char* name, std::string_view text, QPoint topLeft)
{
    auto* label = new QLabel(DialogText(text), parent);
    label->setObjectName(name);
    label->move(topLeft);
    label->adjustSize();
    return label;
}

QLineEdit* PlaceEdit(QWidget* parent, const char* name, QPoint topLeft, int width)
{
    auto* edit = new QLineEdit(QString::fromLatin1(name), parent);
    edit->setObjectName(name);
    edit->setGeometry(QRect(topLeft, QSize(width, kEditHeight)));
    SelectAllOnFocus(edit);
    return edit;
}

QPushButton* PlaceButton(QWidget* parent, const char* name, std::string_view text, QPoint topLeft)
{
    auto* button = new QPushButton(DialogText(text), parent);
    button->setObjectName(name);
    button->setGeometry(QRect(topLeft, QSize(kButtonWidth, kButtonHeight)));
    return button;
}

QRadioButton* PlaceRadio(QWidget* parent, const char* name, std::string_view text, QPoint topLeft)
{
    auto* radio = new QRadioButton(DialogText(text), parent);
    radio->setObjectName(name);
    radio->move(topLeft);
    radio->adjustSize();
    return radio;
}

QGroupBox* PlaceGroup(QWidget* parent, const char* name, std::string_view caption, QRect rect)
{
    auto* group = new QGroupBox(DialogText(caption), parent);
    group->setObjectName(name);
    group->setGeometry(rect);
    return group;
}

QFrame* PlaceBevel(QWidget* parent, const char* name, QRect rect)
{
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(name);
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(rect);
    return bevel;
}

void ChainFocus(std::initializer_list<QWidget*> controls)
{
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

double RealField(const QLineEdit* edit)
{
    return ConvertFieldReal(Utf8(edit));
}

std::int32_t WholeField(const QLineEdit* edit)
{
    return ConvertWhole(Utf8(edit));
}

void ShowRefusal(QWidget* dialog, Refusal refusal)
{
    QMessageBox::warning(dialog, dialog->windowTitle(), DialogText(RefusalText(refusal)));
}

StoreyFields PlaceStoreyFields(QWidget* parent)
{
    PlaceLabel(parent, "Label1", "Proszę podać parametry budynku", QPoint(80, 8));
    PlaceLabel(parent, "Label2", "Wysokość jednej kondygnacji [m]", QPoint(8, 40));
    QLineEdit* height = PlaceEdit(parent, "Edit1", QPoint(176, 40));
    PlaceLabel(parent, "Label3", "Ilość kondygnacji", QPoint(8, 72));
    QLineEdit* count = PlaceEdit(parent, "Edit2", QPoint(176, 72));
    return {height, count};
}
