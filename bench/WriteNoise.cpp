// Writes stereo noise at 48 kHz as a 32-bit float WAV file, the input of the whole-plug-in runs
// through zvhost: zv_bench_noise FILE SECONDS
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BenchSupport.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FILE SECONDS\n", argv[0]);
        return 2;
    }
    const long frames = std::lround(std::atof(argv[2]) * 48000.0);
    if (frames <= 0) {
        std::fprintf(stderr, "%s: SECONDS must be positive\n", argv[0]);
        return 2;
    }
    SF_INFO info{};
    info.samplerate = 48000;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(argv[1], SFM_WRITE, &info);
    if (file == nullptr) {
        std::fprintf(stderr, "%s: %s\n", argv[1], sf_strerror(nullptr));
        return 1;
    }
    const bench::NoiseSignal signal(static_cast<std::size_t>(frames), 5);
    std::vector<float> interleaved(static_cast<std::size_t>(frames) * 2);
    for (std::size_t i = 0; i < signal.left.size(); ++i) {
        interleaved[2 * i] = 0.5f * signal.left[i];
        interleaved[2 * i + 1] = 0.5f * signal.right[i];
    }
    const bool written = sf_writef_float(file, interleaved.data(), frames) == frames;
    sf_close(file);
    return written ? 0 : 1;
}
