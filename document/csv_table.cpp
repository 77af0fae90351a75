// Reading a CSV or TSV file of measurements into rows of a table graph.

#include "document/csv_table.h"

#include "expr/exact_number.h"
#include "graph/table_graph.h"
#include "render/plot_label.h"

#include <algorithm>
#include <array>
#include <string>

namespace ovilan {

namespace {

    // How many of the first rows decide the separator.
    constexpr std::size_t kSniffedRows = 20;
    // How much of the file's start shows whether it is text.
    constexpr std::size_t kTextProbeBytes = 1024;
    // How much of a refused cell its message quotes.
    constexpr std::size_t kQuotedCellLength = 40;

    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

    char separatorChar(CsvSeparator separator)
    {
        switch (separator) {
        case CsvSeparator::Tab:
            return '\t';
        case CsvSeparator::Semicolon:
            return ';';
        case CsvSeparator::Comma:
            break;
        }
        return ',';
    }

    std::string number(std::size_t value) { return std::to_string(value); }

    CsvReading refused(std::string message, std::size_t line = 0, std::size_t column = 0)
    {
        return CsvReading { std::nullopt, CsvRefusal { std::move(message), line, column } };
    }

    // The bytes of one UTF-8 sequence starting with `lead`, 0 when no sequence starts so.
    std::size_t sequenceLength(unsigned char lead)
    {
        if (lead < 0x80)
            return 1;
        if (lead >= 0xC2 && lead <= 0xDF)
            return 2;
        if (lead >= 0xE0 && lead <= 0xEF)
            return 3;
        if (lead >= 0xF0 && lead <= 0xF4)
            return 4;
        return 0;
    }

    // Whether the text is UTF-8 throughout; with `cutOff`, a sequence cut off at the end counts.
    bool isUtf8(std::string_view text, bool cutOff = false)
    {
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t length = sequenceLength(static_cast<unsigned char>(text[i]));
            if (length == 0)
                return false;
            for (std::size_t k = 1; k < length; ++k) {
                if (i + k >= text.size())
                    return cutOff;
                if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                    return false;
            }
            i += length;
        }
        return true;
    }

    // Whether the start of the file is UTF-8 text.
    bool looksLikeText(std::string_view bytes, bool& hasNul)
    {
        const std::string_view probe = bytes.substr(0, kTextProbeBytes);
        hasNul = probe.find('\0') != std::string_view::npos;
        return !hasNul && isUtf8(probe, bytes.size() > probe.size());
    }

    // Only x, y and the label are read; the cells after them are counted, not kept, so a line
    // of millions of separators costs no more memory than a short one.
    constexpr std::size_t kKeptCells = 3;

    struct Record {
        std::size_t line = 0;
        std::vector<std::string> cells; // the first kKeptCells of them
        std::size_t count = 0; // every cell of the line
        bool blank = true; // every cell empty or blanks
    };

    bool isBlank(const std::string& cell)
    {
        return cell.find_first_not_of(" \t") == std::string::npos;
    }

    // Splits the text into records of cells: a field in double quotes may hold the separator,
    // line breaks and "" for a quote; CRLF, LF and CR all end a line.
    class RecordReader {
    public:
        RecordReader(std::string_view text, char separator)
            : text_(text)
            , separator_(separator)
        {
        }

        // The next record that is not blank; false at the end. `unclosedQuote` is set when a
        // quoted field runs to the end of the file.
        bool next(Record& record)
        {
            do {
                if (at_ >= text_.size())
                    return false;
                readRecord(record);
            } while (record.blank);
            return true;
        }

        bool unclosedQuote = false;
        std::size_t unclosedQuoteLine = 0;

    private:
        bool atLineEnd() const { return text_[at_] == '\n' || text_[at_] == '\r'; }

