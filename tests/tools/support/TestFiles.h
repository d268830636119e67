// Temporary folders and small audio files for the tests.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zvtest {

// A fresh folder, removed with everything in it when the object goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return _path; }
    std::string file(const std::string& name) const { return (_path / name).string(); }
    std::vector<std::string> entries() const { return entriesOf(_path.string()); }
    static std::vector<std::string> entriesOf(const std::string& folder);  // file names, sorted

private:
    std::filesystem::path _path;
};

// Interleaved samples of `channels` channels, written as 32-bit float WAV.
void writeWav(const std::string& path, int sampleRate, int channels,
              const std::vector<float>& interleaved);

struct WavContents {
    int sampleRate = 0;
    int channels = 0;
    int format = 0;
    std::vector<float> interleaved;
    std::size_t frames() const {
        return channels > 0 ? interleaved.size() / static_cast<std::size_t>(channels) : 0;
    }
};
WavContents readWav(const std::string& path);

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

// A stereo test signal: decaying tones and noise bursts with silence between, different on each
// side.
std::vector<float> testSignal(int sampleRate, double seconds);

}  // namespace zvtest
