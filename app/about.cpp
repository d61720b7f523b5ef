// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about.h"

#include "resources/program_icons.h"
#include "ui/place.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <qdrawutil.h>

namespace {

// A panel with a lowered outer and a raised inner bevel, one pixel each.
class BevelPanel : public QWidget {
public:
    explicit BevelPanel(QWidget* parent)
        : QWidget(parent)
    {
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(this);
        qDrawShadePanel(&painter, rect(), palette(), true, 1);
        qDrawShadePanel(&painter, rect().adjusted(1, 1, -1, -1), palette(), false, 1);
    }
};

} // namespace

AboutBox::AboutBox(QWidget* parent)
    : FixedDialog(QStringLiteral("About"), QSize(298, 213), EscapeKey::Ignored, parent)
{
    setObjectName(QString::fromLatin1(kObjectName));

    auto* panel = new BevelPanel(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(8, 8, 281, 161);

    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(8, 8, 65, 57);
    icon->setScaledContents(true);
    icon->setPixmap(AboutPicture());

    PlaceLabel(panel, "ProductName", "Program doboru wywietrzników ", {88, 20});
    PlaceLabel(panel, "ProductName1", "firmy KORVANT", {88, 34});
    PlaceLabel(panel, "Version", "Wersja 1.0", {88, 56});
    PlaceLabel(panel, "Copyright", "Dane katalogowe: KORVANT, Merlowice", {42, 96});

    QPushButton* ok = PlaceButton(this, "OKButton", "OK", {111, 180});
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
