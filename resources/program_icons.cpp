// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/program_icons.h"

#include <QString>

namespace {

QString GlyphName(ToolGlyph glyph)
{
    switch (glyph) {
    case ToolGlyph::Print:
        return QStringLiteral("print");
    case ToolGlyph::PrintSetup:
        return QStringLiteral("print_setup");
    case ToolGlyph::About:
        return QStringLiteral("about");
    case ToolGlyph::Exit:
        break;
    }
    return QStringLiteral("exit");
}

} // namespace

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/wywietrznik-%1.png").arg(size), QSize(size, size));
    return icon;
}

QPixmap AboutPicture()
{
    return QPixmap(QStringLiteral(":/icons/wywietrznik-64.png"));
}

QIcon ToolButtonIcon(ToolGlyph glyph)
{
    const QString name = GlyphName(glyph);
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/%1.png").arg(name), QSize(16, 16), QIcon::Normal);
    icon.addFile(QStringLiteral(":/icons/%1-disabled.png").arg(name), QSize(16, 16),
                 QIcon::Disabled);
    return icon;
}
