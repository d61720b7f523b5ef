#include "files/safe_file.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr int kRandomLetters = 6;
constexpr int kNameAttempts = 100;

// Why a system call failed, in Polish.
QString ErrnoText(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("brak uprawnień do zapisu w katalogu");
    case EROFS:
        return QStringLiteral("system plików jest tylko do odczytu");
    case ENOSPC:
        return QStringLiteral("brak miejsca na dysku");
    case EDQUOT:
        return QStringLiteral("przekroczony przydział miejsca na dysku");
    case EFBIG:
        return QStringLiteral("przekroczony dopuszczalny rozmiar pliku");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("nie ma takiego katalogu");
    case ENAMETOOLONG:
        return QStringLiteral("za długa nazwa pliku");
    case ELOOP:
        return QStringLiteral("za dużo dowiązań symbolicznych w ścieżce");
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

// Removes the temporaries of `target` that an interrupted write left: regular
// files of this user with the temporaries' names, nothing else.
void RemoveStaleTemporaries(const QByteArray& target)
{
    const QByteArray directory = DirectoryOf(target);
    const QByteArray prefix = target.mid(target.lastIndexOf('/') + 1) + kTemporaryInfix;
    struct Close {
        void operator()(DIR* listing) const { closedir(listing); }
    };
    const std::unique_ptr<DIR, Close> listing(opendir(directory.constData()));
    if (!listing)
        return;
    const int fd = dirfd(listing.get());
    while (const dirent* entry = readdir(listing.get())) {
        struct stat status {};
        if (IsTemporaryOf(entry->d_name, prefix) &&
            fstatat(fd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode) && status.st_uid == geteuid())
            unlinkat(fd, entry->d_name, 0);
    }
}

// A new empty temporary beside `target`, opened for writing; -1 and errno
// when none can be made.
int MakeTemporary(const QByteArray& target, QByteArray& name)
{
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = target + kTemporaryInfix;
        for (int i = 0; i < kRandomLetters; ++i)
            name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
        // The new file gets the permissions the user's umask gives.
        const int fd =
            open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
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
    if (descriptor_ >= 0)
        close(descriptor_);
    if (!temporary_.isEmpty())
        unlink(temporary_.constData());
}

Outcome FileReplacement::Fail(const QString& reason)
{
    if (descriptor_ >= 0)
        close(descriptor_);
    descriptor_ = -1;
    if (!temporary_.isEmpty())
        unlink(temporary_.constData());
    temporary_.clear();
    return Outcome::Failure(QStringLiteral("Nie można zapisać pliku „%1”: %2.").arg(path_, reason));
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

QString FileReplacement::TemporaryPath() const
{
    return QFile::decodeName(temporary_);
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
    const int fd = std::exchange(descriptor_, -1);
    if (close(fd) != 0)
        return Fail(ErrnoText(errno));
    if (rename(temporary_.constData(), target_.constData()) != 0)
        return Fail(ErrnoText(errno));
    temporary_.clear();
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
