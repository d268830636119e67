// Writes the LV2 bundle's Turtle files into the folder given: run by the build, so the files
// always describe the tables the libraries were built from.
//   zv_lv2_ttl FOLDER MINOR MICRO
#include <cstdio>
#include <fstream>
#include <string>

#include "BundleFiles.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s FOLDER MINOR MICRO\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const BundleVersion version{std::stoi(argv[2]), std::stoi(argv[3])};
    for (const auto& [name, contents] : bundleFiles(version)) {
        std::ofstream file(folder + "/" + name, std::ios::binary | std::ios::trunc);
        file << contents;
        if (!file.flush()) {
            std::fprintf(stderr, "%s: cannot write %s/%s\n", argv[0], folder.c_str(), name.c_str());
            return 1;
        }
    }
    return 0;
}
