// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/client_area.h"

#include "report/report_draw.h"

#include <QPainter>

#include <utility>

ClientArea::ClientArea(PaintHandler paint, QWidget* parent)
    : QWidget(parent)
    , paint_(std::move(paint))
{
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}

void ClientArea::AlignTop(QWidget* panel)
{
    topPanel_ = panel;
    PlaceTopPanel();
}

void ClientArea::paintEvent(QPaintEvent* /*event*/)
{
    // The painter starts with the window's font and its text colour.
    QPainter painter(this);
    PainterCanvas canvas(painter);
    if (paint_)
        paint_(canvas);
}

void ClientArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceTopPanel();
}

void ClientArea::PlaceTopPanel()
{
    if (topPanel_)
        topPanel_->setGeometry(0, 0, width(), topPanel_->height());
}
