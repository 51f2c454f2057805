#include <gtest/gtest.h>

#include <climits>

#include "app/WindowPlace.h"

namespace vexari {
namespace {

TEST(WindowPlace, SavedPlacesAreCheckedAgainstTheScreens) {
    const FrameMargins frame{1, 22, 1, 1};  // smallest outer size 258 x 503
    const Rect screen{0, 0, 1280, 1024};
    const Rect underPanel{0, 30, 1280, 994};
    const Rect second{1280, 0, 1920, 1080};
    // Cells of (1024 - 70) / 25 = 38: 590 wide, centred, the whole height.
    const WindowRect byDefault{345, 0, 935, 1024};
    struct Case {
        const char* what;
        WindowRect saved;
        std::vector<Rect> screens;
        WindowRect expected;
    } cases[] = {
        {"default kept", byDefault, {screen}, byDefault},
        {"default below a panel", {0, 0, 10, 10}, {underPanel}, {360, 30, 920, 1024}},
        {"second monitor there", {2000, 100, 2590, 1124}, {screen, second}, {2000, 100, 2590, 1124}},
        {"second monitor gone", {2000, 100, 2590, 1124}, {screen}, byDefault},
        {"title bar above the screen", {345, -24, 935, 1000}, {screen}, byDefault},
        {"title bar half off the side", {-300, 100, 290, 900}, {screen}, byDefault},
        {"over half showing", {900, 100, 1490, 900}, {screen}, {900, 100, 1490, 900}},
        {"mostly below the screen", {345, 900, 935, 1500}, {screen}, byDefault},
        {"absurd values", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {screen}, byDefault},
        {"negative size grows to the minimum", {100, 100, 90, 50}, {screen}, {100, 100, 358, 603}},
        {"taller than the screen", {100, 50, 690, 1200}, {{0, 0, 800, 600}}, {100, 0, 690, 600}},
        {"wider than the screen", {-10, 0, 1300, 700}, {screen}, {0, 0, 1280, 700}},
        {"screen below the minimum", {100, 0, 690, 1024}, {{0, 0, 640, 400}}, {100, 0, 690, 503}},
        {"no screens known", {5, 6, 7, 8}, {}, {5, 6, 7, 8}},
    };
    for (const Case& c : cases) EXPECT_EQ(CheckWindowPlace(c.saved, c.screens, frame, 25), c.expected) << c.what;
}

}  // namespace
}  // namespace vexari
