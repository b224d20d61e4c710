// The embedded images: sizes, frame grids, and that what is painted lines up with where the
// controls put their values. Expected positions come from the layout figures (angles, needle
// geometry), not from the drawing program.
#include "QORLIB/gui/toolkit/Bitmap.h"
#include "QORLIB/gui/toolkit/PixelAccess.h"
#include "resources/QorResourceTable.h"
#include "resources/artwork/ImageCatalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

using qortk::PixelAccess;

namespace
{
std::shared_ptr<qortk::Bitmap> image(int id)
{
    auto b = qortk::Bitmap::fromPng(QorResourceTable::findImage(id));
    EXPECT_NE(b, nullptr) << id;
    return b;
}

int luminance(uint32_t p) { return (PixelAccess::red(p) + PixelAccess::green(p) + PixelAccess::blue(p)) / 3; }

struct Strip
{
    int id, width, height, frames, columns, frameSize;
};
const Strip kStrips[] = {{12173, 1140, 1140, 21, 5, 228}, {12171, 1596, 1368, 41, 7, 228},
                         {12177, 1824, 1824, 61, 8, 228}, {12181, 140, 980, 7, 1, 140},
                         {12130, 62, 434, 7, 1, 62},      {12139, 62, 434, 7, 1, 62}};

// Pixel origin of frame k in a column-major grid.
void frameOrigin(const Strip& s, int k, int& x, int& y)
{
    const int rows = (s.frames + s.columns - 1) / s.columns;
    x = (k / rows) * s.frameSize;
    y = (k % rows) * s.frameSize;
}

// The direction (degrees from straight up, clockwise) in which the pointer's light inlay lies
// around a frame's centre, found by sampling a ring.
double pointerDirection(const qortk::Bitmap& b, int x0, int y0, int size, double radius)
{
    double best = -1, bestAngle = 0;
    for (int tenth = 0; tenth < 3600; ++tenth)
    {
        const double a = tenth / 10.0 * M_PI / 180.0;
        const int x = x0 + static_cast<int>(std::lround(size / 2.0 + radius * std::sin(a)));
        const int y = y0 + static_cast<int>(std::lround(size / 2.0 - radius * std::cos(a)));
        const double l = luminance(b.pixelRGBA(x, y));
        if (l > best)
        {
            best = l;
            bestAngle = tenth / 10.0;
        }
    }
    return bestAngle > 180.0 ? bestAngle - 360.0 : bestAngle;
}
} // namespace

TEST(Artwork, EveryImageIsEmbeddedAtItsPixelSize)
{
    struct Size
    {
        int id, w, h;
    };
    for (const Size& s : {Size{12128, 800, 550}, {12129, 212, 468}, {12181, 140, 980}, {12130, 62, 434},
                          {12139, 62, 434}, {12173, 1140, 1140}, {12171, 1596, 1368}, {12177, 1824, 1824},
                          {12151, 200, 86}, {12153, 200, 86}, {12200, 800, 550}, {90001, 240, 240}})
    {
        const auto bytes = QorResourceTable::findImage(s.id);
        ASSERT_GT(bytes.size(), 8u) << s.id;
        EXPECT_EQ(std::memcmp(bytes.data(), "\x89PNG", 4), 0) << s.id;
        auto b = image(s.id);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->pixelWidth(), s.w) << s.id;
        EXPECT_EQ(b->pixelHeight(), s.h) << s.id;
    }
    EXPECT_EQ(QorResourceTable::entries().size(), 12u);
    EXPECT_TRUE(QorResourceTable::findImage(4711).empty());
}

TEST(Artwork, FilmstripsFillTheirGridColumnByColumn)
{
    for (const Strip& s : kStrips)
    {
        auto b = image(s.id);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->pixelWidth(), s.columns * s.frameSize) << s.id;
        const int rows = (s.frames + s.columns - 1) / s.columns;
        for (int k = 0; k < rows * s.columns; ++k)
        {
            int x, y;
            frameOrigin(s, k, x, y);
            const uint32_t centre = b->pixelRGBA(x + s.frameSize / 2, y + s.frameSize / 2);
            if (k < s.frames)
                EXPECT_EQ(PixelAccess::alpha(centre), 255) << s.id << " frame " << k << " has a knob";
            else
                EXPECT_EQ(centre, 0u) << s.id << " cell " << k << " past the last frame is empty";
            // Corners are see-through, so the panel's scale shows around the knob.
            EXPECT_EQ(PixelAccess::alpha(b->pixelRGBA(x + 1, y + 1)), 0) << s.id << " frame " << k;
        }
    }
}

