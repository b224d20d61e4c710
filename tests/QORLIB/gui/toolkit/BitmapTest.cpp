// Decoding PNG bytes from memory, including bytes that are not a whole PNG.
#include "QORLIB/gui/toolkit/Bitmap.h"
#include "QORLIB/gui/toolkit/PixelAccess.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace
{
cairo_status_t collect(void* closure, const unsigned char* data, unsigned int length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

// A 6 × 4 image: left half opaque red, right half half-transparent blue.
std::vector<uint8_t> samplePng()
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 6, 4);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgba(cr, 1, 0, 0, 1);
    cairo_rectangle(cr, 0, 0, 3, 4);
    cairo_fill(cr);
    cairo_set_source_rgba(cr, 0, 0, 1, 0.5);
    cairo_rectangle(cr, 3, 0, 3, 4);
    cairo_fill(cr);
    cairo_destroy(cr);
    std::vector<uint8_t> bytes;
    cairo_surface_write_to_png_stream(s, collect, &bytes);
    cairo_surface_destroy(s);
    return bytes;
}
} // namespace

TEST(Bitmap, DecodesPngBytesWithSizeInPointsFromTheScaleFactor)
{
    const auto bytes = samplePng();
    auto bitmap = qortk::Bitmap::fromPng(bytes);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->pixelWidth(), 6);
    EXPECT_EQ(bitmap->pixelHeight(), 4);
    bitmap->setScaleFactor(2.0);
    EXPECT_DOUBLE_EQ(bitmap->width(), 3.0);
    EXPECT_DOUBLE_EQ(bitmap->height(), 2.0);
    EXPECT_EQ(bitmap->pixelRGBA(1, 1), 0xff0000ffu);
    const uint32_t blue = bitmap->pixelRGBA(4, 2);
    EXPECT_EQ(qortk::PixelAccess::blue(blue), 255);
    EXPECT_NEAR(qortk::PixelAccess::alpha(blue), 128, 1);
    EXPECT_EQ(bitmap->pixelRGBA(6, 0), 0u) << "outside the image";
}

TEST(Bitmap, RejectsBytesThatAreNotAWholePng)
{
    const auto bytes = samplePng();
    EXPECT_EQ(qortk::Bitmap::fromPng({}), nullptr);
    EXPECT_EQ(qortk::Bitmap::fromPng(std::span(bytes).first(8)), nullptr) << "signature only";
    // Every cut of the file must fail cleanly (no read past the end).
    for (size_t cut : {size_t(9), size_t(20), size_t(33), bytes.size() / 2, bytes.size() - 13, bytes.size() - 1})
        EXPECT_EQ(qortk::Bitmap::fromPng(std::span(bytes).first(cut)), nullptr) << "cut at " << cut;
    auto corrupt = bytes;
    for (size_t i = 40; i < corrupt.size() - 12; i += 7)
        corrupt[i] ^= 0x5a;
    EXPECT_EQ(qortk::Bitmap::fromPng(corrupt), nullptr);
    std::vector<uint8_t> text(200, 'x');
    EXPECT_EQ(qortk::Bitmap::fromPng(text), nullptr);
}

TEST(Bitmap, BlankBitmapIsTransparentAndNeverEmpty)
{
    auto blank = qortk::Bitmap::blank(400, 350);
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(blank->pixelWidth(), 400);
    EXPECT_EQ(blank->pixelRGBA(10, 10), 0u);
    auto tiny = qortk::Bitmap::blank(0, -3);
    ASSERT_NE(tiny, nullptr);
    EXPECT_EQ(tiny->pixelWidth(), 1);
    EXPECT_EQ(tiny->pixelHeight(), 1);
}

namespace
{
// Frames of 10 × 8 points, each filled with a grey that tells its column and row; counts the
// frames it draws.
struct GreyFrames
{
    int drawn = 0;
    qortk::Bitmap::FrameRenderer renderer()
    {
        return [this](double scale, int column, int row) -> cairo_surface_t* {
            ++drawn;
            cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(std::lround(10 * scale)),
                                                            static_cast<int>(std::lround(8 * scale)));
            cairo_t* cr = cairo_create(s);
            const double grey = (column * 2 + row + 1) / 10.0;
            cairo_set_source_rgb(cr, grey, grey, grey);
            cairo_paint(cr);
            cairo_destroy(cr);
            return s;
        };
    }
};
} // namespace

