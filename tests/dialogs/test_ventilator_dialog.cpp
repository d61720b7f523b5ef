// SPDX-License-Identifier: GPL-3.0-or-later
// The ventilator choice dialog: captions, places and keyboard order of the 27
// buttons, what OK and a cancel store, and the family pictures.
#include "dialogs/ventilator_dialog.h"

#include "calc/calc_state.h"
#include "test_main.h"
#include "ui/program_font.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

constexpr int kModels = 27;

// The captions in the order of the models 1..27.
const char* const kCaptions[kModels] = {
    "KALMO-100",
    "TRAVEN-140",
    "TRAVEN/M-150",
    "TRAVEN-150",
    "KALMO-160",
    "LUMA-160",
    "OSTREL-160 wzdłużnie",
    "OSTREL-160 poprzecznie",
    "BIVA-150 wzdłużnie",
    "BIVA-150 poprzecznie",
    "BIVA-160 wzdłużnie",
    "BIVA-160 poprzecznie",
    "VESK-160",
    "KALMO-200",
    "KALMO-250",
    "VESK-250",
    "TRAVEN-250",
    "LUMA-250",
    "KALMO-315",
    "VESK-315",
    "VESK/M-315",
    "VESK-400",
    "DORNA-100",
    "SAVO-160/W3",
    "SAVO-250/W3",
    "SAVO-315/W3",
    "MIRT-160",
};

// One family picture: its control, resource, display area size and label, in
// the order they stand (middle column top to bottom, then right column).
struct PictureSpot {
    int number;
    const char* resource;
    QSize area;
    const char* label;
    bool middle;
};
const PictureSpot kSpots[] = {
    {1, ":/pictures/kalmo.jpg", {73, 89}, "KALMO", true},
    {2, ":/pictures/traven.jpg", {73, 73}, "TRAVEN", true},
    {3, ":/pictures/ostrel.jpg", {73, 57}, "OSTREL", true},
    {7, ":/pictures/luma.jpg", {41, 41}, "LUMA", true},
    {9, ":/pictures/mirt.jpg", {73, 65}, "MIRT-160", true},
    {4, ":/pictures/biva.jpg", {73, 49}, "BIVA", false},
    {5, ":/pictures/vesk.jpg", {73, 65}, "VESK", false},
    {6, ":/pictures/savo.jpg", {73, 65}, "SAVO", false},
    {8, ":/pictures/dorna.jpg", {73, 65}, "DORNA", false},
};

QRadioButton* Button(QWidget& dialog, int model)
{
    return dialog.findChild<QRadioButton*>(QStringLiteral("RadioButton%1").arg(model));
}

int CheckedCount(QWidget& dialog)
{
    int count = 0;
    for (int model = 1; model <= kModels; ++model)
        count += Button(dialog, model)->isChecked() ? 1 : 0;
    return count;
}

// Clicks a radio button on its round mark, as the user does.
void ClickButton(QRadioButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(7, button->height() / 2));
}

void PressOnFocus(QWidget& dialog, Qt::Key key)
{
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : &dialog, key);
}

// Runs the dialog modally, lets `act` work on it once it is up, and returns
// what exec() gave. A dialog that `act` leaves open is closed with -1.
int RunModal(QDialog& dialog, const std::function<void(QDialog&)>& act)
{
    QTimer::singleShot(0, &dialog, [&dialog, &act] {
        if (QApplication::activeModalWidget() == &dialog)
            act(dialog);
        if (dialog.isVisible())
            dialog.done(-1);
    });
    return dialog.exec();
}

QImage ResourcePicture(const char* resource)
{
    QFile file(QString::fromLatin1(resource));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return PictureFromJpeg(file.readAll());
}

} // namespace

class TestDialogWyw : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void windowAndControls();
    void captionsAndPlaces_data();
    void captionsAndPlaces();
    void noCaptionIsClipped_data();
    void noCaptionIsClipped();
    void firstStartChoiceIsKalmo100();
    void clickedModelIsStored_data();
    void clickedModelIsStored();
    void cancelKeepsIndexButShowsLastClick();
    void escapeCancels();
    void tabOrderFollowsTheColumns();
    void arrowsMoveTheChoiceInTabOrder();
    void exactlyOneButtonIsChecked();
    void showModelChecksWithoutWriting();
    void picturesUnscaledBesideTheirLabels();
    void pictureBadDataGivesNullImage();
    void renderedPicturesAreUnscaled();
};

