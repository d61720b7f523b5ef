// SPDX-License-Identifier: GPL-3.0-or-later
// The JPEG decoder of the ventilator pictures: every bundled picture decodes to
// its size and colours, and bad data of every kind gives an error quickly,
// without a crash and without a large allocation.
#include "dialogs/jpeg_decoder.h"

#include "test_main.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageWriter>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <sys/resource.h>

namespace {

QByteArray Resource(const QString& name)
{
    QFile file(QStringLiteral(":/pictures/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

Result<DecodedPicture> Decode(const QByteArray& data)
{
    return DecodeJpeg(std::span<const unsigned char>(
        reinterpret_cast<const unsigned char*>(data.constData()), std::size_t(data.size())));
}

int Byte(const QByteArray& data, qsizetype at)
{
    return static_cast<unsigned char>(data.at(at));
}

// The offset of the first segment with the given marker before the scan data,
// found by walking the segment lengths; -1 when there is none.
qsizetype FindSegment(const QByteArray& jpeg, int marker)
{
    qsizetype at = 2; // after SOI
    while (at + 4 <= jpeg.size() && Byte(jpeg, at) == 0xFF) {
        const int found = Byte(jpeg, at + 1);
        if (found == marker)
            return at;
        if (found == 0xDA) // start of scan: no header segments follow
            return -1;
        at += 2 + (Byte(jpeg, at + 2) << 8 | Byte(jpeg, at + 3));
    }
    return -1;
}

// The picture with the frame header (SOF0) claiming another size.
QByteArray WithClaimedSize(QByteArray jpeg, int width, int height)
{
    const qsizetype sof = FindSegment(jpeg, 0xC0);
    if (sof < 0)
        return {};
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

QByteArray RandomBytes(qsizetype count, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray bytes(count, '\0');
    for (char& b : bytes)
        b = char(byte(generator));
    return bytes;
}

// The picture with its entropy-coded data (after the scan header) replaced by
// random bytes, the end marker kept.
QByteArray WithScrambledScan(QByteArray jpeg, unsigned seed)
{
    const qsizetype sos = jpeg.indexOf(QByteArray("\xFF\xDA", 2));
    if (sos < 0)
        return {};
    const qsizetype data = sos + 2 + (Byte(jpeg, sos + 2) << 8 | Byte(jpeg, sos + 3));
    const qsizetype count = jpeg.size() - 2 - data;
    jpeg.replace(data, count, RandomBytes(count, seed));
    return jpeg;
}

QByteArray Encoded(const QImage& image, bool progressive = false, int quality = 95)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        return {};
    return bytes;
}

// The highest resident set size of this process so far.
long PeakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

constexpr qint64 kQuickMs = 250;

} // namespace

class TestJpegDecoder : public QObject {
    Q_OBJECT
private slots:
    void bundledPictureDecodesToItsSize_data();
    void bundledPictureDecodesToItsSize();
    void bundledPictureMatchesAnotherDecoder_data();
    void bundledPictureMatchesAnotherDecoder();
    void badDataIsRefused_data();
    void badDataIsRefused();
    void hugeHeaderIsRefusedBeforeAllocating();
    void sizeLimits_data();
    void sizeLimits();
    void coloursKeepTheirChannels();
    void greyPictureIsWidenedToRgb();
    void progressivePictureDecodes();
};

void TestJpegDecoder::bundledPictureDecodesToItsSize_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    // The sizes tools/draw_pictures.sh draws them at.
    QTest::newRow("KALMO") << "kalmo.jpg" << 70 << 87;
    QTest::newRow("TRAVEN") << "traven.jpg" << 70 << 71;
    QTest::newRow("OSTREL") << "ostrel.jpg" << 70 << 55;
    QTest::newRow("LUMA") << "luma.jpg" << 40 << 41;
    QTest::newRow("MIRT") << "mirt.jpg" << 70 << 63;
    QTest::newRow("BIVA") << "biva.jpg" << 70 << 47;
    QTest::newRow("VESK") << "vesk.jpg" << 70 << 63;
    QTest::newRow("SAVO") << "savo.jpg" << 70 << 63;
    QTest::newRow("DORNA") << "dorna.jpg" << 70 << 63;
}

void TestJpegDecoder::bundledPictureDecodesToItsSize()
{
    QFETCH(QString, file);
    QFETCH(int, width);
    QFETCH(int, height);
    const QByteArray jpeg = Resource(file);
    QVERIFY2(!jpeg.isEmpty(), "picture missing from the resources");
    QVERIFY2(FindSegment(jpeg, 0xC0) > 0, "not a baseline JPEG");
    QVERIFY2(jpeg.size() < 8 * 1024, "picture file unexpectedly big");

    const Result<DecodedPicture> decoded = Decode(jpeg);
    QVERIFY2(decoded, decoded.Reason().c_str());
    const DecodedPicture& picture = decoded.Value();
    QCOMPARE(picture.width, width);
    QCOMPARE(picture.height, height);
    QCOMPARE(picture.rgb.size(), std::size_t(width) * height * 3);
    // The top-left corner is the light paper (#f3f3ef) the families are drawn on.
    QVERIFY(std::abs(picture.rgb[0] - 0xF3) <= 4);
    QVERIFY(std::abs(picture.rgb[1] - 0xF3) <= 4);
    QVERIFY(std::abs(picture.rgb[2] - 0xEF) <= 4);
}

void TestJpegDecoder::bundledPictureMatchesAnotherDecoder_data()
{
    bundledPictureDecodesToItsSize_data();
}

// Qt's own JPEG reader gives the same pixels within rounding: rows, stride and
// channel order are right.
void TestJpegDecoder::bundledPictureMatchesAnotherDecoder()
{
    QFETCH(QString, file);
    const QByteArray jpeg = Resource(file);
    const Result<DecodedPicture> decoded = Decode(jpeg);
    QVERIFY2(decoded, decoded.Reason().c_str());
    const DecodedPicture& picture = decoded.Value();
    const QImage reference = QImage::fromData(jpeg, "JPEG").convertToFormat(QImage::Format_RGB888);
    QVERIFY(!reference.isNull());
    QCOMPARE(reference.width(), picture.width);
    QCOMPARE(reference.height(), picture.height);
    int worst = 0;
    for (int y = 0; y < picture.height; ++y) {
        const uchar* expected = reference.constScanLine(y);
        const unsigned char* actual = picture.rgb.data() + std::size_t(y) * picture.width * 3;
        for (int i = 0; i < picture.width * 3; ++i)
            worst = std::max(worst, std::abs(int(expected[i]) - int(actual[i])));
    }
    QVERIFY2(worst <= 3, qPrintable(QStringLiteral("channel differs by %1").arg(worst)));
}

void TestJpegDecoder::badDataIsRefused_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason"); // a part of the error text, or empty for any

    const QByteArray kalmo = Resource("kalmo.jpg");
    const QByteArray traven = Resource("traven.jpg");
    QVERIFY(!kalmo.isEmpty() && !traven.isEmpty());
    const qsizetype sos = kalmo.indexOf(QByteArray("\xFF\xDA", 2));
    QVERIFY(sos > 0);

    QTest::newRow("empty") << QByteArray() << "no JPEG data";
    QTest::newRow("random bytes") << RandomBytes(4096, 7) << "Not a JPEG file";
    QTest::newRow("start marker only") << QByteArray("\xFF\xD8", 2) << "";
    QTest::newRow("first half") << kalmo.left(kalmo.size() / 2) << "";
    QTest::newRow("first half, other picture") << traven.left(traven.size() / 2) << "";
    QTest::newRow("header only") << kalmo.left(sos + 14) << "";
    QTest::newRow("all but the end marker") << kalmo.left(kalmo.size() - 2) << "";
    QTest::newRow("scan scrambled, seed 1") << WithScrambledScan(kalmo, 1) << "";
    QTest::newRow("scan scrambled, seed 2") << WithScrambledScan(traven, 2) << "";
    QTest::newRow("scan zeroed") << [&] {
        QByteArray bad = kalmo;
        const qsizetype data = sos + 14;
        bad.replace(data, bad.size() - 2 - data, QByteArray(bad.size() - 2 - data, '\0'));
        return bad;
    }() << "";
    QTest::newRow("zero height") << WithClaimedSize(kalmo, 70, 0) << "";
    QTest::newRow("zero width") << WithClaimedSize(kalmo, 0, 87) << "";
    QTest::newRow("segment length broken") << [&] {
        QByteArray bad = kalmo;
        const qsizetype dqt = FindSegment(bad, 0xDB);
        bad[dqt + 2] = 0;
        bad[dqt + 3] = 1;
        return bad;
    }() << "";
    QTest::newRow("Huffman table garbage") << [&] {
        QByteArray bad = kalmo;
        const qsizetype dht = FindSegment(bad, 0xC4);
        for (qsizetype i = dht + 5; i < dht + 21; ++i)
            bad[i] = char(0xFF);
        return bad;
    }() << "";
    QTest::newRow("a PNG file") << [] {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImage(16, 16, QImage::Format_RGB32).save(&buffer, "PNG");
        return png;
    }() << "Not a JPEG file";
    QTest::newRow("claims 4097 x 87") << WithClaimedSize(kalmo, 4097, 87) << "too large";
    QTest::newRow("claims 70 x 4097") << WithClaimedSize(kalmo, 70, 4097) << "too large";
    QTest::newRow("claims 4096 x 4096") << WithClaimedSize(kalmo, 4096, 4096) << "too large";
    // Within the limits, so libjpeg goes on and finds the data too short.
    QTest::newRow("claims 4096 x 600") << WithClaimedSize(kalmo, 4096, 600) << "premature end";
}

void TestJpegDecoder::badDataIsRefused()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);
    QElapsedTimer timer;
    timer.start();
    const Result<DecodedPicture> decoded = Decode(data);
    const qint64 elapsed = timer.elapsed();

    QVERIFY(decoded.Failed());
    QVERIFY(!decoded.Reason().empty());
    if (!reason.isEmpty())
        QVERIFY2(QString::fromStdString(decoded.Reason()).contains(reason, Qt::CaseInsensitive),
                 decoded.Reason().c_str());
    QVERIFY2(elapsed < kQuickMs, qPrintable(QStringLiteral("took %1 ms").arg(elapsed)));
}

