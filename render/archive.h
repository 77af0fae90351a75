#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ovilan {

// The document file's primitive encodings: little-endian integers and doubles, and strings with
// a length prefix of one, three or seven bytes. Documents and undo snapshots share them.
class ArchiveWriter {
public:
    void writeByte(std::uint8_t value) { bytes_.push_back(value); }
    void writeInt16(std::int16_t value);
    void writeInt32(std::int32_t value);
    void writeDouble(double value);
    void writeString(std::string_view text);
    void writeBytes(std::span<const std::uint8_t> bytes)
    {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> takeBytes() { return std::move(bytes_); }

private:
    void writeLittleEndian(std::uint64_t value, int byteCount);

    std::vector<std::uint8_t> bytes_;
};

// A file or snapshot that is not what the writer makes: it ends early, a length or count cannot
// be honoured, or a value fails its record's check. Caught where a document is loaded.
class BadFormat : public std::exception {
public:
    const char* what() const noexcept override { return "Unexpected file format."; }
};

// What checking the formulas of one file or snapshot may cost in all, in characters the formula
// check examines: a document of a thousand typed formulas needs a few million, and at this bound
// the checks of any file take well under a second.
inline constexpr long long kReadCheckWork = 16'000'000;

// Reads what ArchiveWriter writes. It always knows how many bytes remain, so a length larger than
// the rest of the input is a bad format, never an allocation; and it carries the allowance of
// formula-check work that the records it reads share.
class ArchiveReader {
public:
    explicit ArchiveReader(std::span<const std::uint8_t> bytes)
        : bytes_(bytes)
    {
    }

    std::uint8_t readByte();
    std::int16_t readInt16();
    std::int32_t readInt32();
    double readDouble();
    std::string readString();
    // The next `length` bytes as they stand, for a reader of their own; fails when fewer remain.
    std::span<const std::uint8_t> readBytes(std::size_t length);

    std::size_t remaining() const { return bytes_.size() - position_; }

    // The formula-check work still allowed; a check takes what it uses from it.
    long long& checkWork() { return checkWork_; }

private:
    std::uint64_t readLittleEndian(int byteCount);
    std::size_t readStringLength(bool& wide);

    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    long long checkWork_ = kReadCheckWork;
};

// Fails the read when a record's check does not hold.
inline void require(bool condition)
{
    if (!condition)
        throw BadFormat();
}

} // namespace ovilan