void TestDialogWyw::initTestCase()
{
    InstallProgramFontSubstitute();
}

void TestDialogWyw::windowAndControls()
{
    CalcState state;
    VentilatorDialog dialog(state);
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8("Wybór wywietrznika"));
    QCOMPARE(dialog.size(), QSize(639, 425));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());

    auto* frame = dialog.findChild<QGroupBox*>("RadioGroup1");
    QVERIFY(frame);
    QCOMPARE(frame->title(), QString::fromUtf8("Proszę wybrać wywietrznik"));
    for (int model = 1; model <= kModels; ++model) {
        QRadioButton* button = Button(dialog, model);
        QVERIFY(button);
        QCOMPARE(button->parentWidget(), frame);
    }
    QCOMPARE(frame->findChildren<QRadioButton*>().size(), kModels);

    auto* ok = dialog.findChild<QPushButton*>("OKBtn");
    auto* cancel = dialog.findChild<QPushButton*>("CancelBtn");
    QVERIFY(ok && cancel);
    QCOMPARE(ok->text(), QString("OK"));
    QCOMPARE(cancel->text(), QString("Anuluj"));
    QVERIFY(ok->isDefault());
    QVERIFY(!cancel->isDefault());
    QVERIFY(QRect(QPoint(0, 0), dialog.size()).contains(ok->geometry()));
    QVERIFY(QRect(QPoint(0, 0), dialog.size()).contains(cancel->geometry()));
    QVERIFY(!ok->geometry().intersects(cancel->geometry()));

    // Centred on the screen when shown.
    dialog.show();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(std::abs(dialog.frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(std::abs(dialog.frameGeometry().center().y() - screen.center().y()) <= 1);
}

void TestDialogWyw::captionsAndPlaces_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("row");
    for (int model = 1; model <= kModels; ++model) {
        const bool left = model <= 13 || model == 27;
        const int row = model <= 13 ? model : model == 27 ? 14 : model - 13;
        QTest::addRow("%d %s", model, kCaptions[model - 1])
            << model << QString::fromUtf8(kCaptions[model - 1]) << left << row;
    }
}

// Each caption in its column and row: rows 24 pixels apart, model 27 below the
// left column.
void TestDialogWyw::captionsAndPlaces()
{
    QFETCH(int, model);
    QFETCH(QString, caption);
    QFETCH(bool, left);
    QFETCH(int, row);
    CalcState state;
    VentilatorDialog dialog(state);
    QRadioButton* button = Button(dialog, model);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);

    const QRect top = Button(dialog, left ? 1 : 14)->geometry();
    QCOMPARE(button->geometry().x(), top.x());
    QCOMPARE(button->geometry().y(), top.y() + (row - 1) * 24);
    QCOMPARE(button->height(), top.height());
    QCOMPARE(Button(dialog, 14)->geometry().y(), Button(dialog, 1)->geometry().y());
    const QRect leftTop = Button(dialog, 1)->geometry();
    QVERIFY(leftTop.right() < Button(dialog, 14)->geometry().left());
    // Inside the frame.
    QVERIFY(QRect(QPoint(0, 0), button->parentWidget()->size()).contains(button->geometry()));
}

void TestDialogWyw::noCaptionIsClipped_data()
{
    QTest::addColumn<QFont>("font");
    QTest::newRow("program font") << ProgramFont(8);
    QTest::newRow("DejaVu Sans, wider") << QFont("DejaVu Sans", 8);
}

