// Writes every built-in image as a 24-bit .bmp file into the folder given as
// the only argument. Exits with 1, writing nothing more, when an image breaks
// one of the rules of validate.h.
#include "bmp.h"
#include "catalog.h"
#include "validate.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    for (const pkw::images::ImageLayout& layout : pkw::images::Catalog()) {
        const pkw::images::Image image = layout.draw();
        const auto problems = pkw::images::Validate(layout, image);
        for (const std::string& problem : problems)
            std::fprintf(stderr, "%s\n", problem.c_str());
        if (!problems.empty()) return 1;
        if (!pkw::images::WriteBmp24(folder + "/" + layout.file, image)) {
            std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), layout.file);
            return 1;
        }
    }
    return 0;
}
