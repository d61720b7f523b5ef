#include "app/about.h"

#include "resources/program_icons.h"

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

QLabel* PlacedLabel(const QString& text, QPoint place, QWidget* parent, const char* name)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setMargin(0);
    label->setIndent(0);
    label->move(place);
    label->adjustSize();
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : FixedDialog(QStringLiteral("About"), QSize(298, 213), EscapeKey::Ignored, parent)
{
    setObjectName(QStringLiteral("AboutBox"));

    auto* panel = new BevelPanel(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(8, 8, 281, 161);

    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(8, 8, 65, 57);
    icon->setScaledContents(true);
    icon->setPixmap(AboutPicture());

    PlacedLabel(QStringLiteral("Program doboru wywietrzników "), {88, 20}, panel, "ProductName");
    PlacedLabel(QStringLiteral("firmy KORVANT"), {88, 34}, panel, "ProductName1");
    PlacedLabel(QStringLiteral("Wersja 1.0"), {88, 56}, panel, "Version");
    PlacedLabel(QStringLiteral("Dane katalogowe: KORVANT, Merlowice"), {42, 96}, panel,
                "Copyright");

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(111, 180, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
