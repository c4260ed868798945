#include "platform/avi.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cstring>

#include "platform/base/vb_error.h"

namespace vesdra {

namespace {

// Decoded frames are held in memory; a movie larger than this (pixels over
// all frames) is refused rather than exhausting memory.
constexpr std::int64_t kMaxTotalPixels = std::int64_t{1} << 24;
constexpr std::int32_t kMaxSide = 4096;

[[noreturn]] void Unreadable()
{
    throw VbError(kAviUnreadable);
}

struct Reader {
    const unsigned char* data;
    std::size_t size;

    [[nodiscard]] std::uint32_t U32(std::size_t at) const
    {
        if (at + 4 > size)
            Unreadable();
        return std::uint32_t(data[at]) | std::uint32_t(data[at + 1]) << 8 |
               std::uint32_t(data[at + 2]) << 16 | std::uint32_t(data[at + 3]) << 24;
    }
    [[nodiscard]] std::uint16_t U16(std::size_t at) const
    {
        if (at + 2 > size)
            Unreadable();
        return std::uint16_t(data[at] | data[at + 1] << 8);
    }
    [[nodiscard]] bool Tag(std::size_t at, const char* fourcc) const
    {
        return at + 4 <= size && std::memcmp(data + at, fourcc, 4) == 0;
    }
};

struct Chunk {
    std::size_t body{0}; // offset of the data
    std::size_t size{0}; // bytes of data (clipped to the enclosing list)
    char id[5]{};
};

// The chunks directly inside [begin, end), each padded to an even size.
std::vector<Chunk> Chunks(const Reader& r, std::size_t begin, std::size_t end)
{
    std::vector<Chunk> out;
    std::size_t at = begin;
    while (at + 8 <= end) {
        Chunk c;
        std::memcpy(c.id, r.data + at, 4);
        const std::size_t declared = r.U32(at + 4);
        c.body = at + 8;
        c.size = std::min(declared, end - c.body);
        out.push_back(c);
        if (declared > end - c.body)
            break; // truncated file: keep what is there
        at = c.body + declared + (declared & 1);
    }
    return out;
}

bool IsList(const Chunk& c, const Reader& r, const char* type)
{
    return std::memcmp(c.id, "LIST", 4) == 0 && c.size >= 4 && r.Tag(c.body, type);
}

struct VideoFormat {
    std::int32_t width{0};
    std::int32_t height{0};
    bool topDown{false};
    int bitCount{0};
    std::uint32_t compression{0};
    std::array<QRgb, 256> palette{};
    std::uint32_t microSecPerFrame{0};
    char streamIndex[2]{'0', '0'};
};

void ReadFormat(const Reader& r, const Chunk& strf, VideoFormat& f)
{
    if (strf.size < 40)
        Unreadable();
    const std::size_t b = strf.body;
    const std::uint32_t headerSize = r.U32(b);
    const auto width = static_cast<std::int32_t>(r.U32(b + 4));
    const auto height = static_cast<std::int32_t>(r.U32(b + 8));
    f.bitCount = r.U16(b + 14);
    f.compression = r.U32(b + 16);
    const std::uint32_t colorsUsed = r.U32(b + 32);
    if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
        Unreadable();
    f.width = width;
    f.topDown = height < 0;
    f.height = height < 0 ? -height : height;
    const bool rgb8 = f.compression == 0 && f.bitCount == 8;
    const bool rgb24 = f.compression == 0 && f.bitCount == 24;
    const bool rle8 = f.compression == 1 && f.bitCount == 8;
    if (!rgb8 && !rgb24 && !rle8)
        Unreadable();
    if (f.bitCount == 8) {
        const std::uint32_t count = colorsUsed == 0 ? 256 : std::min<std::uint32_t>(colorsUsed, 256);
        const std::size_t at = b + std::max<std::uint32_t>(headerSize, 40);
        for (std::uint32_t i = 0; i < count && at + 4 * i + 4 <= strf.body + strf.size; ++i) {
            const unsigned char* q = r.data + at + 4 * i;
            f.palette[i] = qRgb(q[2], q[1], q[0]);
        }
    }
}

// Pixels as palette indexes (8-bit movies) or as colours (24-bit), kept from
// frame to frame because RLE frames may change only a part of the picture.
struct Canvas {
    std::int32_t width;
    std::int32_t height;
    std::vector<std::uint8_t> index; // width * height, row 0 at the top
    std::vector<QRgb> rgb;
};

// Row y counted as stored in the file: from the bottom unless top-down.
std::size_t RowStart(const VideoFormat& f, std::int32_t storedRow)
{
    const std::int32_t y = f.topDown ? storedRow : f.height - 1 - storedRow;
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(f.width);
}

void DecodeUncompressed(const Reader& r, const Chunk& c, const VideoFormat& f, Canvas& canvas)
{
    const std::size_t bytesPerPixel = f.bitCount / 8;
    const std::size_t stride = (static_cast<std::size_t>(f.width) * f.bitCount + 31) / 32 * 4;
    for (std::int32_t row = 0; row < f.height; ++row) {
        const std::size_t src = c.body + static_cast<std::size_t>(row) * stride;
        if (src >= c.body + c.size)
            break;
        const std::size_t avail = std::min(stride, c.body + c.size - src);
        const std::size_t pixels = std::min<std::size_t>(f.width, avail / bytesPerPixel);
        const std::size_t dst = RowStart(f, row);
        const unsigned char* p = r.data + src;
        for (std::size_t x = 0; x < pixels; ++x) {
            if (f.bitCount == 8)
                canvas.index[dst + x] = p[x];
            else
                canvas.rgb[dst + x] = qRgb(p[3 * x + 2], p[3 * x + 1], p[3 * x]);
        }
    }
}

void DecodeRle8(const Reader& r, const Chunk& c, const VideoFormat& f, Canvas& canvas)
{
    const unsigned char* p = r.data + c.body;
    const std::size_t n = c.size;
    std::size_t i = 0;
    std::int32_t x = 0, row = 0;
    auto put = [&](std::uint8_t v) {
        if (x >= 0 && x < f.width && row >= 0 && row < f.height)
            canvas.index[RowStart(f, row) + static_cast<std::size_t>(x)] = v;
        ++x;
    };
    while (i + 1 < n && row < f.height) {
        const std::uint8_t count = p[i], value = p[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k)
                put(value);
            continue;
        }
        switch (value) {
        case 0: // end of line
            x = 0;
            ++row;
            break;
        case 1: // end of bitmap
            return;
        case 2: // delta
            if (i + 1 >= n)
                return;
            x += p[i];
            row += p[i + 1];
            i += 2;
            break;
        default: { // absolute run of `value` literal pixels, padded to a word
            const std::size_t run = value;
            if (i + run > n)
                return;
            for (std::size_t k = 0; k < run; ++k)
                put(p[i + k]);
            i += run + (run & 1);
            break;
        }
        }
    }
}

QImage ToImage(const VideoFormat& f, const Canvas& canvas)
{
    QImage img(f.width, f.height, QImage::Format_RGB32);
    for (std::int32_t y = 0; y < f.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(f.width);
        for (std::int32_t x = 0; x < f.width; ++x)
            line[x] = f.bitCount == 8 ? f.palette[canvas.index[start + static_cast<std::size_t>(x)]]
                                      : canvas.rgb[start + static_cast<std::size_t>(x)];
    }
    return img;
}

// Frames of the video stream inside a movi list (also inside 'rec ' lists).
void CollectFrames(const Reader& r, std::size_t begin, std::size_t end, const VideoFormat& f,
                   std::vector<Chunk>& frames)
{
    for (const Chunk& c : Chunks(r, begin, end)) {
        if (IsList(c, r, "rec ")) {
            CollectFrames(r, c.body + 4, c.body + c.size, f, frames);
            continue;
        }
        const bool video = c.id[0] == f.streamIndex[0] && c.id[1] == f.streamIndex[1] &&
                           ((c.id[2] == 'd' && c.id[3] == 'b') || (c.id[2] == 'd' && c.id[3] == 'c'));
        if (video)
            frames.push_back(c);
    }
}

} // namespace