TEST(Bitmap, FramesAreDrawnOncePerScaleAtTheirExactPixelSize)
{
    auto strip = qortk::Bitmap::blank(40, 32); // 2 × 2 frames at scale 2
    strip->setScaleFactor(2.0);
    GreyFrames grey;
    EXPECT_EQ(strip->frameAt(1.5, 0, 0), nullptr) << "no drawing known yet";
    strip->setFrameRenderer({10, 8, 2, 2}, grey.renderer());
    const auto a = strip->frameAt(0.7, 1, 0);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->pixelWidth(), 7);
    EXPECT_EQ(a->pixelHeight(), 6); // 5.6 rounds up
    EXPECT_DOUBLE_EQ(a->scaleFactor(), 0.7);
    EXPECT_NEAR(qortk::PixelAccess::red(a->pixelRGBA(3, 3)), 0.3 * 255, 1.0);
    EXPECT_EQ(strip->frameAt(0.7, 1, 0), a) << "the same frame again is not drawn again";
    EXPECT_EQ(grey.drawn, 1);
    EXPECT_NE(strip->frameAt(2.76, 1, 0), a) << "another zoom draws anew";
    EXPECT_EQ(grey.drawn, 2);
    EXPECT_EQ(strip->frameAt(2.76, 1, 0)->pixelWidth(), 28);
    for (auto [c, r] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}})
        EXPECT_EQ(strip->frameAt(1.0, c, r), nullptr) << c << "," << r;
    EXPECT_EQ(strip->frameAt(0.0, 0, 0), nullptr);
    EXPECT_EQ(strip->frameAt(std::nan(""), 0, 0), nullptr);
    EXPECT_EQ(grey.drawn, 2) << "nothing is drawn for a frame that does not exist";
}

TEST(Bitmap, DrawnFramesStayWithinTheirBudgetLeastRecentlyUsedFirstOut)
{
    auto strip = qortk::Bitmap::blank(40, 32);
    GreyFrames grey;
    strip->setFrameRenderer({10, 8, 2, 2}, grey.renderer());
    // At scale 4 a frame is 40 × 32 pixels: 5120 bytes. Room for two.
    strip->setFrameBudget(2 * 5120);
    strip->frameAt(4.0, 0, 0);
    strip->frameAt(4.0, 0, 1);
    strip->frameAt(4.0, 0, 0); // now the most recent
    strip->frameAt(4.0, 1, 0); // pushes out (0, 1)
    EXPECT_EQ(strip->frameBytes(), 2u * 5120);
    EXPECT_EQ(grey.drawn, 3);
    strip->frameAt(4.0, 0, 0);
    EXPECT_EQ(grey.drawn, 3) << "the recently used frame was kept";
    strip->frameAt(4.0, 0, 1);
    EXPECT_EQ(grey.drawn, 4) << "the least recently used one was not";
    // A budget below one frame still keeps the frame in use.
    strip->setFrameBudget(100);
    EXPECT_EQ(strip->frameBytes(), 5120u);
    strip->frameAt(4.0, 0, 1);
    EXPECT_EQ(grey.drawn, 4);
    // A third scale leaves only the frames of the two most recent ones.
    strip->setFrameBudget(qortk::Bitmap::kDefaultFrameBudget);
    strip->frameAt(1.0, 0, 0);
    strip->frameAt(1.0, 1, 1);
    strip->frameAt(2.0, 0, 0);
    EXPECT_EQ(strip->frameBytes(), 2u * 320 + 1280) << "scale 4, older than the one before, is gone";
    strip->frameAt(4.0, 1, 1);
    EXPECT_EQ(strip->frameBytes(), 1280u + 5120) << "and then scale 1";
    // A failing drawing gives nothing and keeps nothing.
    strip->setFrameRenderer({10, 8, 2, 2}, [](double, int, int) -> cairo_surface_t* { return nullptr; });
    EXPECT_EQ(strip->frameAt(1.0, 0, 0), nullptr);
    EXPECT_EQ(strip->frameBytes(), 0u);
}

TEST(Bitmap, PixelsOfCompiledInBytesCanGoAndComeBackUnchanged)
{
    static const std::vector<uint8_t> bytes = samplePng(); // lives as long as the program
    auto kept = qortk::Bitmap::fromPng(bytes);
    ASSERT_NE(kept, nullptr);
    EXPECT_FALSE(kept->releasePixels()) << "bytes that may not outlive the bitmap are not decoded again";
    auto bitmap = qortk::Bitmap::fromStaticPng(bytes);
    ASSERT_NE(bitmap, nullptr);
    const uint32_t red = bitmap->pixelRGBA(1, 1), blue = bitmap->pixelRGBA(4, 2);
    EXPECT_TRUE(bitmap->releasePixels());
    EXPECT_FALSE(bitmap->hasPixels());
    EXPECT_EQ(bitmap->pixelWidth(), 6) << "the size is known without the pixels";
    EXPECT_EQ(bitmap->pixelHeight(), 4);
    EXPECT_EQ(bitmap->pixelRGBA(1, 1), red);
    EXPECT_EQ(bitmap->pixelRGBA(4, 2), blue);
    EXPECT_TRUE(bitmap->hasPixels());
    EXPECT_EQ(qortk::Bitmap::fromStaticPng(std::span(bytes).first(20)), nullptr);
}
