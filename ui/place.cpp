// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/place.h"

#include "ui/edit_focus.h"
#include "ui/text.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

QLabel* PlaceLabel(QWidget* parent, const char* name, std::string_view text, QPoint topLeft)
{
    auto* label = new QLabel(Text(text), parent);
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
    auto* button = new QPushButton(Text(text), parent);
    button->setObjectName(name);
    button->setGeometry(QRect(topLeft, QSize(kButtonWidth, kButtonHeight)));
    return button;
}

QRadioButton* PlaceRadio(QWidget* parent, const char* name, std::string_view text, QPoint topLeft)
{
    auto* radio = new QRadioButton(Text(text), parent);
    radio->setObjectName(name);
    radio->move(topLeft);
    radio->adjustSize();
    return radio;
}

QGroupBox* PlaceGroup(QWidget* parent, const char* name, std::string_view caption, QRect rect)
{
    auto* group = new QGroupBox(Text(caption), parent);
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
