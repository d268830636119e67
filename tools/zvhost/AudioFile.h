// Audio in and out of files, through libsndfile: any format it reads comes in; the output format
// follows the file name's extension.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zvhost {

// Two channels of single-precision samples at one rate.
struct Audio {
    int sampleRate = 0;
    std::vector<float> left;
    std::vector<float> right;

    std::size_t frames() const { return left.size(); }
};

// Reads a mono or stereo file; a mono file fills both channels. Throws HostError (input) for a
// missing, unreadable or non-audio file and for more than two channels.
Audio readAudio(const std::string& path);

// The libsndfile format for a file name: 32-bit float WAV unless the extension names another
// format (.flac, .ogg, .aiff, .caf, .w64, .au). Throws HostError (output) for an extension it
// cannot write.
int outputFormat(const std::string& path);

// Writes stereo audio. The file appears complete or not at all: the samples go to a temporary file
// in the same folder, which replaces `path` only when everything is written.
class AudioWriter {
public:
    // Checks the format and creates the temporary file; throws HostError (output).
    explicit AudioWriter(const std::string& path);
    ~AudioWriter();
    AudioWriter(const AudioWriter&) = delete;
    AudioWriter& operator=(const AudioWriter&) = delete;

    void write(const Audio& audio);

private:
    std::string _path;
    std::string _temporary;
    int _format;
};

void writeAudio(const std::string& path, const Audio& audio);

// True when both paths name one existing file (through links too).
bool sameFile(const std::string& a, const std::string& b);

}  // namespace zvhost
