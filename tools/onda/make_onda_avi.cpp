// Writes onda.avi, the animation of the progress window shown while views are
// built: a sine wave running across a dark screen with a centre line, 32
// frames of 64 x 32 pixels, 8-bit palette, RLE8-compressed, 15 frames a
// second, no sound. The last frame leads seamlessly into the first.
//
//   vesdra_make_onda <output path>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 32;
constexpr int kFrames = 32;
constexpr int kRate = 15;
constexpr double kPi = 3.14159265358979323846;

enum : std::uint8_t { Background = 0, Axis = 1, Wave = 2 };

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint32_t v)
{
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}

void Put32(Bytes& b, std::uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

void PutTag(Bytes& b, const char* tag)
{
    b.insert(b.end(), tag, tag + 4);
}

Bytes Chunk(const char* tag, const Bytes& body)
{
    Bytes b;
    PutTag(b, tag);
    Put32(b, std::uint32_t(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() & 1)
        b.push_back(0);
    return b;
}

Bytes List(const char* type, const Bytes& body)
{
    Bytes inner;
    PutTag(inner, type);
    inner.insert(inner.end(), body.begin(), body.end());
    return Chunk("LIST", inner);
}

// One frame as palette indexes, row 0 at the top.
std::vector<std::uint8_t> DrawFrame(int frame)
{
    std::vector<std::uint8_t> px(kWidth * kHeight, Background);
    const int mid = kHeight / 2;
    for (int x = 0; x < kWidth; ++x)
        px[mid * kWidth + x] = Axis;
    auto yAt = [frame](int x) {
        // Two periods across the picture, moving one period per 32 frames.
        const double phase = 2 * kPi * (2.0 * x / kWidth - double(frame) / kFrames);
        return int(std::lround(mid - 12.0 * std::sin(phase)));
    };
    for (int x = 0; x < kWidth; ++x) {
        const int y0 = yAt(x), y1 = x + 1 < kWidth ? yAt(x + 1) : y0;
        // Join neighbouring columns so the steep parts show no gaps.
        for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
            px[y * kWidth + x] = Wave;
    }
    return px;
}

// RLE8 in encoded mode only: runs of up to 255 equal pixels per row, rows
// stored bottom-up, each ended by 0 0, the bitmap by 0 1.
Bytes EncodeRle8(const std::vector<std::uint8_t>& px)
{
    Bytes out;
    for (int row = kHeight - 1; row >= 0; --row) {
        const std::uint8_t* line = &px[row * kWidth];
        int x = 0;
        while (x < kWidth) {
            int run = 1;
            while (x + run < kWidth && run < 255 && line[x + run] == line[x])
                ++run;
            out.push_back(std::uint8_t(run));
            out.push_back(line[x]);
            x += run;
        }
        out.push_back(0);
        out.push_back(0);
    }
    out.back() = 1; // the last end of line becomes the end of the bitmap
    return out;
}

Bytes Movie()
{
    std::vector<Bytes> frames;
    for (int f = 0; f < kFrames; ++f)
        frames.push_back(EncodeRle8(DrawFrame(f)));
    std::uint32_t largest = 0;
    for (const Bytes& f : frames)
        largest = std::max<std::uint32_t>(largest, std::uint32_t(f.size()));

    Bytes avih;
    Put32(avih, 1000000 / kRate); // microseconds per frame
    Put32(avih, largest * kRate); // max bytes per second
    Put32(avih, 0);               // padding granularity
    Put32(avih, 0x10);            // has index
    Put32(avih, kFrames);
    Put32(avih, 0); // initial frames
    Put32(avih, 1); // streams
    Put32(avih, largest);
    Put32(avih, kWidth);
    Put32(avih, kHeight);
    for (int i = 0; i < 4; ++i)
        Put32(avih, 0);

    Bytes strh;
    PutTag(strh, "vids");
    PutTag(strh, "RLE ");
    Put32(strh, 0); // flags
    Put16(strh, 0); // priority
    Put16(strh, 0); // language
    Put32(strh, 0); // initial frames
    Put32(strh, 1); // scale
    Put32(strh, kRate);
    Put32(strh, 0); // start
    Put32(strh, kFrames);
    Put32(strh, largest);
    Put32(strh, 0xFFFFFFFFu); // quality: default
    Put32(strh, 0);           // sample size: varies
    Put16(strh, 0);
    Put16(strh, 0);
    Put16(strh, kWidth);
    Put16(strh, kHeight);

    const std::uint8_t palette[3][3] = {
        {0x10, 0x20, 0x10}, {0x40, 0x80, 0x40}, {0x40, 0xFF, 0x40}}; // R, G, B
    Bytes strf;
    Put32(strf, 40);
    Put32(strf, kWidth);
    Put32(strf, kHeight); // positive: rows bottom-up
    Put16(strf, 1);
    Put16(strf, 8);
    Put32(strf, 1); // BI_RLE8
    Put32(strf, 0);
    Put32(strf, 0);
    Put32(strf, 0);
    Put32(strf, 3); // colours used
    Put32(strf, 0);
    for (const auto& c : palette) {
        strf.push_back(c[2]);
        strf.push_back(c[1]);
        strf.push_back(c[0]);
        strf.push_back(0);
    }

    Bytes strl = Chunk("strh", strh);
    const Bytes strfChunk = Chunk("strf", strf);
    strl.insert(strl.end(), strfChunk.begin(), strfChunk.end());
    Bytes hdrl = Chunk("avih", avih);
    const Bytes strlList = List("strl", strl);
    hdrl.insert(hdrl.end(), strlList.begin(), strlList.end());

    Bytes movi;
    Bytes idx1;
    std::uint32_t offset = 4; // from the 'movi' tag
    for (const Bytes& f : frames) {
        const Bytes c = Chunk("00dc", f);
        PutTag(idx1, "00dc");
        Put32(idx1, 0x10); // key frame
        Put32(idx1, offset);
        Put32(idx1, std::uint32_t(f.size()));
        offset += std::uint32_t(c.size());
        movi.insert(movi.end(), c.begin(), c.end());
    }

    Bytes body;
    PutTag(body, "AVI ");
    for (const Bytes& part : {List("hdrl", hdrl), List("movi", movi), Chunk("idx1", idx1)})
        body.insert(body.end(), part.begin(), part.end());
    return Chunk("RIFF", body);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.avi>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path target = argv[1];
    std::filesystem::path temp = target;
    temp += ".part";
    const Bytes movie = Movie();
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(movie.data()), std::streamsize(movie.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", temp.string().c_str());
            return 1;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        std::fprintf(stderr, "cannot write %s\n", target.string().c_str());
        return 1;
    }
    return 0;
}
