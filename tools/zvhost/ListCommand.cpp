#include "Commands.h"

#include "ClapCommands.h"

#include "PluginInfo.h"
#include "PluginSearch.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>

namespace zvhost {

namespace {

std::string formatValue(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", static_cast<double>(value));
    return text;
}

}  // namespace

void runList(const Command& command, std::ostream& out) {
    const std::string path = command.pluginPath.empty() ? defaultPluginPath() : command.pluginPath;
    if (isClapFile(path)) return runClapList(path, out);
    Plugin plugin(path);
    plugin.open(kListSampleRate, kListBlockSize);

    const AEffect& effect = plugin.effect();
    const VstIntPtr pluginCategory = category(plugin);
    const auto row = [&out](const char* key, const std::string& value) {
        out << std::left << std::setw(11) << key << value << '\n';
    };
    row("plug-in", path);
    row("effect", effectName(plugin));
    row("vendor", vendorString(plugin));
    row("product", productString(plugin));
    row("version", std::to_string(vendorVersion(plugin)));
    row("unique ID", fourCharacters(effect.uniqueID));
    row("category", categoryName(pluginCategory) + " (" + std::to_string(pluginCategory) + ")");
    row("inputs", std::to_string(effect.numInputs));
    row("outputs", std::to_string(effect.numOutputs));

    const auto all = parameters(plugin);
    std::size_t nameWidth = 4, labelWidth = 5;
    for (const auto& info : all) {
        nameWidth = std::max(nameWidth, info.name.size());
        labelWidth = std::max(labelWidth, info.label.size());
    }
    out << "\nparameters (" << all.size() << ", shown at " << kListSampleRate << " Hz)\n";
    out << std::left << "  " << std::setw(6) << "index"
        << std::setw(static_cast<int>(nameWidth + 2)) << "name"
        << std::setw(static_cast<int>(labelWidth + 2)) << "label" << std::setw(10) << "value"
        << "display\n";
    for (const auto& info : all) {
        out << "  " << std::setw(6) << info.index << std::setw(static_cast<int>(nameWidth + 2))
            << info.name << std::setw(static_cast<int>(labelWidth + 2)) << info.label
            << std::setw(10) << formatValue(info.value) << info.display << '\n';
    }

    const auto programs = programNames(plugin);
    out << "\nprograms (" << programs.size() << ")\n";
    for (std::size_t i = 0; i < programs.size(); ++i)
        out << "  " << std::right << std::setw(3) << i << "  " << programs[i] << '\n';
    out << std::left;
    plugin.close();
}

}  // namespace zvhost
