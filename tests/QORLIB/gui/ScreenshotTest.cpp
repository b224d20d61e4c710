// The editor command's screenshot: frame colour where nothing paints, the product panel from
// (0, 52), at zoom 1 and 2, compared with the embedded PNG decoded on its own.
#include "QORLIB/gui/EditorPreview.h"
#include "resources/QorResourceTable.h"
#include "tests/support/TempDir.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace
{
struct Image
{
    cairo_surface_t* s = nullptr;
    explicit Image(cairo_surface_t* surface) : s(surface) {}
    ~Image() { cairo_surface_destroy(s); }
    int width() const { return cairo_image_surface_get_width(s); }
    int height() const { return cairo_image_surface_get_height(s); }
    // 0xAARRGGBB as stored (premultiplied; everything probed here is opaque).
    uint32_t at(int x, int y) const
    {
        uint32_t p;
        std::memcpy(&p, cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s) + 4 * x, 4);
        return p;
    }
};

struct Reader
{
    std::span<const uint8_t> bytes;
    size_t at = 0;
};

Image embeddedPanel()
{
    Reader r{QorResourceTable::findImage(12128)};
    auto read = [](void* c, unsigned char* out, unsigned n) {
        auto* reader = static_cast<Reader*>(c);
        if (n > reader->bytes.size() - reader->at)
            return CAIRO_STATUS_READ_ERROR;
        std::memcpy(out, reader->bytes.data() + reader->at, n);
        reader->at += n;
        return CAIRO_STATUS_SUCCESS;
    };
    return Image(cairo_image_surface_create_from_png_stream(read, &r));
}

int channel(uint32_t p, int shift) { return int((p >> shift) & 0xff); }

Image screenshot(double zoom)
{
    qortest::TempDir dir;
    const std::string path = (dir.path() / "editor.png").string();
    EXPECT_EQ(runEditorPreview(path, zoom), 0);
    return Image(cairo_image_surface_create_from_png(path.c_str()));
}
} // namespace

TEST(Screenshot, FrameColourInTheStripAndThePanelBelowItAtFullResolution)
{
    const Image shot = screenshot(2.0);
    const Image panel = embeddedPanel();
    ASSERT_EQ(shot.width(), 800);
    ASSERT_EQ(shot.height(), 654);
    for (auto [x, y] : {std::pair{5, 5}, {400, 50}, {795, 100}})
        EXPECT_EQ(shot.at(x, y), 0xff1e1e1eu) << x << "," << y;
    // At zoom 2 one panel pixel is one screen pixel, 104 pixels down (the strip).
    for (auto [x, y] : {std::pair{0, 0}, {1, 1}, {400, 300}, {170, 340}, {799, 549}, {36, 36}})
        EXPECT_EQ(shot.at(x, y + 104), panel.at(x, y)) << x << "," << y;
}

TEST(Screenshot, AtZoomOneEachScreenPixelAveragesFourPanelPixels)
{
    const Image shot = screenshot(1.0);
    const Image panel = embeddedPanel();
    ASSERT_EQ(shot.width(), 400);
    ASSERT_EQ(shot.height(), 327);
    EXPECT_EQ(shot.at(200, 20), 0xff1e1e1eu);
    for (auto [x, y] : {std::pair{100, 100}, {200, 150}, {50, 250}, {300, 30}})
    {
        for (int shift : {0, 8, 16})
        {
            const int mean = (channel(panel.at(2 * x, 2 * y), shift) + channel(panel.at(2 * x + 1, 2 * y), shift) +
                              channel(panel.at(2 * x, 2 * y + 1), shift) +
                              channel(panel.at(2 * x + 1, 2 * y + 1), shift)) /
                             4;
            EXPECT_NEAR(channel(shot.at(x, y + 52), shift), mean, 12) << x << "," << y;
        }
    }
}

TEST(Screenshot, ABadZoomOrPathFails)
{
    qortest::TempDir dir;
    EXPECT_EQ(runEditorPreview((dir.path() / "no" / "such" / "folder.png").string(), 1.0), 1);
    EXPECT_NE(runEditorPreview((dir.path() / "nan.png").string(), std::nan("")), 0);
}