// A naive decoder would take 65500 x 65500 x 3 bytes (12 GB) here.
void TestJpegDecoder::hugeHeaderIsRefusedBeforeAllocating()
{
    const QByteArray huge = WithClaimedSize(Resource("kalmo.jpg"), 65500, 65500);
    QVERIFY(!huge.isEmpty());
    const long peakBefore = PeakResidentKiB();
    QElapsedTimer timer;
    timer.start();
    const Result<DecodedPicture> decoded = Decode(huge);
    const qint64 elapsed = timer.elapsed();
    const long peakAfter = PeakResidentKiB();

    QVERIFY(decoded.Failed());
    QCOMPARE(decoded.Reason(), std::string("JPEG picture too large: 65500 x 65500 pixels"));
    QVERIFY2(elapsed < kQuickMs, qPrintable(QStringLiteral("took %1 ms").arg(elapsed)));
    QVERIFY2(peakAfter - peakBefore < 16 * 1024,
             qPrintable(QStringLiteral("peak memory grew by %1 KiB").arg(peakAfter - peakBefore)));
}

// Real pictures at the limits: no side above 4096 pixels, no more than 8 MiB of RGB.
void TestJpegDecoder::sizeLimits_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("4096 wide") << 4096 << 16 << true;
    QTest::newRow("4097 wide") << 4097 << 16 << false;
    QTest::newRow("4096 high") << 16 << 4096 << true;
    QTest::newRow("4097 high") << 16 << 4097 << false;
    QTest::newRow("8 MiB less 2048 bytes") << 1024 << 2730 << true; // 8386560 bytes
    QTest::newRow("8 MiB and 1024 bytes") << 1024 << 2731 << false; // 8389632 bytes
    QTest::newRow("one pixel") << 1 << 1 << true;
}

