// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program_font.h"

#include <QFontDatabase>
#include <QStringList>

void InstallProgramFontSubstitute()
{
    if (!QFontDatabase::families().contains(kProgramFontFamily))
        QFont::insertSubstitution(kProgramFontFamily, kProgramFontSubstitute);
}

QFont ProgramFont(int pointSize)
{
    QFont font(kProgramFontFamily, pointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}