AviMovie DecodeAvi(const QByteArray& bytes)
{
    const Reader r{reinterpret_cast<const unsigned char*>(bytes.constData()),
                   static_cast<std::size_t>(bytes.size())};
    if (!r.Tag(0, "RIFF") || !r.Tag(8, "AVI "))
        Unreadable();
    const std::size_t end = std::min<std::size_t>(r.size, std::size_t{8} + r.U32(4));

    VideoFormat f;
    bool haveVideo = false;
    std::uint32_t mainMicroSec = 0;
    std::vector<Chunk> movi;
    for (const Chunk& c : Chunks(r, 12, end)) {
        if (IsList(c, r, "hdrl")) {
            int stream = 0;
            for (const Chunk& h : Chunks(r, c.body + 4, c.body + c.size)) {
                if (std::memcmp(h.id, "avih", 4) == 0 && h.size >= 4) {
                    mainMicroSec = r.U32(h.body);
                } else if (IsList(h, r, "strl")) {
                    const auto inner = Chunks(r, h.body + 4, h.body + h.size);
                    const auto strh = std::find_if(inner.begin(), inner.end(), [](const Chunk& k) {
                        return std::memcmp(k.id, "strh", 4) == 0;
                    });
                    const auto strf = std::find_if(inner.begin(), inner.end(), [](const Chunk& k) {
                        return std::memcmp(k.id, "strf", 4) == 0;
                    });
                    if (!haveVideo && strh != inner.end() && strh->size >= 32 && r.Tag(strh->body, "vids") &&
                        strf != inner.end()) {
                        ReadFormat(r, *strf, f);
                        const std::uint32_t scale = r.U32(strh->body + 20);
                        const std::uint32_t rate = r.U32(strh->body + 24);
                        if (scale > 0 && rate > 0)
                            f.microSecPerFrame = static_cast<std::uint32_t>(
                                std::min<std::uint64_t>(1000000ull * scale / rate, 0x7FFFFFFFu));
                        f.streamIndex[0] = char('0' + stream / 10);
                        f.streamIndex[1] = char('0' + stream % 10);
                        haveVideo = true;
                    }
                    ++stream;
                }
            }
        } else if (IsList(c, r, "movi")) {
            movi.push_back(c);
        }
    }
    if (!haveVideo)
        Unreadable();

    std::vector<Chunk> frames;
    for (const Chunk& m : movi)
        CollectFrames(r, m.body + 4, m.body + m.size, f, frames);
    if (frames.empty())
        Unreadable();
    const std::int64_t pixels = std::int64_t{f.width} * f.height;
    if (pixels * static_cast<std::int64_t>(frames.size()) > kMaxTotalPixels)
        Unreadable();

    AviMovie movie;
    movie.Width = f.width;
    movie.Height = f.height;
    const std::uint32_t us = f.microSecPerFrame ? f.microSecPerFrame : mainMicroSec;
    movie.MicroSecPerFrame = static_cast<std::int32_t>(std::min<std::uint32_t>(us, 0x7FFFFFFFu));

    Canvas canvas{f.width, f.height, {}, {}};
    if (f.bitCount == 8)
        canvas.index.assign(static_cast<std::size_t>(pixels), 0);
    else
        canvas.rgb.assign(static_cast<std::size_t>(pixels), qRgb(0, 0, 0));
    movie.Frames.reserve(frames.size());
    for (const Chunk& c : frames) {
        // An empty chunk repeats the previous frame.
        if (c.size > 0) {
            if (f.compression == 1)
                DecodeRle8(r, c, f, canvas);
            else
                DecodeUncompressed(r, c, f, canvas);
        }
        movie.Frames.push_back(ToImage(f, canvas));
    }
    return movie;
}

AviMovie ReadAvi(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw FileError(kAviFileNotFound, path);
    QFile file(path);
    try {
        if (!file.open(QIODevice::ReadOnly))
            Unreadable();
        return DecodeAvi(file.readAll());
    } catch (const VbError& e) {
        // The box names the file.
        throw e.WithPath(path);
    }
}

} // namespace vesdra
