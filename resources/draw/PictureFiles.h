#pragma once

#include <filesystem>

// Draws every picture the editor shows and writes each as a PNG into the folder: the 128 knob
// frames "fxknob0.png" to "fxknob127.png", "delaybackground.png", "switchoff.png" and
// "switchon.png". The same program gives the same bytes on every run.
void writePictures(const std::filesystem::path& folder);

// The editor as it looks with these pictures: the background copied, knobs at a spread of
// positions and the two switches blended over it at their places, read back from the folder.
void writeEditorPreview(const std::filesystem::path& pictureFolder,
                        const std::filesystem::path& previewFile);
