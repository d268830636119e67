#include "TestFiles.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zvtest {

TemporaryFolder::TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zvtest.XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    _path = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code error;
    std::filesystem::permissions(_path, std::filesystem::perms::owner_all, error);
    std::filesystem::remove_all(_path, error);
}

std::vector<std::string> TemporaryFolder::entriesOf(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void writeWav(const std::string& path, int sampleRate, int channels,
              const std::vector<float>& interleaved) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) throw std::runtime_error("cannot write " + path);
    const auto frames =
        static_cast<sf_count_t>(interleaved.size() / static_cast<std::size_t>(channels));
    sf_writef_float(file, interleaved.data(), frames);
    sf_close(file);
}

WavContents readWav(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) throw std::runtime_error("cannot read " + path);
    WavContents contents;
    contents.sampleRate = info.samplerate;
    contents.channels = info.channels;
    contents.format = info.format;
    contents.interleaved.resize(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_float(file, contents.interleaved.data(), info.frames);
    sf_close(file);
    return contents;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<float> testSignal(int sampleRate, double seconds) {
    const auto frames = static_cast<std::size_t>(std::lround(seconds * sampleRate));
    std::vector<float> samples(frames * 2, 0.0f);
    std::uint32_t noise = 12345u;
    const double pi = std::acos(-1.0);
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double beat = std::fmod(t, 0.5);  // a sound every half second, silent after 0.2 s
        if (beat >= 0.2) continue;
        noise = noise * 1664525u + 1013904223u;
        const double hiss = static_cast<double>(noise >> 8) / 8388608.0 - 1.0;
        const double envelope = std::exp(-beat / 0.05);
        samples[2 * i] = static_cast<float>(0.6 * envelope * std::sin(2 * pi * 330.0 * t));
        samples[2 * i + 1] = static_cast<float>(0.4 * envelope * hiss);
    }
    return samples;
}

}  // namespace zvtest
