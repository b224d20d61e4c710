#include "resources/artwork/Artwork.h"

namespace artwork
{

std::unique_ptr<Canvas> filmstrip(double frameWidth, double frameHeight, int frames, int columns,
                                  void (*paintFrame)(Canvas&, int frame, int frames))
{
    const int rows = (frames + columns - 1) / columns;
    auto strip = std::make_unique<Canvas>(frameWidth * columns, frameHeight * rows);
    for (int k = 0; k < frames; ++k)
    {
        Canvas frame(frameWidth, frameHeight);
        paintFrame(frame, k, frames);
        strip->blit(frame, 0, 0, frameWidth, frameHeight, (k / rows) * frameWidth, (k % rows) * frameHeight);
    }
    return strip;
}

} // namespace artwork
