// The process-wide image holders: sizes in points, the blank fallback, one decode per process,
// and each image drawn again at the zoom's own resolution.
#include "QORLIB/gui/CQorBitmapWrapper.h"
#include "QORLIB/gui/QorBitmapGlobals.h"
#include "QORLIB/gui/QorSharedFonts.h"
#include "QORLIB/gui/QorFont.h"
#include "QORLIB/gui/toolkit/Bitmap.h"
#include "QORLIB/gui/toolkit/DrawContext.h"
#include "QORLIB/gui/toolkit/Frame.h"
#include "QORLIB/gui/toolkit/OffscreenBackend.h"
#include "QORLIB/gui/toolkit/PixelAccess.h"
#include "resources/artwork/ImageCatalogue.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

TEST(BitmapResources, EveryImageMeasuresHalfItsPixelsInPoints)
{
    struct Expected
    {
        int32_t id;
        double width, height;
    };
    for (const Expected& e : {Expected{12128, 400, 275}, {12129, 106, 234}, {12181, 70, 490}, {12130, 31, 217},
                              {12139, 31, 217}, {12173, 570, 570}, {12171, 798, 684}, {12177, 912, 912},
                              {12151, 100, 43}, {12153, 100, 43}, {12200, 400, 275}, {90001, 120, 120}})
    {
        QorBitmap* b = QorBitmapGlobals::get(e.id);
        ASSERT_NE(b, nullptr) << e.id;
        EXPECT_EQ(b->getResourceId(), e.id);
        EXPECT_DOUBLE_EQ(b->getWidth(), e.width) << e.id;
        EXPECT_DOUBLE_EQ(b->getHeight(), e.height) << e.id;
    }
    EXPECT_EQ(QorBitmapGlobals::get(4711), nullptr) << "no holder for an id without an image";
}

TEST(BitmapResources, AnIdWithoutAnImageGivesABlankTwoHundredBy175PointBitmap)
{
    Qorwerk::CQorBitmapWrapper missing(4711);
    EXPECT_DOUBLE_EQ(missing.getWidth(), 200.0);
    EXPECT_DOUBLE_EQ(missing.getHeight(), 175.0);
    const auto& platform = missing.bitmap().platformBitmap();
    ASSERT_NE(platform, nullptr);
    EXPECT_EQ(platform->pixelWidth(), 400);
    EXPECT_EQ(platform->pixelHeight(), 350);
    EXPECT_EQ(platform->pixelRGBA(200, 100), 0u);
}

TEST(BitmapResources, ImagesAreDecodedOnFirstUseAndOnlyOnce)
{
    // The about plate is used by no other test of this binary, so it is still undecoded here.
    auto* about = dynamic_cast<Qorwerk::CQorBitmapWrapper*>(QorBitmapGlobals::get(12200));
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(about->bitmap().isLoaded());
    const qortk::Bitmap* first = about->bitmap().platformBitmap().get();
    EXPECT_TRUE(about->bitmap().isLoaded());
    about->getWidth();
    about->getHeight();
    EXPECT_EQ(about->bitmap().platformBitmap().get(), first);
    EXPECT_EQ(QorBitmapGlobals::get(12200), about) << "one holder per image for every editor";
    EXPECT_DOUBLE_EQ(first->scaleFactor(), 2.0);
}

TEST(SharedFonts, TheSharedFacesAndSizes)
{
    for (int size = 9; size <= 14; ++size)
    {
        const QorFont* f = QorSharedFonts::arial(size);
        ASSERT_NE(f, nullptr) << size;
        EXPECT_EQ(std::string(f->getName()), "Arial");
        EXPECT_DOUBLE_EQ(f->getSize(), size);
        EXPECT_EQ(QorSharedFonts::arial(size), f) << "shared, not made again";
    }
    EXPECT_EQ(QorSharedFonts::arial(8), nullptr);
    EXPECT_EQ(QorSharedFonts::arial(15), nullptr);
    EXPECT_EQ(std::string(QorSharedFonts::comicSans32()->getName()), "Comic Sans MS");
    EXPECT_DOUBLE_EQ(QorSharedFonts::comicSans32()->getSize(), 32);
    EXPECT_EQ(std::string(QorSharedFonts::helvetica12()->getName()), "Helvetica");
}