        void skipLineEnd()
        {
            if (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n')
                ++at_;
            ++at_;
            ++line_;
        }

        void readRecord(Record& record)
        {
            record.line = line_;
            record.cells.clear();
            record.count = 0;
            record.blank = true;
            std::string unkept;
            while (true) {
                unkept.clear();
                std::string& cell
                    = record.cells.size() < kKeptCells ? record.cells.emplace_back() : unkept;
                readField(cell);
                ++record.count;
                record.blank = record.blank && isBlank(cell);
                if (at_ >= text_.size())
                    return;
                if (atLineEnd()) {
                    skipLineEnd();
                    return;
                }
                ++at_; // the separator
            }
        }

        void readField(std::string& cell)
        {
            if (at_ < text_.size() && text_[at_] == '"') {
                readQuoted(cell);
                // Whatever follows the closing quote up to the separator belongs to the field.
            }
            const std::size_t start = at_;
            while (at_ < text_.size() && text_[at_] != separator_ && !atLineEnd())
                ++at_;
            cell += text_.substr(start, at_ - start);
        }

        void readQuoted(std::string& cell)
        {
            const std::size_t openedOn = line_;
            ++at_;
            while (at_ < text_.size()) {
                const char c = text_[at_];
                if (c == '"') {
                    if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
                        cell += '"';
                        at_ += 2;
                        continue;
                    }
                    ++at_;
                    return;
                }
                if (c == '\r' || c == '\n') {
                    cell += ' ';
                    skipLineEnd();
                    continue;
                }
                cell += c;
                ++at_;
            }
            if (!unclosedQuote) {
                unclosedQuote = true;
                unclosedQuoteLine = openedOn;
            }
        }

        std::string_view text_;
        char separator_;
        std::size_t at_ = 0;
        std::size_t line_ = 1;
    };

    // How the first rows split with one separator.
    struct SplitSample {
        std::size_t fewest = SIZE_MAX; // cells in the row that has the fewest
        std::size_t most = 0;
        bool numbers = true; // every row but the first begins with two numbers
        bool consistent() const { return fewest >= 2 && fewest == most; }
        bool twoOrMore() const { return fewest >= 2 && fewest != SIZE_MAX; }
    };

    SplitSample sampleSplit(std::string_view text, CsvSeparator separator)
    {
        RecordReader reader(text, separatorChar(separator));
        const bool decimalComma = separator != CsvSeparator::Comma;
        SplitSample sample;
        Record record;
        for (std::size_t row = 0; row < kSniffedRows && reader.next(record); ++row) {
            sample.fewest = std::min(sample.fewest, record.count);
            sample.most = std::max(sample.most, record.count);
            // The first row may be the header.
            if (row > 0 && sample.numbers)
                sample.numbers = record.cells.size() >= 2
                    && exactNumberText(record.cells[0], decimalComma)
                    && exactNumberText(record.cells[1], decimalComma);
        }
        return sample;
    }

    // Tab, then semicolon, then comma: the first that gives each of the first rows the same
    // number of cells, at least two, and two numbers at the start of the rows after the first;
    // failing that the first that gives each at least two cells and the numbers; then the same
    // without the numbers; else comma, whose reading then names the row of one cell. So a label
    // with a semicolon in a file of commas does not make it a file of semicolons. A file blank
    // but for one kind of separator takes that one, and the reading finds it empty.
    CsvSeparator sniffSeparator(std::string_view text)
    {
        constexpr std::array kCandidates
            = { CsvSeparator::Tab, CsvSeparator::Semicolon, CsvSeparator::Comma };
        std::array<SplitSample, kCandidates.size()> samples;
        for (std::size_t i = 0; i < kCandidates.size(); ++i) {
            samples[i] = sampleSplit(text, kCandidates[i]);
            if (samples[i].most == 0)
                return kCandidates[i];
        }
        const auto first = [&](auto&& fits) -> std::optional<CsvSeparator> {
            for (std::size_t i = 0; i < kCandidates.size(); ++i)
                if (fits(samples[i]))
                    return kCandidates[i];
            return std::nullopt;
        };
        if (auto chosen = first([](const SplitSample& s) { return s.consistent() && s.numbers; }))
            return *chosen;
        if (auto chosen = first([](const SplitSample& s) { return s.twoOrMore() && s.numbers; }))
            return *chosen;
        if (auto chosen = first([](const SplitSample& s) { return s.consistent(); }))
            return *chosen;
        return first([](const SplitSample& s) {
            return s.twoOrMore();
        }).value_or(CsvSeparator::Comma);
    }

    std::string quotedCell(std::string_view cell)
    {
        if (cell.size() <= kQuotedCellLength)
            return "\"" + std::string(cell) + "\"";
        return "\"" + std::string(cell.substr(0, kQuotedCellLength)) + "...\"";
    }

    std::string trimmedCell(const std::string& cell)
    {
        const std::size_t first = cell.find_first_not_of(" \t");
        if (first == std::string::npos)
            return {};
        return cell.substr(first, cell.find_last_not_of(" \t") - first + 1);
    }

    // Reads the records after the separator is known.
    class TableReader {
    public:
        TableReader(std::string_view text, CsvSeparator separator)
            : reader_(text, separatorChar(separator))
        {
            table_.separator = separator;
        }

