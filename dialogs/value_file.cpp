// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/value_file.h"

#include "files/safe_file.h"

#include <QByteArray>
#include <QFile>
#include <QLineEdit>

#include <array>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Collects the lines of a value file from its bytes.
class LineCollector {
public:
    explicit LineCollector(std::size_t count)
        : count_(count)
    {
    }

    bool Done() const { return lines_.size() >= count_; }

    void Take(char c)
    {
        if (c == '\n') {
            FinishLine();
            return;
        }
        if (length_ < kValueLineLimit)
            current_.push_back(c);
        ++length_;
    }

    // The end of the file: a last line without its newline still counts.
    std::vector<std::string> Finish()
    {
        if (!Done() && length_ > 0)
            FinishLine();
        return std::move(lines_);
    }

private:
    void FinishLine()
    {
        // A CR directly before the LF, or at the very end of the file, belongs
        // to the line end (in an overlong line that CR was never kept).
        if (length_ <= kValueLineLimit && !current_.empty() && current_.back() == '\r')
            current_.pop_back();
        // A field shows its text as a C string would: up to a NUL byte.
        if (const auto nul = current_.find('\0'); nul != std::string::npos)
            current_.resize(nul);
        lines_.push_back(std::move(current_));
        current_.clear();
        length_ = 0;
    }

    std::size_t count_;
    std::vector<std::string> lines_;
    std::string current_;
    std::size_t length_ = 0; // characters of the current line, kept or skipped
};

} // namespace

std::vector<std::string> ReadValueLines(const QString& fileName, std::size_t count)
{
    // Only a plain file: a directory, a device or a pipe of that name is
    // treated as no file at all. Opened without waiting, so that a pipe put
    // there cannot block the start of the program.
    if (count == 0)
        return {};
    const int fd = open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    QFile file;
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        close(fd);
        return {};
    }

    LineCollector collector(count);
    std::array<char, 4096> buffer{};
    std::size_t total = 0;
    while (!collector.Done() && total < kValueFileReadLimit) {
        const qint64 got = file.read(buffer.data(), static_cast<qint64>(buffer.size()));
        if (got <= 0)
            break;
        total += static_cast<std::size_t>(got);
        for (qint64 i = 0; i < got && !collector.Done(); ++i)
            collector.Take(buffer[static_cast<std::size_t>(i)]);
    }
    return collector.Finish();
}

void LoadValueFile(const QString& fileName, std::initializer_list<QLineEdit*> fields)
{
    const std::vector<std::string> lines = ReadValueLines(fileName, fields.size());
    auto field = fields.begin();
    for (const std::string& line : lines) {
        (*field)->setText(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
        ++field;
    }
}

Outcome SaveValueFile(const QString& fileName, const std::vector<std::string>& lines)
{
    QByteArray content;
    for (const std::string& line : lines) {
        content.append(line.data(), static_cast<qsizetype>(line.size()));
        content.append('\n');
    }
    return ReplaceFile(fileName, content);
}

DialogValueFile::DialogValueFile(const char* fileName, QObject* dialog)
    : QObject(dialog)
    , fileName_(QString::fromLatin1(fileName))
{
    setObjectName(QStringLiteral("ValueFile"));
}

void DialogValueFile::Load(std::initializer_list<QLineEdit*> fields) const
{
    LoadValueFile(fileName_, fields);
}

void DialogValueFile::Save(const std::vector<std::string>& lines)
{
    if (Outcome saved = SaveValueFile(fileName_, lines); !saved)
        emit SaveFailed(saved);
}
