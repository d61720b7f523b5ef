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
// the write fails; none is ever opened, so nothing can block. Temporaries that
// an interrupted write of the same file left behind are removed by the next.
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
    // The temporary, for a writer that opens its file by name (a printer).
    QString TemporaryPath() const;
    Outcome Write(const QByteArray& bytes);
    // Puts the complete temporary in place of the file, with the old file's
    // permissions.
    Outcome Commit();

private:
    Outcome Fail(const QString& reason);

    QString path_;
    QByteArray target_;    // the file replaced: the link's target for a link
    QByteArray temporary_; // empty until made, and again once renamed
    int descriptor_ = -1;
};

// Replaces the file at `path` by `content`, as FileReplacement does.
Outcome ReplaceFile(const QString& path, const QByteArray& content);

// The temporaries of a file are named "<file name>.tmp-" and six letters or
// digits, in the file's directory.
inline constexpr char kTemporaryInfix[] = ".tmp-";
