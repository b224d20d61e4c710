// Pictures of the panel: the frame colour in the strip, the panel at full resolution where no
// control lies, and each knob showing the filmstrip frame of its value, pixel for pixel at 200 %.
#include "QORLIB/gui/QorAnimKnob.h"
#include "resources/QorResourceTable.h"
#include "tests/vellaCor/editor/EditorHarness.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstring>
#include <span>

namespace
{
// A PNG of the product decoded on its own, read as unpremultiplied 0xRRGGBBAA.
struct Image
{
    cairo_surface_t* s;
    explicit Image(int id)
    {
        struct Reader
        {
            std::span<const uint8_t> bytes;
            size_t at = 0;
        } r{QorResourceTable::findImage(id)};
        auto read = [](void* c, unsigned char* out, unsigned n) {
            auto* reader = static_cast<Reader*>(c);
            if (n > reader->bytes.size() - reader->at)
                return CAIRO_STATUS_READ_ERROR;
            std::memcpy(out, reader->bytes.data() + reader->at, n);
            reader->at += n;
            return CAIRO_STATUS_SUCCESS;
        };
        s = cairo_image_surface_create_from_png_stream(read, &r);
    }
    ~Image() { cairo_surface_destroy(s); }
    uint32_t argb(int x, int y) const
    {
        uint32_t p;
        std::memcpy(&p, cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s) + 4 * x, 4);
        return p;
    }
    bool opaque(int x, int y) const { return (argb(x, y) >> 24) == 0xff; }
    uint32_t rgba(int x, int y) const { return (argb(x, y) << 8) | 0xff; }
};
} // namespace

TEST(EditorScreenshot, StripInTheFrameColourAndThePanelWhereNoControlLies)
{
    EditorHarness h(2.0);
    const Image panel(12128);
    ASSERT_EQ(h.backend().width(), 800);
    ASSERT_EQ(h.backend().height(), 654);
    h.backend().update();
    for (auto [x, y] : {std::pair{5, 5}, {400, 50}, {795, 100}})
        EXPECT_EQ(h.backend().pixel(x, y), 0x1e1e1effu) << x << "," << y;
    for (auto [x, y] : {std::pair{0, 0}, {1, 1}, {799, 549}, {36, 36}, {400, 540}, {20, 500}})
        EXPECT_EQ(h.backend().pixel(x, y + 104), panel.rgba(x, y)) << x << "," << y;
}

TEST(EditorScreenshot, EachKnobShowsTheFrameOfItsValue)
{
    EditorHarness h(2.0);
    struct Row
    {
        int tag;
        int bitmap;
    };
    for (const Row& row : {Row{4, 12173}, Row{5, 12171}, Row{6, 12177}, Row{2, 12181}, Row{3, 12130}, Row{7, 12139}})
    {
        const Image strip(row.bitmap);
        QorAnimKnob* knob = h.editor().getKnob(row.tag);
        const QorRect r = knob->getRect();
        for (double value : {0.0, 0.37, 1.0})
        {
            h.editor().setParameter(row.tag, value);
            h.backend().update();
            const QorPoint offset = knob->frameOffset(knob->currentFrame());
            int compared = 0, same = 0;
            // At 200 % one image pixel is one screen pixel; compare the frame's opaque pixels.
            for (int y = 0; y < 2 * int(r.height()); y += 3)
                for (int x = 0; x < 2 * int(r.width()); x += 3)
                {
                    const int sx = 2 * int(offset.x) + x, sy = 2 * int(offset.y) + y;
                    if (!strip.opaque(sx, sy))
                        continue;
                    ++compared;
                    same += h.backend().pixel(2 * int(r.left) + x, 2 * int(r.top) + 104 + y) == strip.rgba(sx, sy);
                }
            ASSERT_GT(compared, 50) << row.tag;
            EXPECT_EQ(same, compared) << "knob " << row.tag << " at " << value;
        }
    }
}

TEST(EditorScreenshot, AtZoomOneTheKnobPictureChangesWithItsValue)
{
    EditorHarness h(1.0);
    auto snapshot = [&] {
        h.backend().update();
        std::vector<uint32_t> pixels;
        for (int y = 143; y < 257; ++y)
            for (int x = 28; x < 142; ++x)
                pixels.push_back(h.backend().pixel(x, y + 52));
        return pixels;
    };
    h.editor().setParameter(4, 0.0);
    const auto low = snapshot();
    h.editor().setParameter(4, 0.02); // still frame 0
    EXPECT_EQ(snapshot(), low);
    h.editor().setParameter(4, 1.0);
    EXPECT_NE(snapshot(), low);
}
