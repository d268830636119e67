// Resident memory per additional instance of a plug-in, loaded with dlopen as a host loads it:
//   zv_bench_memory PLUGIN [--instances N] [--settings FILE] [--program N] [--label NAME]
// The first instance is made and run before the count starts, so what every instance shares
// (the library, the sine table, the C++ runtime) is not counted. Then N more are made, set and
// each run for a second of noise, so that all the memory they use has been touched; the growth
// of the process's resident set, divided by N, is printed as a CSV line for the table.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "PluginHosting.h"

namespace {

long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

constexpr VstInt32 kBlock = 512;

void runNoise(AEffect* effect, bench::NoiseSignal& noise) {
    std::vector<float> outL(kBlock), outR(kBlock);
    float* out[2] = {outL.data(), outR.data()};
    for (std::size_t start = 0; start + kBlock <= noise.left.size(); start += kBlock) {
        float* in[2] = {noise.left.data() + start, noise.right.data() + start};
        effect->processReplacing(effect, in, out, kBlock);
    }
}

HostedEffect startAndRun(const PluginLibrary& library, const std::vector<NamedSetting>& settings,
                         int program, bench::NoiseSignal& noise) {
    HostedEffect effect = startInstance(library, 48000.0f, kBlock);
    if (program >= 0) effect.call(effSetProgram, 0, program);
    applySettings(effect, settings);
    runNoise(effect.record(), noise);
    return effect;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: %s PLUGIN [--instances N] [--settings FILE] [--program N] "
                     "[--label NAME]\n",
                     argv[0]);
        return 2;
    }
    const std::string path = argv[1];
    int instances = 20;
    int program = -1;
    std::string settingsFile;
    std::string label = path;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--instances")
            instances = std::atoi(argv[i + 1]);
        else if (option == "--settings")
            settingsFile = argv[i + 1];
        else if (option == "--program")
            program = std::atoi(argv[i + 1]);
        else if (option == "--label")
            label = argv[i + 1];
    }
    if (instances < 1) return 2;

    PluginLibrary library(path);
    const std::vector<NamedSetting> settings =
        settingsFile.empty() ? std::vector<NamedSetting>{} : readNamedSettings(settingsFile);
    bench::NoiseSignal noise(48000, 9);
    std::vector<HostedEffect> effects;
    effects.push_back(startAndRun(library, settings, program, noise));
    // Plug-ins that set themselves up on a thread of their own get a moment to do so.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));

    const long before = residentBytes();
    for (int i = 0; i < instances; ++i)
        effects.push_back(startAndRun(library, settings, program, noise));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    for (const HostedEffect& effect : effects) runNoise(effect.record(), noise);
    const long after = residentBytes();

    std::printf("Memory/%s,median,bytes_per_instance,%ld\n", label.c_str(),
                (after - before) / instances);
    // Some plug-ins are not made to be unloaded or closed at exit; the process simply ends.
    std::fflush(stdout);
    std::_Exit(0);
}
