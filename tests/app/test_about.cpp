// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_test_support.h"

#include "app/about.h"
#include "test_main.h"
#include "ui/program_font.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallProgramFontSubstitute(); }

    void captionSizeAndBorder()
    {
        AboutBox box;
        QCOMPARE(box.objectName(), QStringLiteral("AboutBox"));
        QCOMPARE(box.windowTitle(), QStringLiteral("About"));
        QCOMPARE(box.size(), QSize(298, 213));
        QCOMPARE(box.minimumSize(), QSize(298, 213));
        QCOMPARE(box.maximumSize(), QSize(298, 213));
        QCOMPARE(box.font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(box.font().pointSize(), 8);
    }

    void panelAndPicture()
    {
        AboutBox box;
        auto* panel = box.findChild<QWidget*>(QStringLiteral("Panel1"));
        QVERIFY(panel);
        QCOMPARE(panel->geometry(), QRect(8, 8, 281, 161));
        auto* icon = panel->findChild<QLabel*>(QStringLiteral("ProgramIcon"));
        QVERIFY(icon);
        QCOMPARE(icon->geometry(), QRect(8, 8, 65, 57));
        QVERIFY(icon->hasScaledContents());
        QVERIFY(!icon->pixmap().isNull());
    }

    void texts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("ProductName")
            << "ProductName" << QStringLiteral("Program doboru wywietrzników ") << QPoint(88, 20);
        QTest::newRow("ProductName1")
            << "ProductName1" << QStringLiteral("firmy KORVANT") << QPoint(88, 34);
        QTest::newRow("Version") << "Version" << QStringLiteral("Wersja 1.0") << QPoint(88, 56);
    }

    void texts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QPoint, place);
        AboutBox box;
        auto* label = box.findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(label->parentWidget()->objectName(), QStringLiteral("Panel1"));
        QCOMPARE(label->text(), text);
        QCOMPARE(label->pos(), place);
    }

    void creditsLineFitsThePanel()
    {
        AboutBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        auto* panel = box.findChild<QWidget*>(QStringLiteral("Panel1"));
        const auto labels = panel->findChildren<QLabel*>();
        QCOMPARE(labels.size(), 5); // the picture, three texts and the credits
        QLabel* credits = nullptr;
        for (QLabel* label : labels) {
            if (label->pos() == QPoint(42, 96))
                credits = label;
        }
        QVERIFY(credits);
        QVERIFY(!credits->text().trimmed().isEmpty());
        QVERIFY(!credits->text().contains(QLatin1Char('\n')));
        // Every text is wholly inside the panel's bevel and no two overlap.
        const QRect inside = panel->rect().adjusted(2, 2, -2, -2);
        for (QLabel* label : labels) {
            const QRect needed(label->pos(), label->sizeHint());
            QVERIFY2(inside.contains(needed), qPrintable(label->objectName()));
            for (QLabel* other : labels) {
                if (other != label)
                    QVERIFY(!needed.intersects(QRect(other->pos(), other->sizeHint())));
            }
        }
    }

    void okButtonIsTheDefaultAndCloses()
    {
        AboutBox box;
        auto* ok = box.findChild<QPushButton*>(QStringLiteral("OKButton"));
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(ok->geometry(), QRect(111, 180, 75, 25));
        QVERIFY(ok->isDefault());
        QCOMPARE(box.findChildren<QPushButton*>().size(), 1);

        auto watch =
            WhenModal<AboutBox>([](AboutBox* shown) { QTest::keyClick(shown, Qt::Key_Return); });
        QCOMPARE(box.exec(), int(QDialog::Accepted));
        QVERIFY(watch->acted());

        auto click = WhenModal<AboutBox>([](AboutBox* shown) {
            QTest::mouseClick(shown->findChild<QPushButton*>(QStringLiteral("OKButton")),
                              Qt::LeftButton);
        });
        QCOMPARE(box.exec(), int(QDialog::Accepted));
        QVERIFY(click->acted());
    }

    void escapeDoesNotCloseIt()
    {
        // OK is the box's only button and Esc is bound to none.
        AboutBox box;
        bool stillOpen = false;
        auto watch = WhenModal<AboutBox>([&stillOpen](AboutBox* shown) {
            QTest::keyClick(shown, Qt::Key_Escape);
            stillOpen = shown->isVisible();
            shown->accept();
        });
        box.exec();
        QVERIFY(watch->acted());
        QVERIFY(stillOpen);
    }

    void centredOnTheScreen()
    {
        AboutBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        const QPoint boxCentre = box.frameGeometry().center();
        QVERIFY(std::abs(boxCentre.x() - screenCentre.x()) <= 1);
        QVERIFY(std::abs(boxCentre.y() - screenCentre.y()) <= 1);
    }
};

WYW_GUI_TEST_MAIN(TestAbout)
#include "test_about.moc"