// Every text fits its control, in the program's font and in a wider fallback,
// and no control covers another.
void TestDialogWyw::noCaptionIsClipped()
{
    QFETCH(QFont, font);
    CalcState state;
    VentilatorDialog dialog(state);
    dialog.setFont(font);
    dialog.show();
    for (int model = 1; model <= kModels; ++model) {
        QRadioButton* button = Button(dialog, model);
        QVERIFY2(button->sizeHint().width() <= button->width(), kCaptions[model - 1]);
        QVERIFY2(button->sizeHint().height() <= button->height(), kCaptions[model - 1]);
    }
    auto* frame = dialog.findChild<QGroupBox*>("RadioGroup1");
    QVERIFY(frame->fontMetrics().horizontalAdvance(frame->title()) + 16 <= frame->width());

    QList<QWidget*> placed;
    for (const PictureSpot& spot : kSpots) {
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("Label%1").arg(spot.number));
        QVERIFY(label);
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 spot.label);
        QVERIFY2(label->fontMetrics().height() <= label->height(), spot.label);
        placed << label << dialog.findChild<QLabel*>(QStringLiteral("Image%1").arg(spot.number));
    }
    placed << frame << dialog.findChild<QWidget*>("OKBtn")
           << dialog.findChild<QWidget*>("CancelBtn");
    const QRect client(QPoint(0, 0), dialog.size());
    for (int i = 0; i < placed.size(); ++i) {
        QVERIFY2(client.contains(placed[i]->geometry()), qPrintable(placed[i]->objectName()));
        for (int j = i + 1; j < placed.size(); ++j)
            QVERIFY2(!placed[i]->geometry().intersects(placed[j]->geometry()),
                     qPrintable(placed[i]->objectName() + " / " + placed[j]->objectName()));
    }
}

void TestDialogWyw::firstStartChoiceIsKalmo100()
{
    CalcState state;
    ResetCalcState(state);
    CalcState expected = state;
    expected.VentilatorIndex = 1;
    VentilatorDialog dialog(state);
    QVERIFY(Button(dialog, 1)->isChecked());
    QCOMPARE(CheckedCount(dialog), 1);
    const int result = RunModal(dialog, [](QDialog& d) { PressOnFocus(d, Qt::Key_Return); });
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(state == expected); // nothing else written
}

void TestDialogWyw::clickedModelIsStored_data()
{
    QTest::addColumn<int>("model");
    for (int model = 1; model <= kModels; ++model)
        QTest::addRow("%s", kCaptions[model - 1]) << model;
}

