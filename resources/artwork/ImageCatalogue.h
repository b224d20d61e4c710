#pragma once

#include "resources/artwork/Canvas.h"

#include <memory>

namespace artwork
{

// Every image of the product by resource id: its frame grid and the drawing of one frame at
// any scale. A filmstrip lays its frames out column by column: frame k at column k / rows,
// row k % rows; a single image is one frame.
class ImageCatalogue
{
public:
    struct Grid
    {
        double frameWidth;  // points
        double frameHeight; // points
        int frames;
        int columns;
        int rows() const { return (frames + columns - 1) / columns; }
    };

    // nullptr for an id that is not an image of the product.
    static const Grid* grid(int id);
    // One frame at a scale; nullptr for an unknown id or frame. The mode switch is drawn over
    // the panel: pass the panel at the same scale, or nullptr to have it drawn here.
    static std::unique_ptr<Canvas> drawFrame(int id, double scale, int frame, cairo_surface_t* panel = nullptr);
    // The whole image with its frames laid out, as it is committed (at scale 2).
    static std::unique_ptr<Canvas> drawImage(int id, double scale = Canvas::kScale);
};

} // namespace artwork
