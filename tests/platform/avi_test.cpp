#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "common/process_state.h"
#include "common/test_support.h"
#include "platform/animation.h"
#include "platform/avi.h"
#include "platform/base/app_paths.h"
#include "platform/base/vb_error.h"

namespace vesdra {
namespace {

// Tiny movies assembled byte by byte, independent of any writer.
QByteArray U32(std::uint32_t v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}
QByteArray U16(std::uint16_t v)
{
    return U32(v).left(2);
}

QByteArray Chunk(const char* tag, const QByteArray& body)
{
    QByteArray b = QByteArray(tag, 4) + U32(std::uint32_t(body.size())) + body;
    if (body.size() & 1)
        b.append('\0');
    return b;
}
QByteArray List(const char* type, const QByteArray& body)
{
    return Chunk("LIST", QByteArray(type, 4) + body);
}

QByteArray StreamList(const char* type, std::uint32_t scale, std::uint32_t rate, const QByteArray& format)
{
    QByteArray strh = QByteArray(type, 4) + QByteArray(4, '\0') + U32(0) + U32(0) + U32(0) + U32(scale) +
                      U32(rate) + U32(0) + U32(0) + U32(0) + U32(0) + U32(0) + QByteArray(8, '\0');
    return List("strl", Chunk("strh", strh) + Chunk("strf", format));
}

QByteArray BitmapFormat(std::int32_t w, std::int32_t h, int bits, std::uint32_t compression,
                        const std::vector<QRgb>& palette = {})
{
    QByteArray f = U32(40) + U32(std::uint32_t(w)) + U32(std::uint32_t(h)) + U16(1) +
                   U16(std::uint16_t(bits)) + U32(compression) + U32(0) + U32(0) + U32(0) +
                   U32(std::uint32_t(palette.size())) + U32(0);
    for (QRgb c : palette)
        f += U32(std::uint32_t(qBlue(c)) | std::uint32_t(qGreen(c)) << 8 | std::uint32_t(qRed(c)) << 16);
    return f;
}

struct Frame {
    const char* tag;
    QByteArray data;
};

QByteArray Movie(const QByteArray& streams, const std::vector<Frame>& frames, const QByteArray& extra = {})
{
    QByteArray avih = U32(100000) + QByteArray(52, '\0');
    QByteArray movi;
    for (const Frame& f : frames)
        movi += Chunk(f.tag, f.data);
    return Chunk("RIFF", QByteArray("AVI ") + List("hdrl", Chunk("avih", avih) + streams) + extra +
                             List("movi", movi));
}

const std::vector<QRgb> kPalette = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};

QRgb Px(const AviMovie& m, int frame, int x, int y)
{
    return m.Frames.at(std::size_t(frame)).pixel(x, y) | 0xFF000000u;
}

TEST(Avi, Uncompressed8BitRowsAreBottomUpAndPadded)
{
    // 3 x 2 pixels: rows of 3 bytes padded to 4; the bottom row comes first.
    const QByteArray pixels = QByteArray("\x01\x02\x03\x00", 4) + QByteArray("\x03\x00\x01\x00", 4);
    const AviMovie m =
        DecodeAvi(Movie(StreamList("vids", 1, 10, BitmapFormat(3, 2, 8, 0, kPalette)), {{"00db", pixels}}));
    ASSERT_EQ(m.Frames.size(), 1u);
    EXPECT_EQ(m.Width, 3);
    EXPECT_EQ(m.Height, 2);
    EXPECT_EQ(m.MicroSecPerFrame, 100000);
    EXPECT_EQ(Px(m, 0, 0, 1), kPalette[1]);
    EXPECT_EQ(Px(m, 0, 2, 1), kPalette[3]);
    EXPECT_EQ(Px(m, 0, 0, 0), kPalette[3]);
    EXPECT_EQ(Px(m, 0, 2, 0), kPalette[1]);
}

TEST(Avi, Uncompressed24BitIsBgrAndTopDownWhenHeightIsNegative)
{
    // 2 x 2, rows of 6 bytes padded to 8, stored top row first.
    const QByteArray pixels = QByteArray("\x00\x00\xFF"
                                         "\x00\xFF\x00"
                                         "\0\0",
                                         8) +
                              QByteArray("\xFF\x00\x00"
                                         "\x10\x20\x30"
                                         "\0\0",
                                         8);
    const AviMovie m =
        DecodeAvi(Movie(StreamList("vids", 1, 25, BitmapFormat(2, -2, 24, 0)), {{"00db", pixels}}));
    ASSERT_EQ(m.Frames.size(), 1u);
    EXPECT_EQ(m.MicroSecPerFrame, 40000);
    EXPECT_EQ(Px(m, 0, 0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(Px(m, 0, 1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(Px(m, 0, 0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(Px(m, 0, 1, 1), qRgb(0x30, 0x20, 0x10));
}

TEST(Avi, Rle8FramesDecodeRunsLiteralsAndDeltasOntoThePreviousFrame)
{
    // Frame 1, 4 x 2: bottom row a run of four 1s; top row literals 2 3 0 2.
    const QByteArray first("\x04\x01"
                           "\x00\x00"
                           "\x00\x04\x02\x03\x00\x02"
                           "\x00\x01",
                           12);
    // Frame 2 changes one pixel only: skip 2 right on the bottom row, one 3.
    const QByteArray second("\x00\x02\x02\x00"
                            "\x01\x03"
                            "\x00\x01",
                            8);
    const AviMovie m = DecodeAvi(Movie(StreamList("vids", 1, 10, BitmapFormat(4, 2, 8, 1, kPalette)),
                                       {{"00dc", first}, {"00dc", second}, {"00dc", QByteArray()}}));
    ASSERT_EQ(m.Frames.size(), 3u);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(Px(m, 0, x, 1), kPalette[1]) << x;
    EXPECT_EQ(Px(m, 0, 0, 0), kPalette[2]);
    EXPECT_EQ(Px(m, 0, 1, 0), kPalette[3]);
    EXPECT_EQ(Px(m, 0, 3, 0), kPalette[2]);

    EXPECT_EQ(Px(m, 1, 2, 1), kPalette[3]);
    EXPECT_EQ(Px(m, 1, 1, 1), kPalette[1]) << "untouched pixels keep the previous frame";
    EXPECT_EQ(Px(m, 1, 1, 0), kPalette[3]);
    EXPECT_TRUE(m.Frames[2] == m.Frames[1]) << "an empty chunk repeats the frame";
}

TEST(Avi, SkipsJunkAudioAndOtherStreamsChunks)
{
    // Stream 0 is sound, stream 1 the video; JUNK before the movie data.
    const QByteArray streams = StreamList("auds", 1, 8000, QByteArray(18, '\0')) +
                               StreamList("vids", 1, 10, BitmapFormat(1, 1, 8, 0, kPalette));
    const AviMovie m = DecodeAvi(Movie(streams,
                                       {{"00wb", QByteArray(7, '\x55')},
                                        {"01db", QByteArray("\x02\0\0\0", 4)},
                                        {"JUNK", QByteArray(3, '\0')},
                                        {"01db", QByteArray("\x03\0\0\0", 4)}},
                                       Chunk("JUNK", QByteArray(9, '\x7F'))));
    ASSERT_EQ(m.Frames.size(), 2u);
    EXPECT_EQ(Px(m, 0, 0, 0), kPalette[2]);
    EXPECT_EQ(Px(m, 1, 0, 0), kPalette[3]);
}

TEST(Avi, BadMoviesAreReportedNeverReadOutOfBounds)
{
    const QByteArray fmt = BitmapFormat(4, 2, 8, 1, kPalette);
    struct Case {
        const char* name;
        QByteArray bytes;
        bool readable;
    };
    const QByteArray good =
        Movie(StreamList("vids", 1, 10, fmt), {{"00dc", QByteArray("\x04\x01\x00\x01", 4)}});
    const Case cases[] = {
        {"not RIFF", QByteArray("RIFX") + good.mid(4), false},
        {"empty", QByteArray(), false},
        {"truncated header", good.left(40), false},
        {"no frames", Movie(StreamList("vids", 1, 10, fmt), {}), false},
        {"no video stream", Movie(StreamList("auds", 1, 10, QByteArray(18, '\0')), {{"00wb", "x"}}), false},
        {"compressed by another codec",
         Movie(StreamList("vids", 1, 10, BitmapFormat(4, 2, 24, 0x47504A4D)), {{"00dc", "x"}}), false},
        {"absurd size",
         Movie(StreamList("vids", 1, 10, BitmapFormat(100000, 2, 8, 1, kPalette)), {{"00dc", "x"}}), false},
        {"runs past the row and the picture",
         Movie(StreamList("vids", 1, 10, fmt), {{"00dc", QByteArray("\xFF\x01\x00\x02\xFF\xFF\xFF\x02", 8)}}),
         true},
        {"literal run past the data",
         Movie(StreamList("vids", 1, 10, fmt), {{"00dc", QByteArray("\x00\xF0\x01", 3)}}), true},
        {"chunk size past the end", good.left(good.size() - 2), true},
        {"short uncompressed frame",
         Movie(StreamList("vids", 1, 10, BitmapFormat(4, 2, 8, 0, kPalette)),
               {{"00db", QByteArray("\x01", 1)}}),
         true},
    };
    for (const Case& c : cases) {
        if (c.readable) {
            AviMovie m;
            ASSERT_NO_THROW(m = DecodeAvi(c.bytes)) << c.name;
            ASSERT_EQ(m.Frames.size(), 1u) << c.name;
            EXPECT_EQ(m.Frames[0].size(), QSize(4, 2)) << c.name;
        } else {
            try {
                (void)DecodeAvi(c.bytes);
                ADD_FAILURE() << c.name << ": accepted";
            } catch (const VbError& e) {
                EXPECT_EQ(e.Number, kAviUnreadable) << c.name;
            }
        }
    }
}

TEST(Avi, MissingFileIsErrorFileNotFound)
{
    QTemporaryDir dir;
    try {
        (void)ReadAvi(dir.filePath(QStringLiteral("nada.avi")));
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, 53);
    }
}

TEST(Avi, ShippedProgressAnimationLoopsASineWave)
{
    const AviMovie m = ReadAvi(IconosFolder() + QStringLiteral("/onda.avi"));
    EXPECT_EQ(m.Width, 64);
    EXPECT_EQ(m.Height, 32);
    ASSERT_EQ(m.Frames.size(), 32u);
    EXPECT_GT(m.MicroSecPerFrame, 0);
    EXPECT_FALSE(m.Frames[0] == m.Frames[1]) << "the wave moves";
    EXPECT_FALSE(m.Frames[0] == m.Frames[16]);
}

TEST(Animation, OpenPlayStopClose)
{
    Animation anim;
    EXPECT_THROW(anim.Open(QStringLiteral("/nonexistent/onda.avi")), VbError);
    EXPECT_FALSE(anim.IsOpen());

    anim.Open(IconosFolder() + QStringLiteral("/onda.avi"));
    ASSERT_TRUE(anim.IsOpen());
    EXPECT_FALSE(anim.pixmap().isNull()) << "the first frame shows at once";
    EXPECT_EQ(anim.CurrentFrame(), 0);

    anim.Play();
    EXPECT_TRUE(anim.IsPlaying());
    EXPECT_TRUE(test::WaitFor([&] { return anim.CurrentFrame() >= 2; }))
        << "frames advance while the event loop runs";

    anim.Stop();
    EXPECT_FALSE(anim.IsPlaying());
    anim.Close();
    EXPECT_FALSE(anim.IsOpen());
    EXPECT_TRUE(anim.pixmap().isNull());
}

TEST(Animation, PlayingOnceStopsOnTheLastFrame)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("three.avi"));
    const QByteArray fmt = BitmapFormat(1, 1, 8, 0, kPalette);
    // 100 frames a second: as fast as the control plays.
    ASSERT_TRUE(test::WriteBytes(
        path, Movie(StreamList("vids", 1, 100, fmt), {{"00db", QByteArray("\x01\0\0\0", 4)},
                                                      {"00db", QByteArray("\x02\0\0\0", 4)},
                                                      {"00db", QByteArray("\x03\0\0\0", 4)}})));
    Animation anim;
    anim.Open(path);
    EXPECT_EQ(anim.IntervalMs(), 10);
    anim.Play(1);
    EXPECT_TRUE(test::WaitFor([&] { return !anim.IsPlaying(); }));
    EXPECT_EQ(anim.CurrentFrame(), 2);
}

} // namespace
} // namespace vesdra
