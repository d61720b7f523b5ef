// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/outcome.h"

#include <QByteArray>
#include <QString>

// The one way the program writes a file (value files, print files, CSV and
// pictures). The file is replaced whole: the new content goes into a temporary
// beside it, which is renamed over it only when complete, so the file on disk
// is always either the old or the new one; where no temporary can be made (a
// read-only directory) the write fails and the old file stays as it was.
//
// Only a regular file, or a symbolic link to one, is ever replaced; through a
// link the file it leads to is replaced in its own directory and the link
// stays. A directory, FIFO, device or socket of that name is left alone and
// the write fails; none is ever opened, so nothing can block.
//
// The temporary of "name" is ".name.wyw-tmp-" and six letters or digits, in
// the file's directory; for a name too long for that within 255 bytes, its
// start, "~" and a hash of the whole name stand for it. Each writer holds its
// temporary locked (flock) while it writes; the temporaries of the same file
// that no writer holds, left by an interrupted write, are removed by the next,
// so that two programs saving one file never take each other's.
class FileReplacement {
public:
    // `path` as the user named it; failures name it so.
    explicit FileReplacement(QString path);
    // A temporary not yet put in place is removed.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Checks the file and makes the empty temporary that the writes go to.
    Outcome Begin();
    Outcome Write(const QByteArray& bytes);
    // Puts the complete temporary in place of the file, with the old file's
    // permissions.
    Outcome Commit();

private:
    Outcome Fail(const QString& reason);

    QString path_;
    QByteArray target_;    // the file replaced: the link's target for a link
    QByteArray temporary_; // empty until made, and again once renamed
    int descriptor_ = -1;  // the temporary, open and locked
};

// Replaces the file at `path` by `content`, as FileReplacement does.
Outcome ReplaceFile(const QString& path, const QByteArray& content);
