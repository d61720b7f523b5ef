// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class TextCanvas;

// The client area of the main window: white, with the toolbar panel across
// its top. On every repaint it hands its canvas to the window's paint
// handler; positions on that canvas count from the top of the client area,
// so the toolbar covers its first rows.
class ClientArea : public QWidget {
    Q_OBJECT
public:
    using PaintHandler = std::function<void(TextCanvas&)>;

    ClientArea(PaintHandler paint, QWidget* parent);

    // The panel keeps its height and spans the full width of the area's top.
    void AlignTop(QWidget* panel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceTopPanel();

    PaintHandler paint_;
    QPointer<QWidget> topPanel_;
};
