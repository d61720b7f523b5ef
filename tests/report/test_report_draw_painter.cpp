// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_draw.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include <optional>

namespace {

// The box of all dark pixels of an image, if any.
std::optional<QRect> InkBox(const QImage& image)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return std::nullopt;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QImage WhiteImage()
{
    QImage image(240, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QFont TestFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(20);
    return font;
}

} // namespace

class TestReportDrawPainter : public QObject {
    Q_OBJECT
private slots:
    void textTopStandsAtY_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("capitals with accents") << QStringLiteral("ŁÓDŹ") << 10 << 30;
        QTest::newRow("ascenders and descenders") << QStringLiteral("Gęstość ƒjpq|") << 40 << 50;
        QTest::newRow("at the very top") << QStringLiteral("Ńĺ|") << 5 << 0;
    }

    void textTopStandsAtY()
    {
        QFETCH(QString, text);
        QFETCH(int, x);
        QFETCH(int, y);

        QImage image = WhiteImage();
        QFontMetrics metrics(TestFont(), &image);
        {
            QPainter painter(&image);
            painter.setFont(TestFont());
            painter.setPen(Qt::black);
            PainterCanvas canvas(painter);
            canvas.DrawText(x, y, text);
        }
        const std::optional<QRect> ink = InkBox(image);
        QVERIFY(ink.has_value());
        // Every pixel of the text lies within the line box whose top-left
        // corner is (x, y): nothing above y, nothing below the descent.
        QVERIFY2(ink->top() >= y, qPrintable(QStringLiteral("ink top %1").arg(ink->top())));
        QVERIFY(ink->bottom() < y + metrics.height());
        QVERIFY(ink->left() >= x);
        QVERIFY(ink->left() <= x + 3);
        // The tall glyphs reach close to the top of that box.
        QVERIFY2(ink->top() <= y + metrics.ascent() - metrics.capHeight(),
                 qPrintable(QStringLiteral("ink top %1").arg(ink->top())));
    }

    void baselineWouldStandHigher()
    {
        // The same text drawn at a baseline of y stands above y: the canvas
        // must have moved it down by the ascent.
        QImage plain = WhiteImage();
        QImage placed = WhiteImage();
        {
            QPainter painter(&plain);
            painter.setFont(TestFont());
            painter.drawText(10, 60, QStringLiteral("Program"));
        }
        {
            QPainter painter(&placed);
            painter.setFont(TestFont());
            PainterCanvas canvas(painter);
            canvas.DrawText(10, 60, QStringLiteral("Program"));
        }
        const QFontMetrics metrics(TestFont(), &plain);
        const std::optional<QRect> plainInk = InkBox(plain);
        const std::optional<QRect> placedInk = InkBox(placed);
        QVERIFY(plainInk && placedInk);
        QVERIFY(plainInk->top() < 60);
        QCOMPARE(placedInk->top() - plainInk->top(), metrics.ascent());
        QCOMPARE(placedInk->left(), plainInk->left());
    }

    void drawsWithThePaintersPen()
    {
        QImage image = WhiteImage();
        {
            QPainter painter(&image);
            painter.setFont(TestFont());
            painter.setPen(QColor(Qt::red));
            PainterCanvas canvas(painter);
            canvas.DrawText(10, 10, QStringLiteral("MMM"));
        }
        bool red = false;
        for (int y = 0; y < image.height() && !red; ++y) {
            for (int x = 0; x < image.width() && !red; ++x)
                red = image.pixel(x, y) == qRgb(255, 0, 0);
        }
        QVERIFY(red);
    }

    void reportOnPixels()
    {
        // Two lines, rows 0 and 2, 20 pixels apart: the empty row between them
        // stays white.
        QImage image(400, 120, QImage::Format_RGB32);
        image.fill(Qt::white);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        {
            QPainter painter(&image);
            painter.setFont(font);
            PainterCanvas canvas(painter);
            DrawReport(canvas, {{0, "Program doboru"}, {2, "Dane do obliczeń:"}},
                       kScreenReportLayout);
        }
        const QFontMetrics metrics(font, &image);
        const auto band = [&](int from, int to) {
            return InkBox(image.copy(0, from, image.width(), to - from));
        };
        QVERIFY(!band(0, 50).has_value());
        QVERIFY(band(50, 50 + metrics.height()).has_value());
        QVERIFY(!band(50 + metrics.height(), 90).has_value());
        QVERIFY(band(90, 90 + metrics.height()).has_value());
        QVERIFY(!band(90 + metrics.height(), 120).has_value());
        QVERIFY(band(50, 50 + metrics.height())->left() >= 20);
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestReportDrawPainter test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_report_draw_painter.moc"
