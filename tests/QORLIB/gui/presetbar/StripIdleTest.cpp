// What the strip's idle repaints: with the preset menu open and nothing happening, nothing, at
// any zoom; a pointer moving over the lists repaints the list it is over, not the window.
#include "tests/QORLIB/gui/presetbar/StripHarness.h"

#include <gtest/gtest.h>

namespace
{
double area(const std::vector<qortk::Rect>& region)
{
    double a = 0;
    for (const qortk::Rect& r : region)
        a += r.width() * r.height();
    return a;
}
} // namespace

TEST(StripIdle, AnOpenPresetMenuIsNotRepaintedWhileNothingHappens)
{
    for (double zoom : {1.0, 2.0, 4.0})
    {
        StripHarness h;
        h.engine.setZoom(zoom);
        h.click(200, 13);
        ASSERT_TRUE(h.engine.isPresetMenuShown());
        h.frame().mouseMoved(h.at(150, 150), 0); // over the lists
        for (int tick = 0; tick < 60; ++tick) // the pressed name button's flash ends
            h.engine.idle();
        h.frame().takeInvalidRegion();
        for (int tick = 0; tick < 100; ++tick)
            h.engine.idle();
        EXPECT_TRUE(h.frame().takeInvalidRegion().empty()) << zoom;

        // Hovering from one entry to the next repaints a list, far less than the window.
        h.frame().mouseMoved(h.at(150, 250), 0);
        h.engine.idle();
        const double painted = area(h.frame().takeInvalidRegion());
        EXPECT_LT(painted, 0.5 * h.frame().deviceWidth() * h.frame().deviceHeight()) << zoom;
    }
}
