// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/safe_file.h"

#include "files/file_errors.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr int kRandomLetters = 6;
constexpr int kNameAttempts = 100;

QString ErrnoText(int error)
{
    return FileErrorText(error, FileAccess::Write);
}

// What a file that is not a regular one is, as "lecz <this>" and as "lecz do
// <this>" say it.
std::pair<QString, QString> KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return {QStringLiteral("katalog"), QStringLiteral("katalogu")};
    if (S_ISFIFO(mode))
        return {QStringLiteral("potok (FIFO)"), QStringLiteral("potoku (FIFO)")};
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return {QStringLiteral("urządzenie"), QStringLiteral("urządzenia")};
    if (S_ISSOCK(mode))
        return {QStringLiteral("gniazdo"), QStringLiteral("gniazda")};
    return {QStringLiteral("plik specjalny"), QStringLiteral("pliku specjalnego")};
}

// The file that a write to `path` replaces, with its status (st_mode 0 when
// it does not exist yet). An empty reason when it may be replaced.
struct Target {
    QByteArray path;
    struct stat status {};
    QString refusal;
};

Target FindTarget(const QByteArray& path)
{
    Target target{path, {}, {}};
    if (lstat(path.constData(), &target.status) != 0) {
        const int error = errno;
        target.status = {};
        if (error != ENOENT)
            target.refusal = ErrnoText(error);
        return target;
    }
    if (!S_ISLNK(target.status.st_mode)) {
        if (!S_ISREG(target.status.st_mode))
            target.refusal = QStringLiteral("to nie jest zwykły plik, lecz ") +
                             KindOf(target.status.st_mode).first;
        return target;
    }
    // A link: the file it leads to, in that file's own directory.
    const std::unique_ptr<char, decltype(&std::free)> real(realpath(path.constData(), nullptr),
                                                           &std::free);
    if (!real || stat(real.get(), &target.status) != 0) {
        target.refusal = errno == ENOENT
                             ? QStringLiteral("dowiązanie prowadzi do nieistniejącego pliku")
                             : ErrnoText(errno);
        return target;
    }
    target.path = real.get();
    if (!S_ISREG(target.status.st_mode))
        target.refusal = QStringLiteral("dowiązanie nie prowadzi do zwykłego pliku, lecz do ") +
                         KindOf(target.status.st_mode).second;
    return target;
}

QByteArray DirectoryOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// The mark in every temporary's name, which no name a user gives a file is
// expected to hold.
constexpr char kTemporaryMark[] = ".wyw-tmp-";
constexpr std::size_t kMarkLength = sizeof kTemporaryMark - 1;
constexpr std::size_t kHashDigits = 16;

// FNV-1a: the same for a name in every run, unlike qHash.
std::uint64_t NameHash(const QByteArray& name)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

// The temporaries of the file named `name` (no directory) are named this and
// kRandomLetters letters or digits: "." name ".wyw-tmp-"; a name too long for
// that within NAME_MAX keeps its start, cut at a whole UTF-8 character, and
// "~" with the hash of the whole name.
QByteArray TemporaryPrefix(const QByteArray& name)
{
    QByteArray whole = '.' + name + kTemporaryMark;
    if (static_cast<std::size_t>(whole.size()) + kRandomLetters <= NAME_MAX)
        return whole;
    qsizetype keep = NAME_MAX - kRandomLetters - kMarkLength - kHashDigits - 2;
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep; // the byte there continues a character
    return '.' + name.left(keep) + '~' +
           QByteArray::number(static_cast<qulonglong>(NameHash(name)), 16)
               .rightJustified(kHashDigits, '0') +
           kTemporaryMark;
}