TEST(Artwork, KnobPointersSweep270DegreesWithTheGapAtTheBottom)
{
    for (const Strip& s : kStrips)
    {
        auto b = image(s.id);
        ASSERT_NE(b, nullptr);
        // On the cap, inside the pointer line (big knobs: cap 47 px; pointer knob: the inlay).
        const double radius = s.frameSize == 228 ? 34.0 : (s.frameSize == 140 ? 28.0 : 9.0);
        for (int k : {0, s.frames / 4, s.frames / 2, s.frames - 1})
        {
            int x, y;
            frameOrigin(s, k, x, y);
            const double expected = -135.0 + 270.0 * k / (s.frames - 1);
            EXPECT_NEAR(pointerDirection(*b, x, y, s.frameSize, radius), expected, 4.0) << s.id << " frame " << k;
        }
    }
}

TEST(Artwork, SwitchFramesCarryThePanelUnderThemSeamlessly)
{
    auto panel = image(12128);
    auto lever = image(12129);
    ASSERT_TRUE(panel && lever);
    // The switch sits at (262, 46) points; away from the lever its pixels are the panel's.
    for (int frame = 0; frame < 3; ++frame)
        for (auto [x, y] : {std::pair{2, 2}, {208, 150}, {150, 140}, {2, 100}, {205, 5}})
            EXPECT_EQ(lever->pixelRGBA(x, frame * 156 + y), panel->pixelRGBA(524 + x, 92 + y))
                << "frame " << frame << " at " << x << "," << y;
    // The bat's tip is somewhere else in each position: left, up, right of the pivot.
    int differing = 0;
    for (int y = 0; y < 156; ++y)
        for (int x = 0; x < 212; ++x)
            differing += lever->pixelRGBA(x, y) != lever->pixelRGBA(x, 312 + y);
    EXPECT_GT(differing, 500);
}

TEST(Artwork, MeterMarksLieWhereTheNeedlePointsForTheirReadings)
{
    // Needle: pivot (200.5, 155.5) in the product area, the face at (150, 66); a reading of
    // g dB is the value 1 − 10^(g/20), drawn at 120° − 60° × value.
    auto at = [](double db, double radius, int& px, int& py) {
        const double value = 1.0 - std::pow(10.0, db / 20.0);
        const double theta = (120.0 - 60.0 * value) * M_PI / 180.0;
        px = static_cast<int>(std::lround(2.0 * (50.5 + radius * std::cos(theta))));
        py = static_cast<int>(std::lround(2.0 * (89.5 - radius * std::sin(theta))));
    };
    for (int id : {12151, 12153})
    {
        auto face = image(id);
        ASSERT_NE(face, nullptr);
        for (auto [mark, gap] : {std::pair{0.0, -0.5}, {-3.0, -3.5}, {-6.0, -7.0}, {-12.0, -14.0}, {-24.0, -22.0}})
        {
            int mx, my, gx, gy;
            at(mark, 73.0, mx, my);
            at(gap, 73.0, gx, gy);
            EXPECT_GT(luminance(face->pixelRGBA(mx, my)), luminance(face->pixelRGBA(gx, gy)) + 40)
                << id << ": a mark at " << mark << " dB, none at " << gap << " dB";
        }
    }
    // Lit is warm, unlit is cool.
    const uint32_t lit = image(12151)->pixelRGBA(100, 80), unlit = image(12153)->pixelRGBA(100, 80);
    EXPECT_GT(PixelAccess::red(lit), PixelAccess::blue(lit) + 30);
    EXPECT_GT(PixelAccess::blue(unlit), PixelAccess::red(unlit));
}