void TestJpegDecoder::sizeLimits()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, accepted);
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(QColor(200, 100, 50));
    const QByteArray jpeg = Encoded(image);
    QVERIFY(!jpeg.isEmpty());

    const Result<DecodedPicture> decoded = Decode(jpeg);
    QCOMPARE(!decoded.Failed(), accepted);
    if (accepted) {
        const DecodedPicture& picture = decoded.Value();
        QCOMPARE(picture.width, width);
        QCOMPARE(picture.height, height);
        QCOMPARE(picture.rgb.size(), std::size_t(width) * height * 3);
        const std::size_t last = picture.rgb.size() - 3;
        QVERIFY(std::abs(picture.rgb[last] - 200) <= 3);
        QVERIFY(std::abs(picture.rgb[last + 1] - 100) <= 3);
        QVERIFY(std::abs(picture.rgb[last + 2] - 50) <= 3);
    } else {
        QVERIFY2(QString::fromStdString(decoded.Reason()).contains("too large"),
                 decoded.Reason().c_str());
    }
}

// Quarters of red, green, blue and white come out in R, G, B order.
void TestJpegDecoder::coloursKeepTheirChannels()
{
    QImage image(32, 32, QImage::Format_RGB888);
    image.fill(Qt::white);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            image.setPixelColor(x, y, Qt::red);
            image.setPixelColor(x + 16, y, Qt::green);
            image.setPixelColor(x, y + 16, Qt::blue);
        }
    const Result<DecodedPicture> decoded = Decode(Encoded(image, false, 100));
    QVERIFY2(decoded, decoded.Reason().c_str());
    const DecodedPicture& picture = decoded.Value();
    const auto at = [&](int x, int y) {
        const unsigned char* p = picture.rgb.data() + (std::size_t(y) * 32 + x) * 3;
        return QColor(p[0], p[1], p[2]);
    };
    const auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 &&
               std::abs(a.blue() - b.blue()) <= 8;
    };
    QVERIFY(near(at(4, 4), Qt::red));
    QVERIFY(near(at(20, 4), Qt::green));
    QVERIFY(near(at(4, 20), Qt::blue));
    QVERIFY(near(at(20, 20), Qt::white));
}

