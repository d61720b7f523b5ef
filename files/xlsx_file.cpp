// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/xlsx_file.h"

#include "files/read_file.h"
#include "files/safe_file.h"
#include "files/visible_text.h"

#include <QDir>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <clocale>
#include <locale.h>
#include <map>

namespace {

// The most characters a cell of a workbook holds.
constexpr std::size_t kCellLimit = 32767;
constexpr double kNarrowest = 6.0;
constexpr double kWidest = 60.0;
constexpr double kWidestLine = 150.0;

std::string LibraryReason(lxw_error error)
{
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return "brak pamięci";
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return "nie można zapisać ani odczytać pliku tymczasowego";
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return "nie udało się spakować pliku (ZIP)";
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
        return "tabela ma więcej wierszy lub kolumn, niż mieści arkusz";
    default:
        return "błąd biblioteki libxlsxwriter nr " + std::to_string(static_cast<int>(error));
    }
}

Failure BookFailure(const std::string& reason)
{
    return Failure{"Nie można utworzyć skoroszytu XLSX: " + reason + "."};
}

// "A1" for row 0 and column 0, "AB12" for row 11 and column 27.
std::string CellName(lxw_row_t row, lxw_col_t column)
{
    std::string letters;
    for (unsigned c = column + 1U; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(row + 1);
}

// Characters, not bytes: a continuation byte of UTF-8 starts none.
std::size_t Characters(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The C numeric locale on this thread while it lives: the library prints its
// numbers with printf, which a Polish locale would give a decimal comma.
class CNumbers {
public:
    CNumbers()
        : c_(newlocale(LC_NUMERIC_MASK, "C", duplocale(uselocale(nullptr))))
        , previous_(c_ ? uselocale(c_) : nullptr)
    {
    }
    ~CNumbers()
    {
        if (!c_)
            return;
        uselocale(previous_);
        freelocale(c_);
    }
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

    bool Active() const { return c_ != nullptr; }

private:
    locale_t c_;
    locale_t previous_;
};

// The workbook handle, closed (and freed) once: by Close, or at the end.
class Book {
public:
    Book(const std::string& file, std::string temporaries)
        : temporaries_(std::move(temporaries))
    {
        options_.tmpdir = temporaries_.data();
        book_ = workbook_new_opt(file.c_str(), &options_);
    }
    ~Book()
    {
        if (book_)
            workbook_close(book_);
    }
    Book(const Book&) = delete;
    Book& operator=(const Book&) = delete;

    lxw_workbook* Handle() const { return book_; }
    lxw_error Close()
    {
        const lxw_error error = workbook_close(book_);
        book_ = nullptr;
        return error;
    }

private:
    std::string temporaries_;
    lxw_workbook_options options_{};
    lxw_workbook* book_ = nullptr;
};

// The formats of a workbook, made once each; none when memory runs out.
class Formats {
public:
    explicit Formats(lxw_workbook* book)
        : book_(book)
    {
    }

    lxw_format* Header()
    {
        if (!header_ && (header_ = workbook_add_format(book_))) {
            format_set_bold(header_);
            format_set_bg_color(header_, 0xE8E8E8);
        }
        return header_;
    }
    lxw_format* Alarm()
    {
        if (!alarm_ && (alarm_ = workbook_add_format(book_))) {
            format_set_bold(alarm_);
            format_set_font_color(alarm_, LXW_COLOR_RED);
        }
        return alarm_;
    }
    // "0", "0.0", "0.00", …: the number shown with its decimals.
    lxw_format* Number(int decimals, bool alarm)
    {
        lxw_format*& format = numbers_[{decimals, alarm}];
        if (!format && (format = workbook_add_format(book_))) {
            const std::string pattern =
                decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0";
            format_set_num_format(format, pattern.c_str());
            if (alarm)
                format_set_font_color(format, LXW_COLOR_RED);
        }
        return format;
    }

private:
    lxw_workbook* book_;
    lxw_format* header_ = nullptr;
    lxw_format* alarm_ = nullptr;
    std::map<std::pair<int, bool>, lxw_format*> numbers_;
};

// One sheet being written; the first error ends it.
class SheetWriter {
public:
    SheetWriter(lxw_worksheet* sheet, Formats& formats, const std::string& name)
        : sheet_(sheet)
        , formats_(formats)
        , name_(name)
    {
    }

    Outcome Table(const WorkbookTable& table);
    Outcome Lines(const std::vector<std::string>& lines, lxw_row_t first, bool fitColumn);

private:
    Outcome Check(lxw_error error) const
    {
        return error == LXW_NO_ERROR ? Outcome() : BookFailure(LibraryReason(error));
    }
    // A cell written: the width of its column that its text needs.
    Result<double> Text(lxw_row_t row, lxw_col_t column, const std::string& raw,
                        lxw_format* format);
    Result<double> Cell(lxw_row_t row, lxw_col_t column, const WorkbookCell& cell);

    lxw_worksheet* sheet_;
    Formats& formats_;
    const std::string& name_;
};

Result<double> SheetWriter::Text(lxw_row_t row, lxw_col_t column, const std::string& raw,
                                 lxw_format* format)
{
    const std::string text = VisibleText(raw);
    const std::size_t characters = Characters(text);
    if (characters > kCellLimit)
        return BookFailure("tekst w arkuszu „" + name_ + "”, komórka " + CellName(row, column) +
                           ", ma więcej niż 32767 znaków – tyle mieści komórka skoroszytu");
    const double width = static_cast<double>(characters) + 2.0;
    if (text.empty())
        return width;
    if (const Outcome e = Check(worksheet_write_string(sheet_, row, column, text.c_str(), format));
        !e)
        return e.Fault();
    return width;
}

Result<double> SheetWriter::Cell(lxw_row_t row, lxw_col_t column, const WorkbookCell& cell)
{
    if (!cell.number)
        return Text(row, column, cell.text, cell.alarm ? formats_.Alarm() : nullptr);
    lxw_format* format = formats_.Number(cell.decimals, cell.alarm);
    if (!format)
        return BookFailure(LibraryReason(LXW_ERROR_MEMORY_MALLOC_FAILED));
    if (const Outcome e = Check(worksheet_write_number(sheet_, row, column, cell.value, format));
        !e)
        return e.Fault();
    return static_cast<double>(cell.text.size()) + 2.0;
}

Outcome SheetWriter::Table(const WorkbookTable& table)
{
    if (!formats_.Header() || !formats_.Alarm())
        return BookFailure(LibraryReason(LXW_ERROR_MEMORY_MALLOC_FAILED));
    std::vector<double> widths(table.headers.size(), kNarrowest);
    for (std::size_t c = 0; c < table.headers.size(); ++c) {
        const Result<double> width =
            Text(0, static_cast<lxw_col_t>(c), table.headers[c], formats_.Header());
        if (!width)
            return width.Fault();
        widths[c] = std::max(widths[c], width.Value());
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const std::vector<WorkbookCell>& cells = table.rows[r];
        for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
            const Result<double> width =
                Cell(static_cast<lxw_row_t>(r + 1), static_cast<lxw_col_t>(c), cells[c]);
            if (!width)
                return width.Fault();
            widths[c] = std::max(widths[c], width.Value());
        }
    }
    worksheet_freeze_panes(sheet_, 1, 0);
    const auto last = static_cast<lxw_col_t>(widths.size() - 1);
    if (Outcome e = Check(
            worksheet_autofilter(sheet_, 0, 0, static_cast<lxw_row_t>(table.rows.size()), last));
        !e)
        return e;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const auto column = static_cast<lxw_col_t>(c);
        if (Outcome e = Check(worksheet_set_column(sheet_, column, column,
                                                   std::min(widths[c], kWidest), nullptr));
            !e)
            return e;
    }
    return {};
}