TEST(Artwork, TheAboutPlatePaintsTheWebAddressInsideTheLinkArea)
{
    auto plate = image(12200);
    ASSERT_NE(plate, nullptr);
    // The address is the only blue lettering; all of it lies within (110, 130)–(290, 154).
    int inside = 0, outside = 0;
    for (int y = 0; y < 550; ++y)
        for (int x = 0; x < 800; ++x)
        {
            const uint32_t p = plate->pixelRGBA(x, y);
            if (PixelAccess::blue(p) > 150 && PixelAccess::blue(p) > PixelAccess::red(p) + 60)
                (x >= 220 && x < 580 && y >= 260 && y < 308 ? inside : outside)++;
        }
    EXPECT_GT(inside, 200);
    EXPECT_EQ(outside, 0);
    // Nothing light where the box draws its version line, nor on the hover underline's row.
    for (int x = 600; x < 790; x += 3)
        EXPECT_LT(luminance(plate->pixelRGBA(x, 148)), 120) << x;
}

TEST(Artwork, TheDrawingAtTwiceTheSizeIsEveryCommittedImagePixelForPixel)
{
    // The editor draws these images again at other zooms; at 2 the drawing must be the image
    // it replaces, or a zoom change would change the panel.
    for (int id : {12128, 12129, 12181, 12130, 12139, 12173, 12171, 12177, 12151, 12153, 12200, 90001})
    {
        auto committed = image(id);
        const auto drawn = artwork::ImageCatalogue::drawImage(id, 2.0);
        ASSERT_NE(committed, nullptr);
        ASSERT_NE(drawn, nullptr) << id;
        ASSERT_EQ(drawn->pixelWidth(), committed->pixelWidth()) << id;
        ASSERT_EQ(drawn->pixelHeight(), committed->pixelHeight()) << id;
        cairo_surface_flush(drawn->surface());
        int differing = 0;
        for (int y = 0; y < committed->pixelHeight(); ++y)
            for (int x = 0; x < committed->pixelWidth(); ++x)
                differing += PixelAccess::rgba(drawn->surface(), x, y) != committed->pixelRGBA(x, y);
        EXPECT_EQ(differing, 0) << id;
    }
}

TEST(Artwork, FramesAtAnyScaleHaveTheirRoundedPixelSizeAndUnknownOnesNone)
{
    for (double scale : {0.7, 1.0, 2.76, 4.0})
    {
        const auto knob = artwork::ImageCatalogue::drawFrame(12177, scale, 60);
        ASSERT_NE(knob, nullptr);
        EXPECT_EQ(knob->pixelWidth(), static_cast<int>(std::lround(114 * scale))) << scale;
        const auto meter = artwork::ImageCatalogue::drawFrame(12151, scale, 0);
        EXPECT_EQ(meter->pixelHeight(), static_cast<int>(std::lround(43 * scale))) << scale;
    }
    EXPECT_EQ(artwork::ImageCatalogue::drawFrame(12177, 1.0, 61), nullptr);
    EXPECT_EQ(artwork::ImageCatalogue::drawFrame(12177, 1.0, -1), nullptr);
    EXPECT_EQ(artwork::ImageCatalogue::drawFrame(4711, 1.0, 0), nullptr);
    EXPECT_EQ(artwork::ImageCatalogue::drawFrame(12128, 0.0, 0), nullptr);
    EXPECT_EQ(artwork::ImageCatalogue::grid(4711), nullptr);
}

TEST(Artwork, TheAboutPlatesTopScrewsShowBelowTheConfigurationMenusTabRow)
{
    auto plate = image(12200);
    ASSERT_NE(plate, nullptr);
    // Bright screw heads in the plate's top corners (pixels at twice the points): none under the
    // 29-point tab row (plus a point of its edge), whole heads below it.
    for (const int x0 : {0, 680})
    {
        int under = 0, below = 0;
        for (int y = 0; y < 160; ++y)
            for (int x = x0; x < x0 + 120; ++x)
                if (luminance(plate->pixelRGBA(x, y)) > 180)
                    (y < 60 ? under : below)++;
        EXPECT_EQ(under, 0) << x0;
        EXPECT_GT(below, 20) << x0;
    }
}
