#include "PluginInfo.h"

#include <array>
#include <cstdio>

namespace zvhost {

namespace {

// Plug-ins are told of short limits and often write past them: every text is read into a
// generous zeroed buffer and cut at its terminator.
using TextBuffer = std::array<char, 256>;

std::string askText(Plugin& plugin, VstInt32 opcode, VstInt32 index = 0) {
    return plugin.instance().text(opcode, index);
}

}  // namespace

std::string effectName(Plugin& plugin) { return askText(plugin, effGetEffectName); }
std::string vendorString(Plugin& plugin) { return askText(plugin, effGetVendorString); }
std::string productString(Plugin& plugin) { return askText(plugin, effGetProductString); }
VstIntPtr vendorVersion(Plugin& plugin) { return plugin.dispatch(effGetVendorVersion); }
VstIntPtr category(Plugin& plugin) { return plugin.dispatch(effGetPlugCategory); }

ParameterInfo parameter(Plugin& plugin, VstInt32 index) {
    ParameterInfo info;
    info.index = index;
    info.name = askText(plugin, effGetParamName, index);
    info.label = askText(plugin, effGetParamLabel, index);
    info.display = askText(plugin, effGetParamDisplay, index);
    info.value = plugin.effect().getParameter(&plugin.effect(), index);
    return info;
}

std::vector<ParameterInfo> parameters(Plugin& plugin) {
    std::vector<ParameterInfo> all;
    for (VstInt32 index = 0; index < plugin.effect().numParams; ++index)
        all.push_back(parameter(plugin, index));
    return all;
}

std::vector<std::string> programNames(Plugin& plugin) {
    const VstInt32 count = plugin.effect().numPrograms;
    std::vector<std::string> names;
    bool indexed = true;
    for (VstInt32 index = 0; index < count && indexed; ++index) {
        TextBuffer text{};
        indexed = plugin.dispatch(effGetProgramNameIndexed, index, 0, text.data()) != 0;
        text.back() = '\0';
        if (indexed) names.emplace_back(text.data());
    }
    if (indexed) return names;

    names.clear();
    const VstIntPtr current = plugin.dispatch(effGetProgram);
    for (VstInt32 index = 0; index < count; ++index) {
        plugin.dispatch(effSetProgram, 0, index);
        names.push_back(askText(plugin, effGetProgramName));
    }
    plugin.dispatch(effSetProgram, 0, current);
    return names;
}

std::string fourCharacters(VstInt32 identifier) {
    const auto bits = static_cast<std::uint32_t>(identifier);
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto c = static_cast<char>((bits >> shift) & 0xFFu);
        if (c < 0x20 || c > 0x7E) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08X", bits);
            return hex;
        }
        text += c;
    }
    return text;
}

std::string categoryName(VstIntPtr category) {
    static constexpr std::array<const char*, 12> names = {
        "unknown",     "effect",          "synth",       "analysis",
        "mastering",   "spatializer",     "room effect", "surround effect",
        "restoration", "offline process", "shell",       "generator"};
    if (category < 0 || category >= static_cast<VstIntPtr>(names.size())) return "unknown";
    return names[static_cast<std::size_t>(category)];
}

}  // namespace zvhost