Outcome SheetWriter::Lines(const std::vector<std::string>& lines, lxw_row_t first, bool fitColumn)
{
    double width = kNarrowest;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Result<double> needed = Text(first + static_cast<lxw_row_t>(i), 0, lines[i], nullptr);
        if (!needed)
            return needed.Fault();
        width = std::max(width, needed.Value());
    }
    if (!fitColumn)
        return {};
    return Check(worksheet_set_column(sheet_, 0, 0, std::min(width, kWidestLine), nullptr));
}

Outcome WriteSheet(lxw_workbook* book, Formats& formats, const WorkbookSheet& sheet)
{
    lxw_worksheet* worksheet = workbook_add_worksheet(book, sheet.name.c_str());
    if (!worksheet)
        return BookFailure("niedozwolona nazwa arkusza „" + sheet.name + "”");
    SheetWriter writer(worksheet, formats, sheet.name);
    const bool table = !sheet.table.headers.empty();
    if (table) {
        if (Outcome e = writer.Table(sheet.table); !e)
            return e;
    }
    const auto first = table ? static_cast<lxw_row_t>(sheet.table.rows.size() + 2) : 0;
    return writer.Lines(sheet.lines, first, !table);
}

} // namespace

Result<QByteArray> XlsxBytes(const Workbook& workbook)
{
    const QTemporaryDir directory(QDir::tempPath() + QStringLiteral("/wywietrznik-XXXXXX"));
    if (!directory.isValid())
        return BookFailure("nie można utworzyć katalogu tymczasowego");
    const std::string file = directory.filePath(QStringLiteral("skoroszyt.xlsx")).toStdString();
    {
        const CNumbers numbers;
        if (!numbers.Active())
            return BookFailure(LibraryReason(LXW_ERROR_MEMORY_MALLOC_FAILED));
        Book book(file, directory.path().toStdString());
        if (!book.Handle())
            return BookFailure(LibraryReason(LXW_ERROR_MEMORY_MALLOC_FAILED));
        Formats formats(book.Handle());
        for (const WorkbookSheet& sheet : workbook) {
            if (Outcome e = WriteSheet(book.Handle(), formats, sheet); !e)
                return e.Fault();
        }
        if (const lxw_error error = book.Close(); error != LXW_NO_ERROR)
            return BookFailure(LibraryReason(error));
    }
    Result<QByteArray> bytes = ReadWholeFile(QString::fromStdString(file));
    if (!bytes)
        return BookFailure(LibraryReason(LXW_ERROR_READING_TMPFILE));
    return bytes;
}

Outcome WriteXlsxFile(const QString& path, const Workbook& workbook)
{
    const Result<QByteArray> bytes = XlsxBytes(workbook);
    if (!bytes)
        return bytes.Fault();
    return ReplaceFile(path, bytes.Value());
}