        CsvReading read()
        {
            Record record;
            bool first = true;
            while (reader_.next(record)) {
                if (reader_.unclosedQuote)
                    break;
                if (first && isHeader(record)) {
                    table_.header = record.cells;
                    // Headings only name the columns; one that is not UTF-8 text names nothing
                    // rather than reaching a legend as bytes no caption can show.
                    for (std::string& heading : table_.header)
                        if (!isUtf8(heading))
                            heading.clear();
                    first = false;
                    continue;
                }
                first = false;
                if (table_.rows.size() == kMaxCsvRows)
                    return refused("The file has more than " + number(kMaxCsvRows) + " rows.");
                if (std::optional<CsvRefusal> refusal = addRow(record))
                    return CsvReading { std::nullopt, std::move(*refusal) };
            }
            if (reader_.unclosedQuote)
                return refused("Line " + number(reader_.unclosedQuoteLine)
                        + " opens a quote that is not closed.",
                    reader_.unclosedQuoteLine);
            if (first)
                return refused("The file is empty.");
            if (table_.rows.empty())
                return refused("The file has a header but no rows of numbers.");
            return CsvReading { std::move(table_), {} };
        }

    private:
        bool commaAllowed() const { return table_.separator != CsvSeparator::Comma; }

        bool isNumber(const std::string& cell) const
        {
            return csvNumberText(cell, commaAllowed()).has_value();
        }

        bool isHeader(const Record& record) const
        {
            return record.cells.size() >= 2 && !isNumber(record.cells[0])
                && !isNumber(record.cells[1]);
        }

        std::optional<CsvRefusal> addRow(const Record& record)
        {
            if (record.cells.size() < 2)
                return CsvRefusal { "Line " + number(record.line)
                        + " has only one cell: a row needs an x and a y.",
                    record.line,
                    0 };
            table_.columns = std::max(table_.columns, record.count);
            CsvRow row;
            row.line = record.line;
            for (std::size_t column = 0; column < 2; ++column) {
                const std::string& cell = record.cells[column];
                std::optional<std::string> text = csvNumberText(cell, commaAllowed());
                if (!text)
                    return cellRefusal(record.line, column + 1, cell);
                if (commaAllowed() && cell.find(',') != std::string::npos)
                    table_.decimalComma = true;
                (column == 0 ? row.x : row.y) = std::move(*text);
            }
            if (record.cells.size() > 2) {
                row.label = trimmedCell(record.cells[2]);
                const std::string where = "Line " + number(record.line) + ", column 3";
                if (row.label.size() > kMaxCaptionLength)
                    return CsvRefusal { where + " is longer than a label may be ("
                            + number(kMaxCaptionLength) + " characters).",
                        record.line,
                        3 };
                // Only the file's start shows its encoding; a label further on must not be
                // stored as bytes no caption can show.
                if (!isUtf8(row.label))
                    return CsvRefusal { where + " is not UTF-8 text.", record.line, 3 };
            }
            table_.rows.push_back(std::move(row));
            return std::nullopt;
        }

        static CsvRefusal cellRefusal(std::size_t line, std::size_t column, const std::string& cell)
        {
            const std::string where = "Line " + number(line) + ", column " + number(column);
            const std::string text = trimmedCell(cell);
            if (text.empty())
                return CsvRefusal {
                    where + " is empty: a point needs a number there.", line, column
                };
            return CsvRefusal {
                where + " is not a number: " + quotedCell(text) + ".", line, column
            };
        }

        RecordReader reader_;
        CsvTable table_;
    };

} // namespace

std::string csvRowsBeyondTableText(std::size_t rows)
{
    return "The file has " + number(rows) + " rows; a table graph holds " + number(kTableRows)
        + ".";
}

std::optional<std::string> csvNumberText(std::string_view cell, bool decimalComma)
{
    return exactNumberText(cell, decimalComma);
}

CsvReading readCsvTable(std::string_view bytes)
{
    if (bytes.size() > kMaxCsvFileBytes)
        return refused(std::string(kCsvFileTooLarge));
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return refused("The file is UTF-16 text: please save it as UTF-8 or plain CSV.");
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    if (bytes.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return refused("The file is empty.");
    bool hasNul = false;
    if (!looksLikeText(bytes, hasNul))
        return refused(hasNul ? "The file is not a text file." : "The file is not UTF-8 text.");
    return TableReader(bytes, sniffSeparator(bytes)).read();
}

} // namespace ovilan
