#include "render/archive.h"

#include <bit>
#include <cstring>

namespace ovilan {

namespace {

    constexpr std::uint8_t kLongLength = 0xFF;
    constexpr std::uint16_t kWideMarker = 0xFFFE;
    constexpr std::uint16_t kLongerLength = 0xFFFF;

    void appendUtf8(std::string& out, std::uint32_t codePoint)
    {
        if (codePoint < 0x80) {
            out += static_cast<char>(codePoint);
        } else if (codePoint < 0x800) {
            out += static_cast<char>(0xC0 | (codePoint >> 6));
            out += static_cast<char>(0x80 | (codePoint & 0x3F));
        } else if (codePoint < 0x10000) {
            out += static_cast<char>(0xE0 | (codePoint >> 12));
            out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (codePoint & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (codePoint >> 18));
            out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (codePoint & 0x3F));
        }
    }

    // UTF-16 text as the 8-bit text of the file (UTF-8 here); a lone surrogate becomes U+FFFD.
    std::string utf16ToUtf8(const std::vector<std::uint16_t>& units)
    {
        constexpr std::uint32_t kReplacement = 0xFFFD;
        std::string out;
        for (std::size_t i = 0; i < units.size(); ++i) {
            const std::uint32_t unit = units[i];
            if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00
                && units[i + 1] < 0xE000) {
                appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
                ++i;
            } else if (unit >= 0xD800 && unit < 0xE000) {
                appendUtf8(out, kReplacement);
            } else {
                appendUtf8(out, unit);
            }
        }
        return out;
    }

} // namespace

void ArchiveWriter::writeLittleEndian(std::uint64_t value, int byteCount)
{
    for (int i = 0; i < byteCount; ++i)
        bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void ArchiveWriter::writeInt16(std::int16_t value)
{
    writeLittleEndian(static_cast<std::uint16_t>(value), 2);
}

void ArchiveWriter::writeInt32(std::int32_t value)
{
    writeLittleEndian(static_cast<std::uint32_t>(value), 4);
}

void ArchiveWriter::writeDouble(double value)
{
    writeLittleEndian(std::bit_cast<std::uint64_t>(value), 8);
}

void ArchiveWriter::writeString(std::string_view text)
{
    const std::size_t length = text.size();
    if (length < kLongLength) {
        writeByte(static_cast<std::uint8_t>(length));
    } else if (length < kWideMarker) {
        writeByte(kLongLength);
        writeLittleEndian(length, 2);
    } else {
        writeByte(kLongLength);
        writeLittleEndian(kLongerLength, 2);
        writeLittleEndian(length, 4);
    }
    bytes_.insert(bytes_.end(), text.begin(), text.end());
}

std::uint64_t ArchiveReader::readLittleEndian(int byteCount)
{
    require(remaining() >= static_cast<std::size_t>(byteCount));
    std::uint64_t value = 0;
    for (int i = 0; i < byteCount; ++i)
        value |= static_cast<std::uint64_t>(bytes_[position_ + static_cast<std::size_t>(i)])
            << (8 * i);
    position_ += static_cast<std::size_t>(byteCount);
    return value;
}

std::uint8_t ArchiveReader::readByte() { return static_cast<std::uint8_t>(readLittleEndian(1)); }

std::int16_t ArchiveReader::readInt16()
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(readLittleEndian(2)));
}

std::int32_t ArchiveReader::readInt32()
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(readLittleEndian(4)));
}

double ArchiveReader::readDouble() { return std::bit_cast<double>(readLittleEndian(8)); }

std::span<const std::uint8_t> ArchiveReader::readBytes(std::size_t length)
{
    require(length <= remaining());
    const std::span<const std::uint8_t> taken = bytes_.subspan(position_, length);
    position_ += length;
    return taken;
}

std::size_t ArchiveReader::readStringLength(bool& wide)
{
    wide = false;
    for (int prefixes = 0; prefixes < 2; ++prefixes) {
        const std::uint8_t first = readByte();
        if (first < kLongLength)
            return first;
        const auto second = static_cast<std::uint16_t>(readLittleEndian(2));
        if (second == kWideMarker) {
            // A string of 16-bit characters; a fresh prefix follows, once.
            require(!wide);
            wide = true;
            continue;
        }
        if (second < kLongerLength)
            return second;
        const auto length = static_cast<std::uint32_t>(readLittleEndian(4));
        require(length != 0xFFFFFFFFu);
        return length;
    }
    throw BadFormat();
}

std::string ArchiveReader::readString()
{
    bool wide = false;
    const std::size_t length = readStringLength(wide);
    if (!wide) {
        require(length <= remaining());
        std::string text(reinterpret_cast<const char*>(bytes_.data() + position_), length);
        position_ += length;
        return text;
    }
    require(length <= remaining() / 2);
    std::vector<std::uint16_t> units(length);
    for (std::uint16_t& unit : units)
        unit = static_cast<std::uint16_t>(readLittleEndian(2));
    return utf16ToUtf8(units);
}

} // namespace ovilan
