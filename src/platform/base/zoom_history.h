#pragma once
#include <array>
#include <cassert>
#include <cstdint>

namespace vesdra {

// Every view's zoom history holds at most 31 levels: the whole record and
// 30 zooms.
inline constexpr std::int32_t MaxNivelesZoom = 31;

// Language text of a full history. The views say it when the user asks for
// a new zoom (the zoom button), before a rectangle is drawn or a span taken,
// so no work is thrown away after the fact; it tells how to start afresh.
inline constexpr std::int32_t TextoHistorialLleno = 105;

// True when a history of `niveles` stored levels takes no further zoom.
[[nodiscard]] constexpr bool HistorialLleno(std::int32_t niveles)
{
    return niveles >= MaxNivelesZoom;
}

// The zoom history of a view: the whole record at position 0 and up to 30
// zooms after it. A zoom is appended after the newest level whatever level
// is shown, and shown; back and forward only move between stored levels.
// Positions are 0-based: the waveform window calls its position NivelActual
// and shows level NivelActual + 1; the stacked, composition and digital views
// number their levels from 0. Each view keeps its own refusals around it.
template <typename Level> class ZoomHistory
{
public:
    static constexpr std::int32_t MaxLevels = MaxNivelesZoom;

    // One level (the whole record), shown.
    void Reset(const Level& whole)
    {
        levels_[0] = whole;
        count_ = 1;
        position_ = 0;
    }

    [[nodiscard]] bool Full() const { return HistorialLleno(count_); }
    // Stores a level after the newest one and shows it. The caller refuses
    // the zoom when the history is Full(), before drawing anything.
    void Append(const Level& level)
    {
        assert(!Full());
        if (Full())
            return;
        levels_[static_cast<size_t>(count_)] = level;
        position_ = count_;
        ++count_;
    }

    [[nodiscard]] bool CanGoBack() const { return position_ > 0; }
    [[nodiscard]] bool CanGoForward() const { return position_ < count_ - 1; }
    // Move one level; false (and nothing moves) at either end.
    bool Back()
    {
        if (!CanGoBack())
            return false;
        --position_;
        return true;
    }
    bool Forward()
    {
        if (!CanGoForward())
            return false;
        ++position_;
        return true;
    }

    [[nodiscard]] std::int32_t Position() const { return position_; }
    [[nodiscard]] std::int32_t Count() const { return count_; }
    [[nodiscard]] const Level& Current() const { return levels_[static_cast<size_t>(position_)]; }
    [[nodiscard]] const Level& At(std::int32_t position) const
    {
        assert(position >= 0 && position < count_);
        return levels_[static_cast<size_t>(position)];
    }

private:
    std::array<Level, MaxLevels> levels_{};
    std::int32_t count_{1};
    std::int32_t position_{0};
};

} // namespace vesdra
