// The process-wide image holders: sizes in points, the blank fallback, one decode per process.
#include "QORLIB/gui/CQorBitmapWrapper.h"
#include "QORLIB/gui/QorBitmapGlobals.h"
#include "QORLIB/gui/QorSharedFonts.h"
#include "QORLIB/gui/QorFont.h"
#include "QORLIB/gui/toolkit/Bitmap.h"

#include <gtest/gtest.h>

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