namespace
{
// A frame painting one frame of a holder's image at a zoom, with an opaque backdrop.
struct ZoomedImage
{
    qortk::Frame frame{qortk::Rect{0, 0, 200, 150}};
    qortk::OffscreenBackend* out;
    ZoomedImage(double zoom, const std::shared_ptr<qortk::Bitmap>& image, qortk::Rect dest, qortk::Point offset)
    {
        frame.setBackgroundColour({30, 30, 30, 255});
        frame.setZoomTransform(zoom);
        auto backend = std::make_unique<qortk::OffscreenBackend>(frame);
        out = backend.get();
        frame.setPlatform(std::move(backend));
        frame.addView(std::make_shared<Painter>(dest, image, offset));
    }
    struct Painter : qortk::View
    {
        Painter(qortk::Rect r, std::shared_ptr<qortk::Bitmap> b, qortk::Point o) : View(r), image(std::move(b)), offset(o) {}
        void draw(qortk::DrawContext& d) override { d.drawBitmap(*image, viewSize(), offset); }
        std::shared_ptr<qortk::Bitmap> image;
        qortk::Point offset;
    };
};

std::shared_ptr<qortk::Bitmap> holderImage(int32_t id)
{
    auto* wrapper = dynamic_cast<Qorwerk::CQorBitmapWrapper*>(QorBitmapGlobals::get(id));
    return wrapper ? wrapper->bitmap().platformBitmap() : nullptr;
}

// Every opaque pixel of the reference lies unchanged on the screen from (left, top); fully
// transparent ones show the backdrop. Returns how many opaque pixels were compared.
int expectOnScreen(qortk::OffscreenBackend& out, const qortk::Bitmap& reference, int sx, int sy, int w, int h, int left,
                   int top, const char* what)
{
    int opaque = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const uint32_t want = reference.pixelRGBA(sx + x, sy + y);
            const uint32_t got = out.pixel(left + x, top + y);
            if (qortk::PixelAccess::alpha(want) == 255)
            {
                ++opaque;
                EXPECT_EQ(got, want) << what << " at " << x << "," << y;
                if (got != want)
                    return opaque;
            }
            else if (qortk::PixelAccess::alpha(want) == 0)
            {
                EXPECT_EQ(got, 0x1e1e1effu) << what << " at " << x << "," << y;
            }
        }
    return opaque;
}
} // namespace

TEST(BitmapResources, KnobFramesAreDrawnAtTheZoomsOwnResolutionOncePerZoom)
{
    const auto ratio = holderImage(QorBitmapGlobals::kRatioKnob);
    ASSERT_NE(ratio, nullptr);
    ASSERT_TRUE(ratio->hasFrameRenderer());
    // Frame 6 ("10") of the 70-point pointer knob, placed at a fractional point position.
    const qortk::Rect dest{50.3, 20.6, 120.3, 90.6};
    for (double zoom : {0.7, 2.76})
    {
        const int before = ratio->framesDrawn();
        ZoomedImage screen(zoom, ratio, dest, {0.0, 6 * 70.0});
        const auto reference = artwork::ImageCatalogue::drawFrame(QorBitmapGlobals::kRatioKnob, zoom, 6);
        ASSERT_NE(reference, nullptr);
        const int n = static_cast<int>(std::lround(70 * zoom));
        ASSERT_EQ(reference->pixelWidth(), n);
        cairo_surface_flush(reference->surface());
        int opaque = 0;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
            {
                const uint32_t want = qortk::PixelAccess::rgba(reference->surface(), x, y);
                if (qortk::PixelAccess::alpha(want) != 255)
                    continue;
                ++opaque;
                const int sx = static_cast<int>(std::lround(dest.left * zoom)) + x;
                const int sy = static_cast<int>(std::lround(dest.top * zoom)) + y;
                ASSERT_EQ(screen.out->pixel(sx, sy), want) << "zoom " << zoom << " at " << x << "," << y;
            }
        EXPECT_GT(opaque, n * n / 10) << "the knob covers a good part of its frame";
        EXPECT_EQ(ratio->framesDrawn(), before + 1) << zoom;
        screen.frame.invalidateAll();
        screen.out->update();
        EXPECT_EQ(ratio->framesDrawn(), before + 1) << "drawn once per zoom, not per paint";
    }
}

