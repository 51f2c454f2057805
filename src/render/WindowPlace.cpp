// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/WindowPlace.h"

#include <algorithm>
#include <cstdlib>

namespace vexari {
namespace {

// 64-bit, so that absurd saved values cannot wrap around.
using Wide = long long;

struct Box {
    Wide x, y, w, h;
};

Wide Overlap(Wide a, Wide aLength, Wide b, Wide bLength) {
    return std::max<Wide>(0, std::min(a + aLength, b + bLength) - std::max(a, b));
}

// The title bar, the top `titleHeight` rows of the frame, lies on `screen`:
// all of its height and at least half of its width.
bool TitleBarOn(const Box& box, const Rect& screen, int titleHeight) {
    if (box.y < screen.y || box.y + titleHeight > Wide{screen.y} + screen.h) return false;
    return 2 * Overlap(box.x, box.w, screen.x, screen.w) >= box.w;
}

// A length larger than the screen's shrinks to it (not below minLength) and
// its start moves inside the screen.
void FitInto(Wide& start, Wide& length, Wide screenStart, Wide screenLength, Wide minLength) {
    if (length <= screenLength) return;
    length = std::max(minLength, screenLength);
    start = std::max(screenStart, std::min(start, screenStart + screenLength - length));
}

WindowRect ToRect(const Box& box) {
    const auto x = static_cast<int>(box.x), y = static_cast<int>(box.y);
    return {x, y, static_cast<int>(box.x + box.w), static_cast<int>(box.y + box.h)};
}

}  // namespace

WindowRect DefaultPlace(const Rect& available, int wellHeight) {
    ScreenMetrics metrics;
    metrics.maximizedHeight = available.h;
    metrics.fullScreenWidth = available.w;
    metrics.sizingFrame = 0;
    metrics.originX = available.x;
    metrics.originY = available.y;
    WindowRect r = DefaultGeometry(metrics, wellHeight);
    if (r.right - r.left > available.w) {
        r.left = available.x;
        r.right = available.x + available.w;
    }
    return r;
}

WindowRect CheckWindowPlace(const WindowRect& saved, const std::vector<Rect>& screens, const FrameMargins& frame,
                            int wellHeight) {
    if (screens.empty()) return saved;
    const Wide minW = kMinWindowWidth + frame.left + frame.right;
    const Wide minH = kMinWindowHeight + frame.top + frame.bottom;

    Box box{saved.left, saved.top, std::max(minW, Wide{saved.right} - saved.left),
            std::max(minH, Wide{saved.bottom} - saved.top)};
    const auto home = std::find_if(screens.begin(), screens.end(),
                                   [&](const Rect& s) { return TitleBarOn(box, s, frame.top); });
    if (home != screens.end()) {
        FitInto(box.x, box.w, home->x, home->w, minW);
        FitInto(box.y, box.h, home->y, home->h, minH);
        Wide visible = 0;
        for (const Rect& s : screens) visible += Overlap(box.x, box.w, s.x, s.w) * Overlap(box.y, box.h, s.y, s.h);
        if (2 * visible >= box.w * box.h) return ToRect(box);
    }

    const WindowRect d = DefaultPlace(screens.front(), wellHeight);
    return ToRect({d.left, d.top, std::max(minW, Wide{d.right} - d.left), std::max(minH, Wide{d.bottom} - d.top)});
}

WindowRect PlaceForCopy(const WindowRect& place, int index, const std::vector<Rect>& screens, int step) {
    if (index <= 0 || screens.empty()) return place;
    const Wide width = Wide{place.right} - place.left;
    // The screen that holds it, as CheckWindowPlace finds it.
    const Box box{place.left, place.top, width, Wide{place.bottom} - place.top};
    const auto home = std::find_if(screens.begin(), screens.end(), [&](const Rect& s) { return TitleBarOn(box, s, 0); });
    const Rect& screen = home != screens.end() ? *home : screens.front();
    std::vector<Wide> beside;  // left edges with room, right side first
    for (Wide left = place.left + width; left + width <= Wide{screen.x} + screen.w; left += width) beside.push_back(left);
    for (Wide left = place.left - width; left >= screen.x; left -= width) beside.push_back(left);
    // Then against the screen's right and left edges, where that uncovers
    // at least half of the first.
    for (const Wide edge : {Wide{screen.x} + screen.w - width, Wide{screen.x}})
        if (2 * std::abs(edge - place.left) >= width) beside.push_back(edge);
    Wide dx = Wide{index} * step, dy = dx;
    if (static_cast<std::size_t>(index) <= beside.size()) {
        dx = beside[static_cast<std::size_t>(index) - 1] - place.left;
        dy = 0;
    }
    return ToRect({box.x + dx, box.y + dy, box.w, box.h});
}

WindowRect WidenedPlace(const WindowRect& place, int extra, const std::vector<Rect>& screens) {
    Box box{place.left, place.top, std::max<Wide>(Wide{place.right} - place.left + extra, 0), Wide{place.bottom} - place.top};
    if (screens.empty() || extra <= 0) return ToRect(box);
    const Box old{place.left, place.top, Wide{place.right} - place.left, box.h};
    const auto home = std::find_if(screens.begin(), screens.end(), [&](const Rect& s) { return TitleBarOn(old, s, 0); });
    if (home == screens.end()) return ToRect(box);
    box.w = std::min<Wide>(box.w, std::max<Wide>(home->w, old.w));
    box.x = std::max<Wide>(std::min(box.x, Wide{home->x} + home->w - box.w), std::min<Wide>(home->x, old.x));
    return ToRect(box);
}

}  // namespace vexari
