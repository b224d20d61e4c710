// Draws every image of the product into a folder: qor-draw-artwork OUTPUT_FOLDER
#include "resources/artwork/Artwork.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    int failures = 0;
    auto save = [&](const artwork::Canvas& image, int id) {
        const std::string path = folder + "/" + std::to_string(id) + ".png";
        if (!image.writePng(path))
        {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            ++failures;
        }
    };
    const auto panel = artwork::drawPanel();
    save(*panel, 12128);
    save(*artwork::drawModeSwitch(*panel), 12129);
    save(*artwork::drawRatioKnob(), 12181);
    save(*artwork::drawTrimKnob(false), 12130);
    save(*artwork::drawTrimKnob(true), 12139);
    save(*artwork::drawBigKnob(21, 5), 12173);
    save(*artwork::drawBigKnob(41, 7), 12171);
    save(*artwork::drawBigKnob(61, 8), 12177);
    save(*artwork::drawMeterFace(true), 12151);
    save(*artwork::drawMeterFace(false), 12153);
    save(*artwork::drawAboutPlate(), 12200);
    save(*artwork::drawDesignerLogo(), 90001);
    return failures == 0 ? 0 : 1;
}