// The clicked model, confirmed with the OK button, is stored; nothing else is.
void TestDialogWyw::clickedModelIsStored()
{
    QFETCH(int, model);
    CalcState state;
    ResetCalcState(state);
    state.VentilatorIndex = 5;
    state.FlowPerHour = 153.0;
    state.ResultsShown = true;
    CalcState expected = state;
    expected.VentilatorIndex = model;
    VentilatorDialog dialog(state);
    const int result = RunModal(dialog, [model](QDialog& d) {
        ClickButton(Button(d, model));
        QTest::mouseClick(d.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(state.VentilatorIndex, model);
    QVERIFY(state == expected);
    QCOMPARE(CheckedCount(dialog), 1);
    QVERIFY(Button(dialog, model)->isChecked());
}

// After a cancel the next opening shows the button last clicked, while
// VentilatorIndex keeps the model last confirmed.
void TestDialogWyw::cancelKeepsIndexButShowsLastClick()
{
    CalcState state;
    ResetCalcState(state);
    VentilatorDialog dialog(state);

    QCOMPARE(RunModal(dialog,
                      [](QDialog& d) {
                          ClickButton(Button(d, 27));
                          PressOnFocus(d, Qt::Key_Return);
                      }),
             int(QDialog::Accepted));
    QCOMPARE(state.VentilatorIndex, 27);

    const CalcState confirmed = state;
    QCOMPARE(RunModal(dialog,
                      [](QDialog& d) {
                          QVERIFY(Button(d, 27)->isChecked());
                          ClickButton(Button(d, 19));
                          QTest::mouseClick(d.findChild<QPushButton*>("CancelBtn"), Qt::LeftButton);
                      }),
             int(QDialog::Rejected));
    QVERIFY(state == confirmed);

    bool shownLastClick = false;
    QCOMPARE(RunModal(dialog,
                      [&shownLastClick](QDialog& d) {
                          shownLastClick = Button(d, 19)->isChecked() && CheckedCount(d) == 1 &&
                                           QApplication::focusWidget() == Button(d, 19);
                          PressOnFocus(d, Qt::Key_Escape);
                      }),
             int(QDialog::Rejected));
    QVERIFY(shownLastClick);
    QCOMPARE(state.VentilatorIndex, 27);

    QCOMPARE(RunModal(dialog, [](QDialog& d) { PressOnFocus(d, Qt::Key_Return); }),
             int(QDialog::Accepted));
    QCOMPARE(state.VentilatorIndex, 19);
}

void TestDialogWyw::escapeCancels()
{
    CalcState state;
    ResetCalcState(state);
    const CalcState before = state;
    VentilatorDialog dialog(state);
    const int result = RunModal(dialog, [](QDialog& d) {
        ClickButton(Button(d, 14));
        PressOnFocus(d, Qt::Key_Escape);
    });
    QCOMPARE(result, int(QDialog::Rejected));
    QVERIFY(state == before);
    QCOMPARE(state.VentilatorIndex, 0);
}

// Real Tab presses walk 1..13, 27, 14..26, then OK and "Anuluj", and round
// again; Shift+Tab walks back. Moving the focus does not change the choice.
void TestDialogWyw::tabOrderFollowsTheColumns()
{
    CalcState state;
    VentilatorDialog dialog(state);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), Button(dialog, 1)); // the checked button

    QStringList expected;
    for (int model : {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 27,
                      14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26})
        expected << QStringLiteral("RadioButton%1").arg(model);
    expected << "OKBtn"
             << "CancelBtn"
             << "RadioButton1";

    QStringList walked{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, expected);

    QStringList back{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        back << QApplication::focusWidget()->objectName();
    }
    std::reverse(expected.begin(), expected.end());
    QCOMPARE(back, expected);

    QVERIFY(Button(dialog, 1)->isChecked());
    QCOMPARE(CheckedCount(dialog), 1);

    // Space checks the focused button, and only it.
    for (int i = 0; i < 14; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Button(dialog, 14));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(Button(dialog, 14)->isChecked());
    QCOMPARE(CheckedCount(dialog), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Button(dialog, 15)); // still one stop per button
}

// The arrow keys step through the group in the same order and check the button.
void TestDialogWyw::arrowsMoveTheChoiceInTabOrder()
{
    CalcState state;
    VentilatorDialog dialog(state);
    dialog.ShowModel(13);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), Button(dialog, 13));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), Button(dialog, 27));
    QCOMPARE(dialog.CheckedModel(), 27);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(dialog.CheckedModel(), 14);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QCOMPARE(dialog.CheckedModel(), 13);
    QCOMPARE(CheckedCount(dialog), 1);

    dialog.ShowModel(1);
    Button(dialog, 1)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up); // round to the last
    QCOMPARE(dialog.CheckedModel(), 26);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(dialog.CheckedModel(), 1);
    QCOMPARE(state.VentilatorIndex, 0); // moving the choice stores nothing
}

void TestDialogWyw::exactlyOneButtonIsChecked()
{
    CalcState state;
    VentilatorDialog dialog(state);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (int model : {8, 8, 27, 1, 26, 14, 14}) { // twice: a click on the checked one keeps it
        ClickButton(Button(dialog, model));
        QVERIFY(Button(dialog, model)->isChecked());
        QCOMPARE(CheckedCount(dialog), 1);
        QCOMPARE(dialog.CheckedModel(), model);
    }
}

void TestDialogWyw::showModelChecksWithoutWriting()
{
    CalcState state;
    ResetCalcState(state);
    const CalcState before = state;
    VentilatorDialog dialog(state);
    for (int model = 1; model <= kModels; ++model) {
        dialog.ShowModel(model);
        QVERIFY(Button(dialog, model)->isChecked());
        QCOMPARE(CheckedCount(dialog), 1);
        QCOMPARE(dialog.CheckedModel(), model);
    }
    for (int outside : {0, -1, 28, 1000}) {
        dialog.ShowModel(outside);
        QCOMPARE(dialog.CheckedModel(), kModels);
        QCOMPARE(CheckedCount(dialog), 1);
    }
    QVERIFY(state == before);
}

