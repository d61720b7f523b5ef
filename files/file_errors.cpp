// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_errors.h"

#include <cerrno>

QString FileErrorText(int error, FileAccess access)
{
    const bool reading = access == FileAccess::Read;
    switch (error) {
    case EACCES:
    case EPERM:
        return reading ? QStringLiteral("brak uprawnień do odczytu pliku")
                       : QStringLiteral("brak uprawnień do zapisu w katalogu");
    case EROFS:
        return QStringLiteral("system plików jest tylko do odczytu");
    case ENOSPC:
        return QStringLiteral("brak miejsca na dysku");
    case EDQUOT:
        return QStringLiteral("przekroczony przydział miejsca na dysku");
    case EFBIG:
        return QStringLiteral("przekroczony rozmiar pliku");
    case ENOENT:
        return reading ? QStringLiteral("plik nie istnieje")
                       : QStringLiteral("nie ma takiego katalogu");
    case ENOTDIR:
        return QStringLiteral("nie ma takiego katalogu");
    case EISDIR:
        return QStringLiteral("to jest katalog, nie plik");
    case ENAMETOOLONG:
        return QStringLiteral("za długa nazwa pliku");
    case ELOOP:
        return QStringLiteral("za dużo dowiązań symbolicznych w ścieżce (być może zapętlonych)");
    case EPIPE:
        return QStringLiteral("odbiorca wyniku zamknął potok");
    case EIO:
        return QStringLiteral("błąd wejścia-wyjścia");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("plik jest w użyciu");
    case EMFILE:
    case ENFILE:
    case ENOMEM:
        return QStringLiteral("brak zasobów systemu");
    default:
        return QStringLiteral("błąd systemu plików (kod %1)").arg(error);
    }
}
