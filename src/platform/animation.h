#pragma once
#include <QLabel>
#include <QTimer>
#include <cstdint>

#include "platform/avi.h"

namespace vesdra {

// The animation control of the progress window: opens a silent AVI movie
// (see avi.h for the kinds it reads) and plays it on itself, centred, looping
// at the movie's own frame rate. Frames are shown by a timer on the GUI
// thread, so the movie only moves while the event loop runs.
class Animation : public QLabel
{
    Q_OBJECT
public:
    explicit Animation(QWidget* parent = nullptr);

    // Loads the movie and shows its first frame; a movie already open is
    // closed first. Throws VbError 53 when the file does not exist and
    // VbError 35752 when it is not a movie this control can play; the
    // control is then left closed.
    void Open(const QString& path);
    // Plays from the first frame; repeat -1 loops until Stop, otherwise the
    // movie is played that many times and stops on its last frame.
    void Play(int repeat = -1);
    void Stop();
    // Stops and forgets the movie; the control shows nothing.
    void Close();

    [[nodiscard]] bool IsOpen() const { return !movie_.Frames.empty(); }
    [[nodiscard]] bool IsPlaying() const { return timer_.isActive(); }
    [[nodiscard]] int CurrentFrame() const { return frame_; }
    [[nodiscard]] const AviMovie& Movie() const { return movie_; }
    // Frame period used for playback, in milliseconds (at least 10).
    [[nodiscard]] int IntervalMs() const;

private:
    void ShowFrame(int index);
    void Advance();

    AviMovie movie_;
    QTimer timer_;
    int frame_{0};
    int repeatsLeft_{-1};
};

} // namespace vesdra
