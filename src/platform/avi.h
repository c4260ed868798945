#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

namespace vesdra {

// A silent AVI movie decoded into frames, as the animation control plays it.
// Supported, as that control supported: one video stream of uncompressed
// 8-bit (palette) or 24-bit frames, or RLE8-compressed frames (which may
// update only part of the previous frame); audio streams, JUNK chunks, index
// chunks and unknown chunks are skipped. Rows may be stored bottom-up (the
// usual DIB order) or top-down (negative height).
struct AviMovie {
    std::int32_t Width{0};
    std::int32_t Height{0};
    // Display time of one frame, from the stream header's rate (or the main
    // header when the stream gives none).
    std::int32_t MicroSecPerFrame{0};
    std::vector<QImage> Frames{}; // Format_RGB32, Width x Height each
};

// Error numbers raised for movies.
inline constexpr int kAviFileNotFound = 53;
inline constexpr int kAviUnreadable = 35752; // "Unable to open AVI file"

// Reads and decodes an AVI file. Throws VbError 53 when the file does not
// exist and VbError 35752 when it cannot be read or is not a movie of the
// supported kinds. Malformed frame data never reads or writes out of bounds:
// a frame is decoded as far as its data is sound.
[[nodiscard]] AviMovie ReadAvi(const QString& path);
[[nodiscard]] AviMovie DecodeAvi(const QByteArray& bytes);

} // namespace vesdra
