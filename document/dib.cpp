#include "document/dib.h"

#include <algorithm>
#include <fstream>

namespace ovilan {

namespace {

    constexpr std::uint32_t kInfoHeaderSize = 40;
    constexpr std::uint32_t kPaletteSize = 16 * 4;
    constexpr std::uint32_t kFileHeaderSize = 14;
    constexpr std::size_t kMaxRun = 255;

    void put16(std::vector<std::uint8_t>& out, std::uint32_t value)
    {
        out.push_back(static_cast<std::uint8_t>(value));
        out.push_back(static_cast<std::uint8_t>(value >> 8));
    }

    void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
    {
        put16(out, value & 0xFFFF);
        put16(out, value >> 16);
    }

    std::vector<std::uint8_t> rowIndices(const Canvas& canvas, std::int32_t width, std::int32_t y)
    {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(width));
        // Pictures are mostly long stretches of one colour: remember the last mapping.
        Rgb last = canvas.pixel(0, y);
        auto lastIndex = static_cast<std::uint8_t>(nearestColorIndex(last));
        for (std::int32_t x = 0; x < width; ++x) {
            const Rgb color = canvas.pixel(x, y);
            if (!(color == last)) {
                last = color;
                lastIndex = static_cast<std::uint8_t>(nearestColorIndex(color));
            }
            row[static_cast<std::size_t>(x)] = lastIndex;
        }
        return row;
    }

    void encodedRun(std::vector<std::uint8_t>& out, std::size_t count, std::uint8_t index)
    {
        out.push_back(static_cast<std::uint8_t>(count));
        out.push_back(static_cast<std::uint8_t>(index << 4 | index));
    }

    void absoluteRun(std::vector<std::uint8_t>& out, const std::uint8_t* pixels, std::size_t count)
    {
        out.push_back(0);
        out.push_back(static_cast<std::uint8_t>(count));
        const std::size_t bytes = (count + 1) / 2;
        for (std::size_t i = 0; i < bytes; ++i) {
            const std::uint8_t high = pixels[2 * i];
            const std::uint8_t low = 2 * i + 1 < count ? pixels[2 * i + 1] : 0;
            out.push_back(static_cast<std::uint8_t>(high << 4 | low));
        }
        if (bytes % 2 != 0)
            out.push_back(0); // to a 16-bit boundary
    }

    // Single pixels gathered between runs: absolute runs when there are 3 or more, else one
    // encoded run each.
    void flushSingles(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& singles)
    {
        std::size_t start = 0;
        while (start < singles.size()) {
            const std::size_t count = std::min(kMaxRun, singles.size() - start);
            if (count >= 3) {
                absoluteRun(out, singles.data() + start, count);
            } else {
                for (std::size_t i = 0; i < count; ++i)
                    encodedRun(out, 1, singles[start + i]);
            }
            start += count;
        }
    }

} // namespace

std::int32_t nearestColorIndex(Rgb color)
{
    std::int32_t best = 0;
    long bestDistance = -1;
    for (std::int32_t index = 0; index < 16; ++index) {
        const Rgb candidate = colorOf(index);
        const long dr = long { color.red } - candidate.red;
        const long dg = long { color.green } - candidate.green;
        const long db = long { color.blue } - candidate.blue;
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = index;
            bestDistance = distance;
        }
    }
    return best;
}

void encodeRle4Row(const std::vector<std::uint8_t>& indices, std::vector<std::uint8_t>& out)
{
    std::vector<std::uint8_t> singles;
    std::size_t i = 0;
    while (i < indices.size()) {
        std::size_t run = 1;
        while (i + run < indices.size() && run < kMaxRun && indices[i + run] == indices[i])
            ++run;
        if (run == 1) {
            singles.push_back(indices[i]);
        } else {
            flushSingles(out, singles);
            singles.clear();
            encodedRun(out, run, indices[i]);
        }
        i += run;
    }
    flushSingles(out, singles);
    out.push_back(0); // end of line
    out.push_back(0);
}

std::vector<std::uint8_t> toDib(
    const Canvas& canvas, std::int32_t width, std::int32_t height, DibCompression compression)
{
    std::vector<std::uint8_t> pixels;
    for (std::int32_t y = height - 1; y >= 0; --y) {
        const std::vector<std::uint8_t> row = rowIndices(canvas, width, y);
        if (compression == DibCompression::Rle4) {
            encodeRle4Row(row, pixels);
            continue;
        }
        const std::size_t start = pixels.size();
        for (std::size_t x = 0; x < row.size(); x += 2) {
            const std::uint8_t low = x + 1 < row.size() ? row[x + 1] : 0;
            pixels.push_back(static_cast<std::uint8_t>(row[x] << 4 | low));
        }
        while ((pixels.size() - start) % 4 != 0)
            pixels.push_back(0);
    }
    if (compression == DibCompression::Rle4) {
        pixels.push_back(0); // end of bitmap
        pixels.push_back(1);
    }

    std::vector<std::uint8_t> dib;
    dib.reserve(kInfoHeaderSize + kPaletteSize + pixels.size());
    put32(dib, kInfoHeaderSize);
    put32(dib, static_cast<std::uint32_t>(width));
    put32(dib, static_cast<std::uint32_t>(height));
    put16(dib, 1); // planes
    put16(dib, 4); // bits per pixel
    put32(dib, static_cast<std::uint32_t>(compression));
    put32(dib, static_cast<std::uint32_t>(pixels.size()));
    for (int i = 0; i < 4; ++i)
        put32(dib, 0); // resolution, colours used, colours important
    for (std::int32_t index = 0; index < 16; ++index) {
        const Rgb color = colorOf(index);
        dib.push_back(color.blue);
        dib.push_back(color.green);
        dib.push_back(color.red);
        dib.push_back(0);
    }
    dib.insert(dib.end(), pixels.begin(), pixels.end());
    return dib;
}

std::vector<std::uint8_t> bmpFile(const std::vector<std::uint8_t>& dib)
{
    std::vector<std::uint8_t> file;
    file.reserve(kFileHeaderSize + dib.size());
    file.push_back('B');
    file.push_back('M');
    put32(file, static_cast<std::uint32_t>(kFileHeaderSize + dib.size()));
    put16(file, 0);
    put16(file, 0);
    put32(file, kFileHeaderSize + kInfoHeaderSize + kPaletteSize);
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

bool writeBmp(const std::string& path, const std::vector<std::uint8_t>& dib)
{
    const std::vector<std::uint8_t> bytes = bmpFile(dib);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
    file.write(
        reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

} // namespace ovilan