void TestJpegDecoder::greyPictureIsWidenedToRgb()
{
    QImage image(40, 30, QImage::Format_Grayscale8);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            image.setPixel(x, y, qRgb(x * 6, x * 6, x * 6));
    const QByteArray jpeg = Encoded(image, false, 100);
    const qsizetype sof = FindSegment(jpeg, 0xC0);
    QVERIFY(sof > 0);
    QCOMPARE(Byte(jpeg, sof + 9), 1); // one component: a grey JPEG

    const Result<DecodedPicture> decoded = Decode(jpeg);
    QVERIFY2(decoded, decoded.Reason().c_str());
    const DecodedPicture& picture = decoded.Value();
    QCOMPARE(picture.width, 40);
    QCOMPARE(picture.height, 30);
    QCOMPARE(picture.rgb.size(), std::size_t(40 * 30 * 3));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const unsigned char* p = picture.rgb.data() + (std::size_t(y) * 40 + x) * 3;
            QCOMPARE(p[1], p[0]);
            QCOMPARE(p[2], p[0]);
            QVERIFY2(std::abs(int(p[0]) - x * 6) <= 3, qPrintable(QStringLiteral("x %1").arg(x)));
        }
}

void TestJpegDecoder::progressivePictureDecodes()
{
    QImage image(64, 48, QImage::Format_RGB888);
    image.fill(QColor(30, 60, 90));
    const QByteArray jpeg = Encoded(image, true);
    QVERIFY(FindSegment(jpeg, 0xC2) > 0); // progressive frame header
    const Result<DecodedPicture> decoded = Decode(jpeg);
    QVERIFY2(decoded, decoded.Reason().c_str());
    const DecodedPicture& picture = decoded.Value();
    QCOMPARE(picture.width, 64);
    QCOMPARE(picture.height, 48);
    QVERIFY(std::abs(picture.rgb[0] - 30) <= 3);
    QVERIFY(std::abs(picture.rgb[1] - 60) <= 3);
    QVERIFY(std::abs(picture.rgb[2] - 90) <= 3);
}

WYW_GUI_TEST_MAIN(TestJpegDecoder)
#include "test_jpeg_decoder.moc"
