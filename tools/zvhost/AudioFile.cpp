#include "AudioFile.h"

#include "HostError.h"

#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace zvhost {

namespace {

struct CloseSoundFile {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, CloseSoundFile>;

[[noreturn]] void failInput(const std::string& message) {
    throw HostError(ExitStatus::input, message);
}
[[noreturn]] void failOutput(const std::string& message) {
    throw HostError(ExitStatus::output, message);
}

std::string lowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace

Audio readAudio(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        failInput("cannot read " + path + ": " + std::strerror(errno));
    if (S_ISDIR(status.st_mode)) failInput("cannot read " + path + ": it is a folder");
    if (::access(path.c_str(), R_OK) != 0)
        failInput("cannot read " + path + ": " + std::strerror(errno));

    SF_INFO info{};
    SoundFile file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
        failInput("not an audio file libsndfile can read: " + path + " (" + sf_strerror(nullptr) +
                  ")");
    if (info.channels > 2)
        failInput(path + " has " + std::to_string(info.channels) +
                  " channels; zvhost takes mono or stereo files");
    if (info.samplerate <= 0) failInput(path + " has no valid sample rate");

    const auto frames = static_cast<std::size_t>(std::max<sf_count_t>(info.frames, 0));
    std::vector<float> interleaved(frames * static_cast<std::size_t>(info.channels));
    const sf_count_t read = sf_readf_float(file.get(), interleaved.data(), info.frames);
    if (read < 0 || (read == 0 && frames > 0) || sf_error(file.get()) != SF_ERR_NO_ERROR)
        failInput("cannot decode " + path + ": " + sf_strerror(file.get()));

    Audio audio;
    audio.sampleRate = info.samplerate;
    const auto got = static_cast<std::size_t>(read);
    audio.left.resize(got);
    audio.right.resize(got);
    const auto channels = static_cast<std::size_t>(info.channels);
    for (std::size_t i = 0; i < got; ++i) {
        audio.left[i] = interleaved[i * channels];
        audio.right[i] = interleaved[i * channels + channels - 1];
    }
    return audio;
}

int outputFormat(const std::string& path) {
    struct Choice {
        const char* extension;
        int format;
    };
    static constexpr std::array<Choice, 9> choices = {{
        {".wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
        {".wave", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
        {".flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
        {".ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
        {".aif", SF_FORMAT_AIFF | SF_FORMAT_FLOAT},
        {".aiff", SF_FORMAT_AIFF | SF_FORMAT_FLOAT},
        {".caf", SF_FORMAT_CAF | SF_FORMAT_FLOAT},
        {".w64", SF_FORMAT_W64 | SF_FORMAT_FLOAT},
        {".au", SF_FORMAT_AU | SF_FORMAT_FLOAT},
    }};
    const std::string extension = lowerExtension(path);
    if (extension.empty()) return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    for (const auto& choice : choices)
        if (extension == choice.extension) return choice.format;
    failOutput("cannot write " + extension +
               " files; use .wav (32-bit float), .flac, .ogg, .aiff, .caf, .w64 or .au: " + path);
}

AudioWriter::AudioWriter(const std::string& path) : _path(path), _format(outputFormat(path)) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        failOutput("cannot write " + path + ": it is a folder");

    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) failOutput("cannot write " + path + ": " + std::strerror(errno));
    ::close(descriptor);
    _temporary = pattern;
}

AudioWriter::~AudioWriter() {
    if (!_temporary.empty()) std::remove(_temporary.c_str());
}

void AudioWriter::write(const Audio& audio) {
    SF_INFO info{};
    info.samplerate = audio.sampleRate;
    info.channels = 2;
    info.format = _format;
    if (!sf_format_check(&info))
        failOutput("cannot write " + _path + " at " + std::to_string(audio.sampleRate) +
                   " Hz in that format");
    {
        SoundFile file(sf_open(_temporary.c_str(), SFM_WRITE, &info));
        if (!file) failOutput("cannot write " + _path + ": " + sf_strerror(nullptr));
        std::vector<float> interleaved(audio.frames() * 2);
        for (std::size_t i = 0; i < audio.frames(); ++i) {
            interleaved[2 * i] = audio.left[i];
            interleaved[2 * i + 1] = audio.right[i];
        }
        const auto frames = static_cast<sf_count_t>(audio.frames());
        if (sf_writef_float(file.get(), interleaved.data(), frames) != frames)
            failOutput("cannot write " + _path + ": " + sf_strerror(file.get()));
        if (sf_close(file.release()) != 0) failOutput("cannot finish writing " + _path);
    }
    // mkstemp made the file private; give it the permissions a newly created file gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(_temporary.c_str(), 0666 & ~mask);
    if (std::rename(_temporary.c_str(), _path.c_str()) != 0)
        failOutput("cannot write " + _path + ": " + std::strerror(errno));
    _temporary.clear();
}

void writeAudio(const std::string& path, const Audio& audio) {
    AudioWriter writer(path);
    writer.write(audio);
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace zvhost
