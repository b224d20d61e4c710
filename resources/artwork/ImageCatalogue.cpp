#include "resources/artwork/ImageCatalogue.h"

#include "resources/artwork/Artwork.h"
#include "resources/artwork/Layout.h"

#include <array>

namespace artwork
{
namespace
{
struct Entry
{
    int id;
    ImageCatalogue::Grid grid;
};

constexpr double kSwitchW = layout::kModeSwitch.right - layout::kModeSwitch.left;
constexpr double kSwitchH = layout::kModeSwitch.bottom - layout::kModeSwitch.top;

constexpr std::array<Entry, 12> kEntries{{
    {12128, {layout::kPanelWidth, layout::kPanelHeight, 1, 1}},
    {12129, {kSwitchW, kSwitchH, 3, 1}},
    {12130, {31, 31, 7, 1}},
    {12139, {31, 31, 7, 1}},
    {12151, {100, 43, 1, 1}},
    {12153, {100, 43, 1, 1}},
    {12171, {114, 114, 41, 7}},
    {12173, {114, 114, 21, 5}},
    {12177, {114, 114, 61, 8}},
    {12181, {70, 70, 7, 1}},
    {12200, {layout::kPanelWidth, layout::kPanelHeight, 1, 1}},
    {90001, {120, 120, 1, 1}},
}};
} // namespace

const ImageCatalogue::Grid* ImageCatalogue::grid(int id)
{
    for (const Entry& e : kEntries)
        if (e.id == id)
            return &e.grid;
    return nullptr;
}

std::unique_ptr<Canvas> ImageCatalogue::drawFrame(int id, double scale, int frame, cairo_surface_t* panel)
{
    const Grid* g = grid(id);
    if (!g || frame < 0 || frame >= g->frames || !(scale > 0.0))
        return nullptr;
    switch (id)
    {
    case 12128:
        return drawPanel(scale);
    case 12129:
    {
        if (panel)
            return drawModeSwitchFrame(scale, frame, panel);
        const auto drawn = drawPanel(scale);
        return drawModeSwitchFrame(scale, frame, drawn->surface());
    }
    case 12130:
    case 12139:
        return drawTrimKnobFrame(scale, id == 12139, frame);
    case 12151:
    case 12153:
        return drawMeterFace(id == 12151, scale);
    case 12171:
    case 12173:
    case 12177:
        return drawBigKnobFrame(scale, frame, g->frames);
    case 12181:
        return drawRatioKnobFrame(scale, frame);
    case 12200:
        return drawAboutPlate(scale);
    case 90001:
        return drawDesignerLogo(scale);
    default:
        return nullptr;
    }
}

std::unique_ptr<Canvas> ImageCatalogue::drawImage(int id, double scale)
{
    const Grid* g = grid(id);
    if (!g)
        return nullptr;
    const int rows = g->rows();
    auto image = std::make_unique<Canvas>(g->frameWidth * g->columns, g->frameHeight * rows, scale);
    std::unique_ptr<Canvas> panel;
    if (id == 12129)
        panel = drawPanel(scale);
    for (int k = 0; k < g->frames; ++k)
    {
        const auto frame = drawFrame(id, scale, k, panel ? panel->surface() : nullptr);
        image->blit(*frame, 0, 0, g->frameWidth, g->frameHeight, (k / rows) * g->frameWidth, (k % rows) * g->frameHeight);
    }
    return image;
}

} // namespace artwork
