#include "ClapCommands.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>
#include <vector>

#include "ClapHostedPlugin.h"
#include "ClapLibrary.h"
#include "ClapPresetIndex.h"
#include "ClapSettings.h"
#include "Commands.h"
#include "HostError.h"

namespace zvhost {

bool isClapFile(const std::string& path) {
    return path.size() > 5 && path.compare(path.size() - 5, 5, ".clap") == 0;
}

void runClapList(const std::string& path, std::ostream& out) {
    const ClapLibrary library = openClap(path);
    ClapHostedPlugin plugin(library);
    plugin.activate(kListSampleRate, kListBlockSize);
    const clap_plugin_descriptor_t& descriptor = *plugin.plugin().desc;
    const auto row = [&out](const char* key, const std::string& value) {
        out << std::left << std::setw(11) << key << value << '\n';
    };
    std::string features;
    for (const char* const* f = descriptor.features; f != nullptr && *f != nullptr; ++f) {
        features += (features.empty() ? "" : ", ") + std::string(*f);
    }
    row("plug-in", path);
    row("effect", descriptor.name);
    row("vendor", descriptor.vendor);
    row("id", descriptor.id);
    row("version", descriptor.version);
    row("features", features);

    const std::vector<ClapParameter> all = clapParameters(plugin);
    std::size_t nameWidth = 4;
    for (const auto& info : all) nameWidth = std::max(nameWidth, info.name.size());
    out << "\nparameters (" << all.size() << ", shown at " << kListSampleRate << " Hz)\n";
    out << std::left << "  " << std::setw(6) << "id" << std::setw(static_cast<int>(nameWidth + 2))
        << "name" << std::setw(10) << "value"
        << "text\n";
    for (const auto& info : all) {
        char value[32];
        std::snprintf(value, sizeof value, "%.6f", info.value);
        out << "  " << std::setw(6) << info.id << std::setw(static_cast<int>(nameWidth + 2))
            << info.name << std::setw(10) << value << plugin.text(info.id, info.value) << '\n';
    }
    const std::vector<ClapPreset> presets = indexPresets(library);
    out << "\npresets (" << presets.size() << ")\n";
    for (std::size_t i = 0; i < presets.size(); ++i) {
        out << "  " << std::right << std::setw(3) << i << "  " << presets[i].name << '\n';
    }
    out << std::left;
}

// As the VST 2 render runs: the rate, the preset, the parameters, then blocks of the input and
// of the tail's silence.
Audio renderClap(const std::string& path, const Audio& input, const Command& command) {
    const ClapLibrary library = openClap(path);
    ClapHostedPlugin plugin(library);
    const auto block = static_cast<std::uint32_t>(command.options.blockSize);
    if (!plugin.activate(input.sampleRate, block)) {
        throw HostError(ExitStatus::plugin, path + ": the plug-in refused the rate");
    }
    applyClapSettings(library, plugin, command.settings);

    const auto tail = static_cast<std::size_t>(command.options.tailSeconds * input.sampleRate);
    Audio output;
    output.sampleRate = input.sampleRate;
    output.left = input.left;
    output.right = input.right;
    output.left.resize(input.frames() + tail, 0.0f);
    output.right.resize(input.frames() + tail, 0.0f);
    for (std::size_t start = 0; start < output.frames(); start += block) {
        const auto frames =
            static_cast<std::uint32_t>(std::min<std::size_t>(block, output.frames() - start));
        float* channels[2] = {output.left.data() + start, output.right.data() + start};
        plugin.process(channels, channels, frames);
    }
    return output;
}

}  // namespace zvhost
