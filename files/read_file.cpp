// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/read_file.h"

#include "files/file_errors.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A descriptor closed when it goes.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            close(fd);
    }
};

} // namespace

QString ReadFailureText(int error, const QString& path)
{
    if (error == ENOENT && path.contains(QChar::ReplacementCharacter))
        return QStringLiteral("nazwa pliku nie jest zapisana w UTF-8, więc program nie może go "
                              "otworzyć; zmień nazwę pliku");
    return FileErrorText(error, FileAccess::Read);
}

Result<QByteArray> ReadWholeFile(const QString& path)
{
    const Descriptor file{open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0)
        return FailureOf(ReadFailureText(errno, path));
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(file.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FailureOf(ReadFailureText(errno, path));
        if (n == 0)
            return bytes;
        bytes.append(buffer, n);
    }
}
