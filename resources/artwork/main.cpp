// Draws every image of the product into a folder: qor-draw-artwork OUTPUT_FOLDER
#include "resources/artwork/ImageCatalogue.h"

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
    for (int id : {12128, 12129, 12181, 12130, 12139, 12173, 12171, 12177, 12151, 12153, 12200, 90001})
    {
        const std::string path = folder + "/" + std::to_string(id) + ".png";
        const auto image = artwork::ImageCatalogue::drawImage(id);
        if (!image || !image->writePng(path))
        {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
