#include "document/png_file.h"

#include "render/color.h"

#include <array>
#include <string_view>
#include <zlib.h>

namespace ovilan {

namespace {

    constexpr std::array<std::uint8_t, 8> kSignature
        = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    constexpr std::uint8_t kBitDepth = 4;
    constexpr std::uint8_t kIndexedColour = 3;
    constexpr std::uint8_t kNoFilter = 0;
    // Plots are mostly white with thin lines. For the large 1920 x 1080 plot level 3 takes as
    // long as level 1 and is a quarter smaller (50 KB); the default level 6 is a quarter smaller
    // again but takes more than twice as long, level 9 twenty times as long.
    constexpr int kCompressionLevel = 3;

    void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<std::uint8_t>(value >> shift));
    }

    // Length, type, data and the CRC of type and data, as every PNG chunk is laid out.
    void putChunk(std::vector<std::uint8_t>& out,
        std::string_view type,
        const std::vector<std::uint8_t>& data)
    {
        put32(out, static_cast<std::uint32_t>(data.size()));
        const std::size_t typeStart = out.size();
        out.insert(out.end(), type.begin(), type.end());
        out.insert(out.end(), data.begin(), data.end());
        const uLong crc
            = crc32_z(crc32_z(0, nullptr, 0), out.data() + typeStart, out.size() - typeStart);
        put32(out, static_cast<std::uint32_t>(crc));
    }

    std::vector<std::uint8_t> header(std::int32_t width, std::int32_t height)
    {
        std::vector<std::uint8_t> data;
        put32(data, static_cast<std::uint32_t>(width));
        put32(data, static_cast<std::uint32_t>(height));
        data.insert(data.end(), { kBitDepth, kIndexedColour, 0, 0, 0 }); // deflate, no interlace
        return data;
    }

    std::vector<std::uint8_t> palette()
    {
        std::vector<std::uint8_t> data;
        for (ColorIndex index = 0; index < 16; ++index) {
            const Rgb color = colorOf(index);
            data.insert(data.end(), { color.red, color.green, color.blue });
        }
        return data;
    }

    // Each row: its filter byte, then two pixels a byte, the left one in the high nibble.
    std::vector<std::uint8_t> packedRows(
        std::int32_t width, std::int32_t height, const PaletteRowSource& rows)
    {
        const auto pixels = static_cast<std::size_t>(width);
        std::vector<std::uint8_t> row(pixels + 1); // an even length: the last nibble is 0
        std::vector<std::uint8_t> packed;
        packed.reserve((1 + (pixels + 1) / 2) * static_cast<std::size_t>(height));
        for (std::int32_t y = 0; y < height; ++y) {
            rows(y, std::span(row.data(), pixels));
            row[pixels] = 0;
            packed.push_back(kNoFilter);
            for (std::size_t x = 0; x < pixels; x += 2)
                packed.push_back(static_cast<std::uint8_t>(row[x] << 4 | row[x + 1]));
        }
        return packed;
    }

    std::vector<std::uint8_t> compressed(const std::vector<std::uint8_t>& bytes)
    {
        uLongf size = compressBound(bytes.size());
        std::vector<std::uint8_t> out(size);
        if (compress2(out.data(), &size, bytes.data(), bytes.size(), kCompressionLevel) != Z_OK)
            return {};
        out.resize(size);
        return out;
    }

} // namespace

std::vector<std::uint8_t> palettePngFile(
    std::int32_t width, std::int32_t height, const PaletteRowSource& rows)
{
    const std::vector<std::uint8_t> data = compressed(packedRows(width, height, rows));
    if (data.empty())
        return {};
    std::vector<std::uint8_t> file(kSignature.begin(), kSignature.end());
    putChunk(file, "IHDR", header(width, height));
    putChunk(file, "PLTE", palette());
    putChunk(file, "IDAT", data);
    putChunk(file, "IEND", {});
    return file;
}

} // namespace ovilan
