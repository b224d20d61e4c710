#include "QORLIB/gui/CQorBitmap.h"

#include "QORLIB/gui/CQorBitmapWrapper.h"
#include "QORLIB/gui/QorBitmapGlobals.h"
#include "QORLIB/gui/toolkit/Bitmap.h"
#include "resources/QorResourceTable.h"
#include "resources/artwork/ImageCatalogue.h"

#include <cairo.h>

#include <cmath>

namespace Qorwerk
{
namespace
{
// The panel at a scale, for the mode switch, whose frames carry the panel under them: taken
// from the panel's own holder, so that it is drawn once per zoom and the two meet exactly.
cairo_surface_t* panelAt(double scale)
{
    auto* wrapper = dynamic_cast<CQorBitmapWrapper*>(QorBitmapGlobals::get(QorBitmapGlobals::kPanel));
    if (!wrapper)
        return nullptr;
    const auto& panel = wrapper->bitmap().platformBitmap();
    const auto drawn = panel ? panel->frameAt(scale, 0, 0) : nullptr;
    return drawn ? cairo_surface_reference(drawn->surface()) : nullptr;
}

// The image's own drawing, when it has one whose frames tile the decoded image exactly.
bool attachRenderer(int32_t id, qortk::Bitmap& bitmap)
{
    const artwork::ImageCatalogue::Grid* grid = artwork::ImageCatalogue::grid(id);
    if (!grid)
        return false;
    const int rows = grid->rows();
    const double k = bitmap.scaleFactor();
    if (std::lround(grid->frameWidth * grid->columns * k) != bitmap.pixelWidth() ||
        std::lround(grid->frameHeight * rows * k) != bitmap.pixelHeight())
        return false;
    bitmap.setFrameRenderer({grid->frameWidth, grid->frameHeight, grid->columns, rows},
                            [id, rows](double scale, int column, int row) -> cairo_surface_t* {
                                cairo_surface_t* panel = id == QorBitmapGlobals::kModeSwitch ? panelAt(scale) : nullptr;
                                const auto frame = artwork::ImageCatalogue::drawFrame(id, scale, column * rows + row, panel);
                                if (panel)
                                    cairo_surface_destroy(panel);
                                if (!frame)
                                    return nullptr;
                                cairo_surface_flush(frame->surface());
                                return cairo_surface_reference(frame->surface());
                            });
    return true;
}
} // namespace

void CQorBitmap::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    const auto bytes = QorResourceTable::findImage(id_);
    if (!bytes.empty())
        platform_ = qortk::Bitmap::fromStaticPng(bytes);
    const bool decoded = platform_ != nullptr;
    if (!platform_)
        platform_ = qortk::Bitmap::blank(kBlankWidth, kBlankHeight);
    if (platform_)
        platform_->setScaleFactor(kScaleFactor);
    // An image drawn at each zoom's own resolution needs its stored pixels only at 200 %: they
    // are decoded again then (a big knob's strip alone is 13 MB).
    if (decoded && attachRenderer(id_, *platform_))
        platform_->releasePixels();
}

double CQorBitmap::getWidth()
{
    load();
    return platform_ ? platform_->width() : 0.0;
}

double CQorBitmap::getHeight()
{
    load();
    return platform_ ? platform_->height() : 0.0;
}

const std::shared_ptr<qortk::Bitmap>& CQorBitmap::platformBitmap()
{
    load();
    return platform_;
}

} // namespace Qorwerk