TEST(BitmapResources, AtTwiceTheSizeTheCommittedImageIsDrawnPixelForPixel)
{
    const auto time = holderImage(QorBitmapGlobals::kTimeKnob);
    ASSERT_NE(time, nullptr);
    {
        Qorwerk::CQorBitmapWrapper fresh(QorBitmapGlobals::kTimeKnob);
        EXPECT_FALSE(fresh.bitmap().platformBitmap()->hasPixels())
            << "the stored strip (5 MB) is not kept while other zooms draw their own";
        Qorwerk::CQorBitmapWrapper missing(4711);
        EXPECT_TRUE(missing.bitmap().platformBitmap()->hasPixels()) << "the blank stand-in has nothing to draw again";
    }
    const int before = time->framesDrawn();
    // Frame 7 of 21 in 5 columns of 5 rows: column 1, row 2.
    ZoomedImage screen(2.0, time, {10, 10, 124, 124}, {114.0, 228.0});
    const int opaque = expectOnScreen(*screen.out, *time, 228, 456, 228, 228, 20, 20, "Time frame 7");
    EXPECT_GT(opaque, 228 * 228 / 6);
    EXPECT_EQ(time->framesDrawn(), before) << "nothing to draw at the committed scale";
    // The drawing of that frame at 2 is the committed frame.
    const auto drawn = time->frameAt(2.0, 1, 2);
    ASSERT_NE(drawn, nullptr);
    int differing = 0;
    for (int y = 0; y < 228; ++y)
        for (int x = 0; x < 228; ++x)
            differing += drawn->pixelRGBA(x, y) != time->pixelRGBA(228 + x, 456 + y);
    EXPECT_EQ(differing, 0);
}

TEST(BitmapResources, TheSwitchAtAFractionalZoomMeetsThePanelWithoutASeam)
{
    const auto panel = holderImage(QorBitmapGlobals::kPanel);
    const auto lever = holderImage(QorBitmapGlobals::kModeSwitch);
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(lever, nullptr);
    for (double zoom : {0.7, 1.5, 2.76})
    {
        const auto p = panel->frameAt(zoom, 0, 0);
        const auto s = lever->frameAt(zoom, 0, 1);
        ASSERT_NE(p, nullptr);
        ASSERT_NE(s, nullptr);
        // The switch's top band (above the washer) is the panel, pixel for pixel.
        const int left = static_cast<int>(std::lround(262 * zoom)), top = static_cast<int>(std::lround(46 * zoom));
        for (int y = 0; y < static_cast<int>(10 * zoom); ++y)
            for (int x = 0; x < s->pixelWidth(); ++x)
                ASSERT_EQ(s->pixelRGBA(x, y), p->pixelRGBA(left + x, top + y)) << zoom << " at " << x << "," << y;
    }
}

TEST(BitmapResources, ABigFilmstripAtFourHundredPercentKeepsOnlyItsBudget)
{
    const auto output = holderImage(QorBitmapGlobals::kOutputKnob);
    ASSERT_NE(output, nullptr);
    // 61 frames of 114 points: at 4 each is 456 × 456 pixels (831,744 bytes), the whole strip
    // 3648 × 3648 (53 MB). Turning the knob through twelve frames keeps ten.
    const int before = output->framesDrawn();
    for (int k = 0; k < 12; ++k)
        ASSERT_NE(output->frameAt(4.0, k / 8, k % 8), nullptr);
    EXPECT_EQ(output->framesDrawn(), before + 12);
    EXPECT_LE(output->frameBytes(), qortk::Bitmap::kDefaultFrameBudget);
    EXPECT_EQ(output->frameBytes(), 10u * 456 * 456 * 4);
    output->frameAt(4.0, 1, 3); // the last one is kept
    EXPECT_EQ(output->framesDrawn(), before + 12);
    output->frameAt(4.0, 0, 0); // the first is drawn again
    EXPECT_EQ(output->framesDrawn(), before + 13);
}
