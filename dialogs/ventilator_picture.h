// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

class QByteArray;

// A JPEG picture as an image, decoded with the program's own decoder; a null
// image when the data cannot be decoded.
QImage PictureFromJpeg(const QByteArray& data);

// The picture of a JPEG resource (":/pictures/kalmo.jpg"); a null image when
// it cannot be read or decoded.
QImage PictureFromResource(const char* resource);

// The picture of the family of a model 1..27, the one the ventilator choice
// shows beside it ("KALMO-160" is a KALMO, "TRAVEN/M-150" a TRAVEN); a null
// image for any other number.
QImage VentilatorPicture(int model);
