// Tells whether a rendered file carries an echo: zv_bench_echo IN OUT SECONDS prints how strong
// the difference between output and input is, relative to the input, over the last SECONDS of
// the input's length (0 means the output is the dry input alone). A plug-in that has not taken
// up its settings yet passes the input through, and its timing would mean nothing.
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
std::vector<float> readInterleaved(const char* path, SF_INFO& info) {
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (file == nullptr) return {};
    std::vector<float> samples(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    return samples;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s IN OUT SECONDS\n", argv[0]);
        return 2;
    }
    SF_INFO inInfo{}, outInfo{};
    const std::vector<float> in = readInterleaved(argv[1], inInfo);
    const std::vector<float> out = readInterleaved(argv[2], outInfo);
    if (in.empty() || out.empty() || inInfo.channels != 2 || outInfo.channels != 2 ||
        outInfo.frames < inInfo.frames) {
        std::fprintf(stderr, "%s: need two stereo files, the output at least as long\n", argv[0]);
        return 1;
    }
    const auto frames = static_cast<std::size_t>(inInfo.frames);
    const auto window = static_cast<std::size_t>(std::atof(argv[3]) * inInfo.samplerate);
    const std::size_t from = window < frames ? frames - window : 0;
    double difference = 0.0, signal = 0.0;
    for (std::size_t i = 2 * from; i < 2 * frames; ++i) {
        difference += (double(out[i]) - in[i]) * (double(out[i]) - in[i]);
        signal += double(in[i]) * in[i];
    }
    std::printf("%.6f\n", signal > 0.0 ? std::sqrt(difference / signal) : 0.0);
    return 0;
}
