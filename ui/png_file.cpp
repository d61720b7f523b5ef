// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/png_file.h"

#include "files/safe_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>

Outcome SavePaintedPng(const QString& path, QSize size, const std::function<void(QPainter&)>& paint)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        paint(painter);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return FailureOf("Nie można przygotować obrazu wykresu.");
    return ReplaceFile(path, png);
}
