#include "platform/animation.h"

#include <QPixmap>
#include <algorithm>

namespace vesdra {

Animation::Animation(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    connect(&timer_, &QTimer::timeout, this, &Animation::Advance);
}

void Animation::Open(const QString& path)
{
    Close();
    movie_ = ReadAvi(path);
    ShowFrame(0);
}

int Animation::IntervalMs() const
{
    // A missing or absurd rate plays at 15 frames a second; a very fast one
    // is held to 100 frames a second.
    const std::int32_t us = movie_.MicroSecPerFrame;
    if (us <= 0 || us > 10'000'000)
        return 66;
    return std::max(10, static_cast<int>((us + 500) / 1000));
}

void Animation::Play(int repeat)
{
    if (!IsOpen())
        return;
    repeatsLeft_ = repeat < 0 ? -1 : repeat;
    if (repeatsLeft_ == 0)
        return;
    ShowFrame(0);
    timer_.start(IntervalMs());
}

void Animation::Stop()
{
    timer_.stop();
}

void Animation::Close()
{
    timer_.stop();
    movie_ = AviMovie{};
    frame_ = 0;
    clear();
}

void Animation::ShowFrame(int index)
{
    frame_ = index;
    setPixmap(QPixmap::fromImage(movie_.Frames[static_cast<std::size_t>(index)]));
}

void Animation::Advance()
{
    const int count = static_cast<int>(movie_.Frames.size());
    if (count == 0) {
        timer_.stop();
        return;
    }
    if (frame_ + 1 < count) {
        ShowFrame(frame_ + 1);
        return;
    }
    if (repeatsLeft_ > 0 && --repeatsLeft_ == 0) {
        timer_.stop();
        return;
    }
    ShowFrame(0);
}

} // namespace vesdra
