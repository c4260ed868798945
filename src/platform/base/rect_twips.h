#pragma once

namespace vesdra {

// A control's place inside its form or container, in twips: what the views'
// layout arithmetic gives and MoveTwips (platform/twips.h) applies.
struct RectTwips {
    double Left{0.0};
    double Top{0.0};
    double Width{0.0};
    double Height{0.0};
    [[nodiscard]] double Right() const { return Left + Width; }
    [[nodiscard]] double Bottom() const { return Top + Height; }
    bool operator==(const RectTwips&) const = default;
};

} // namespace vesdra
