// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ventilator_picture.h"

#include "calc/catalogue.h"
#include "dialogs/jpeg_decoder.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstring>
#include <span>

QImage PictureFromJpeg(const QByteArray& data)
{
    const Result<DecodedPicture> read = DecodeJpeg(std::span<const unsigned char>(
        reinterpret_cast<const unsigned char*>(data.constData()), std::size_t(data.size())));
    if (!read)
        return {};
    const DecodedPicture& decoded = read.Value();
    QImage image(decoded.width, decoded.height, QImage::Format_RGB888);
    if (image.isNull())
        return {};
    const std::size_t rowBytes = std::size_t(decoded.width) * 3;
    for (int y = 0; y < decoded.height; ++y)
        std::memcpy(image.scanLine(y), decoded.rgb.data() + std::size_t(y) * rowBytes, rowBytes);
    return image;
}

QImage PictureFromResource(const char* resource)
{
    QFile file(QString::fromLatin1(resource));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return PictureFromJpeg(file.readAll());
}

QImage VentilatorPicture(int model)
{
    if (model < 1 || model > kVentilatorCount)
        return {};
    // The family is the caption's leading letters, its picture named after it.
    const std::string_view caption = VentilatorCaption(model);
    std::string family;
    for (char letter : caption) {
        if (letter < 'A' || letter > 'Z')
            break;
        family += static_cast<char>(letter - 'A' + 'a');
    }
    const std::string resource = ":/pictures/" + family + ".jpg";
    return PictureFromResource(resource.c_str());
}
