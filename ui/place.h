// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>

#include <initializer_list>
#include <string_view>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Small builders of the windows. Every control is placed at a fixed position in
// its parent and named after its designer name (objectName), which is also the
// initial text of an edit field.

// Width and height of every button of the input dialogs.
inline constexpr int kButtonWidth = 75;
inline constexpr int kButtonHeight = 25;
// Height of an edit field.
inline constexpr int kEditHeight = 21;

// A label with its top-left corner at `topLeft`, as wide and high as its text.
QLabel* PlaceLabel(QWidget* parent, const char* name, std::string_view text, QPoint topLeft);

// An edit field whose initial text is its own name.
QLineEdit* PlaceEdit(QWidget* parent, const char* name, QPoint topLeft, int width = 121);

QPushButton* PlaceButton(QWidget* parent, const char* name, std::string_view text, QPoint topLeft);

// A radio button as wide as its text; the buttons of one parent exclude each other.
QRadioButton* PlaceRadio(QWidget* parent, const char* name, std::string_view text, QPoint topLeft);

// A frame with an optional caption that groups radio buttons.
QGroupBox* PlaceGroup(QWidget* parent, const char* name, std::string_view caption, QRect rect);

// A sunken bevel drawn behind a group of controls; create it before them.
QFrame* PlaceBevel(QWidget* parent, const char* name, QRect rect);

// The focus order of the controls, first to last (Tab from the last returns to
// the first).
void ChainFocus(std::initializer_list<QWidget*> controls);