QByteArray FileNameOf(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

bool IsTemporaryOf(const char* name, const QByteArray& prefix)
{
    const QByteArray entry(name);
    if (entry.size() != prefix.size() + kRandomLetters || !entry.startsWith(prefix))
        return false;
    for (qsizetype i = prefix.size(); i < entry.size(); ++i) {
        const char c = entry[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes the temporary `name` in the directory `directoryFd` when no writer
// holds it: a regular file of this user that this process can lock.
void RemoveWhenUnheld(int directoryFd, const char* name)
{
    struct stat before {};
    if (fstatat(directoryFd, name, &before, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(before.st_mode) ||
        before.st_uid != geteuid())
        return;
    const int fd = openat(directoryFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat opened {};
    struct stat now {};
    // Locked, and still the file of that name: no writer can take it now.
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &opened) == 0 &&
        fstatat(directoryFd, name, &now, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(before, opened) &&
        SameFile(opened, now))
        unlinkat(directoryFd, name, 0);
    close(fd);
}

// Removes the temporaries of `target` that an interrupted write left: those
// with the temporaries' names that no live writer holds locked.
void RemoveStaleTemporaries(const QByteArray& target)
{
    const QByteArray prefix = TemporaryPrefix(FileNameOf(target));
    struct Close {
        void operator()(DIR* listing) const { closedir(listing); }
    };
    const std::unique_ptr<DIR, Close> listing(opendir(DirectoryOf(target).constData()));
    if (!listing)
        return;
    const int fd = dirfd(listing.get());
    while (const dirent* entry = readdir(listing.get())) {
        if (IsTemporaryOf(entry->d_name, prefix))
            RemoveWhenUnheld(fd, entry->d_name);
    }
}

// Locks the new temporary `fd` named `name` for as long as it is open, so that
// no other writer's clean-up removes it. False when a clean-up removed it
// before the lock was taken.
bool HoldTemporary(int fd, const QByteArray& name)
{
    while (flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR)
            return false;
    }
    struct stat opened {};
    struct stat now {};
    return fstat(fd, &opened) == 0 && lstat(name.constData(), &now) == 0 && SameFile(opened, now);
}

// A new empty temporary beside `target`, opened for writing and locked; -1
// and errno when none can be made.
int MakeTemporary(const QByteArray& target, QByteArray& name)
{
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray start = target.left(slash + 1) + TemporaryPrefix(FileNameOf(target));
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = start;
        for (int i = 0; i < kRandomLetters; ++i)
            name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
        // The new file gets the permissions the user's umask gives.
        const int fd =
            open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno != EEXIST)
            return fd;
        if (fd < 0)
            continue;
        if (HoldTemporary(fd, name))
            return fd;
        close(fd); // another writer's clean-up took it: make another
        errno = EEXIST;
    }
    return -1;
}

void KeepOwnerAndPermissions(int fd, const struct stat& old)
{
    fchmod(fd, old.st_mode & 07777);
    // Only root can give the file back its owner; a file that cannot have it
    // back gets no set-id bits.
    if (geteuid() == 0 && fchown(fd, old.st_uid, old.st_gid) != 0)
        fchmod(fd, old.st_mode & 0777);
}

void SyncDirectory(const QByteArray& path)
{
    const int fd = open(DirectoryOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

FileReplacement::FileReplacement(QString path)
    : path_(std::move(path))
{
}

FileReplacement::~FileReplacement()
{
    // Removed while still locked, so that no other writer's clean-up meets it.
    if (!temporary_.isEmpty())
        unlink(temporary_.constData());
    if (descriptor_ >= 0)
        close(descriptor_);
}

Outcome FileReplacement::Fail(const QString& reason)
{
    if (!temporary_.isEmpty())
        unlink(temporary_.constData());
    temporary_.clear();
    if (descriptor_ >= 0)
        close(descriptor_);
    descriptor_ = -1;
    return FailureOf(QStringLiteral("Nie można zapisać pliku „%1”: %2.").arg(path_, reason));
}

Outcome FileReplacement::Begin()
{
    if (path_.isEmpty())
        return Fail(QStringLiteral("nie podano nazwy pliku"));
    const Target target = FindTarget(QFile::encodeName(path_));
    if (!target.refusal.isEmpty())
        return Fail(target.refusal);
    // A file that is there but not writable is the user's choice to keep.
    if (target.status.st_mode != 0 && access(target.path.constData(), W_OK) != 0)
        return Fail(QStringLiteral("plik jest tylko do odczytu"));
    target_ = target.path;
    RemoveStaleTemporaries(target_);
    descriptor_ = MakeTemporary(target_, temporary_);
    if (descriptor_ < 0) {
        const int error = errno;
        temporary_.clear(); // never made: nothing of ours to remove
        return Fail(ErrnoText(error));
    }
    return {};
}

Outcome FileReplacement::Write(const QByteArray& bytes)
{
    const char* data = bytes.constData();
    std::size_t left = static_cast<std::size_t>(bytes.size());
    while (left > 0) {
        const ssize_t written = write(descriptor_, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return Fail(ErrnoText(written < 0 ? errno : ENOSPC));
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return {};
}

Outcome FileReplacement::Commit()
{
    // The name may have been given to something else meanwhile.
    const Target now = FindTarget(QFile::encodeName(path_));
    if (!now.refusal.isEmpty())
        return Fail(now.refusal);
    if (now.path != target_)
        return Fail(QStringLiteral("plik został w międzyczasie zastąpiony"));
    if (now.status.st_mode != 0)
        KeepOwnerAndPermissions(descriptor_, now.status);
    if (fsync(descriptor_) != 0)
        return Fail(ErrnoText(errno));
    // The lock stays on a second descriptor until the rename, while the
    // written one is closed and says whether the data reached the disk.
    const int lock = dup(descriptor_);
    if (lock < 0)
        return Fail(ErrnoText(errno));
    const int fd = std::exchange(descriptor_, lock);
    if (close(fd) != 0)
        return Fail(ErrnoText(errno));
    if (rename(temporary_.constData(), target_.constData()) != 0)
        return Fail(ErrnoText(errno));
    temporary_.clear();
    close(std::exchange(descriptor_, -1));
    SyncDirectory(target_);
    return {};
}

Outcome ReplaceFile(const QString& path, const QByteArray& content)
{
    FileReplacement file(path);
    if (Outcome begun = file.Begin(); !begun)
        return begun;
    if (Outcome written = file.Write(content); !written)
        return written;
    return file.Commit();
}
