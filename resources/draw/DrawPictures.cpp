// zv_draw_pictures: draws the editor's pictures into a folder (the committed ones live in
// resources/png), or composes a preview of the editor from such a folder.
//
//   zv_draw_pictures FOLDER
//   zv_draw_pictures --preview FOLDER PREVIEW.png

#include "PictureFiles.h"

#include <cstdio>
#include <exception>
#include <string_view>

int main(int argc, char** argv) {
    try {
        if (argc == 2 && std::string_view(argv[1]) != "--preview") {
            writePictures(argv[1]);
            return 0;
        }
        if (argc == 4 && std::string_view(argv[1]) == "--preview") {
            writeEditorPreview(argv[2], argv[3]);
            return 0;
        }
        std::fprintf(stderr,
                     "usage: zv_draw_pictures FOLDER\n"
                     "       zv_draw_pictures --preview FOLDER PREVIEW.png\n");
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zv_draw_pictures: %s\n", error.what());
        return 1;
    }
}
