// A PNG of what the effect did: the input's and the output's waveforms, channel by channel, on one
// time axis.
#pragma once

#include "AudioFile.h"

#include <string>

namespace zvhost {

constexpr int kPictureWidth = 1200;
constexpr int kPictureHeight = 720;

// Four lanes, top to bottom: input left, input right, output left, output right. Throws HostError
// (output) when the file cannot be written.
void drawWaveformPicture(const Audio& input, const Audio& output, const std::string& title,
                         const std::string& path);

}  // namespace zvhost