// Each picture is shown at its decoded size from the top-left of its area, the
// label to its right; five in the middle column, four in the right one.
void TestDialogWyw::picturesUnscaledBesideTheirLabels()
{
    CalcState state;
    VentilatorDialog dialog(state);
    const QRect frame = dialog.findChild<QGroupBox*>("RadioGroup1")->geometry();
    QLabel* previous = nullptr;
    int middleX = -1;
    int rightX = -1;
    for (const PictureSpot& spot : kSpots) {
        auto* image = dialog.findChild<QLabel*>(QStringLiteral("Image%1").arg(spot.number));
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("Label%1").arg(spot.number));
        QVERIFY(image && label);
        QCOMPARE(image->size(), spot.area);
        QCOMPARE(label->text(), QString::fromUtf8(spot.label));

        const QImage decoded = ResourcePicture(spot.resource);
        QVERIFY2(!decoded.isNull(), spot.resource);
        const QPixmap shown = image->pixmap();
        QVERIFY2(!shown.isNull(), spot.label);
        QCOMPARE(shown.size(), decoded.size());
        QVERIFY(!image->hasScaledContents());
        QCOMPARE(image->alignment(), Qt::AlignLeft | Qt::AlignTop);
        QVERIFY(decoded.width() <= spot.area.width() && decoded.height() <= spot.area.height());

        // The label to the right, within the picture's height.
        QVERIFY(label->geometry().left() > image->geometry().right());
        QVERIFY(label->geometry().top() >= image->geometry().top());
        QVERIFY(label->geometry().bottom() <= image->geometry().bottom());

        QVERIFY(image->geometry().left() > frame.right());
        int& column = spot.middle ? middleX : rightX;
        if (column < 0)
            column = image->x();
        QCOMPARE(image->x(), column);
        if (previous && previous->x() == image->x())
            QVERIFY(image->geometry().top() > previous->geometry().bottom());
        previous = image;
    }
    QVERIFY(middleX < rightX);
    QVERIFY(dialog.findChild<QLabel*>("Label1")->geometry().right() < rightX);
}

void TestDialogWyw::pictureBadDataGivesNullImage()
{
    QVERIFY(PictureFromJpeg(QByteArray()).isNull());
    QVERIFY(PictureFromJpeg(QByteArray("not a picture")).isNull());
    QFile file(":/pictures/savo.jpg");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray savo = file.readAll();
    QVERIFY(PictureFromJpeg(savo.left(savo.size() / 2)).isNull());
    const QImage whole = PictureFromJpeg(savo);
    QCOMPARE(whole.size(), QSize(70, 63));
}

// The dialog as drawn: every picture's pixels stand 1:1 at the top-left of its
// area. The drawing is kept as a PNG (in WYW_SCREENSHOT_DIR when given).
void TestDialogWyw::renderedPicturesAreUnscaled()
{
    CalcState state;
    VentilatorDialog dialog(state);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QImage shot = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), QSize(639, 425));

    for (const PictureSpot& spot : kSpots) {
        const QImage picture = ResourcePicture(spot.resource).convertToFormat(QImage::Format_RGB32);
        const QPoint at =
            dialog.findChild<QLabel*>(QStringLiteral("Image%1").arg(spot.number))->pos();
        int differing = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                differing += shot.pixel(at + QPoint(x, y)) != picture.pixel(x, y) ? 1 : 0;
        QVERIFY2(differing == 0,
                 qPrintable(QStringLiteral("%1: %2 pixels differ").arg(spot.label).arg(differing)));
    }

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(shot.save(dir.filePath("ventilator_dialog.png")));
    QVERIFY(QFileInfo(dir.filePath("ventilator_dialog.png")).size() > 0);
    const QString keep = qEnvironmentVariable("WYW_SCREENSHOT_DIR");
    if (!keep.isEmpty())
        QVERIFY(shot.save(QDir(keep).filePath("ventilator_dialog.png")));
}

WYW_GUI_TEST_MAIN(TestDialogWyw)
#include "test_ventilator_dialog.moc"
