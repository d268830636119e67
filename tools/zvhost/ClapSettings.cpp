#include "ClapSettings.h"

#include "ClapPresetIndex.h"
#include "HostError.h"
#include "PluginLibrary.h"

namespace zvhost {

ClapLibrary openClap(const std::string& path) {
    try {
        return ClapLibrary(path);
    } catch (const PluginLoadError& error) {
        throw HostError(ExitStatus::plugin, error.what());
    }
}

std::vector<ClapParameter> clapParameters(const ClapHostedPlugin& plugin) {
    std::vector<ClapParameter> all;
    const auto* params = plugin.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    if (params == nullptr) return all;
    for (std::uint32_t i = 0; i < params->count(&plugin.plugin()); ++i) {
        clap_param_info_t info{};
        if (!params->get_info(&plugin.plugin(), i, &info)) continue;
        info.name[CLAP_NAME_SIZE - 1] = '\0';
        all.push_back({info.id, info.name, plugin.value(info.id)});
    }
    return all;
}

namespace {

void loadPreset(const ClapLibrary& library, ClapHostedPlugin& plugin, const std::string& wanted) {
    const std::vector<ClapPreset> presets = indexPresets(library);
    const ClapPreset* chosen = nullptr;
    if (const auto number = wholeNumber(wanted);
        number && *number < static_cast<long>(presets.size())) {
        chosen = &presets[static_cast<std::size_t>(*number)];
    }
    for (const ClapPreset& preset : presets) {
        if (chosen == nullptr && preset.name == wanted) chosen = &preset;
    }
    const auto* load = plugin.extension<clap_plugin_preset_load_t>(CLAP_EXT_PRESET_LOAD);
    if (chosen == nullptr || load == nullptr) {
        throw HostError(ExitStatus::usage, "no preset " + wanted + " in " + library.path());
    }
    const char* location = chosen->location ? chosen->location->c_str() : nullptr;
    if (!load->from_location(&plugin.plugin(), chosen->locationKind, location,
                             chosen->loadKey.c_str())) {
        throw HostError(ExitStatus::plugin, "the plug-in could not load preset " + wanted);
    }
}

clap_id parameterId(const std::vector<ClapParameter>& all, const std::string& wanted) {
    const auto number = wholeNumber(wanted);
    for (const ClapParameter& parameter : all) {
        if (parameter.name == wanted || (number && *number == static_cast<long>(parameter.id))) {
            return parameter.id;
        }
    }
    throw HostError(ExitStatus::usage, "no parameter " + wanted);
}

}  // namespace

void applyClapSettings(const ClapLibrary& library, ClapHostedPlugin& plugin,
                       const RequestedSettings& settings) {
    if (!settings.program.empty()) loadPreset(library, plugin, settings.program);
    const std::vector<ClapParameter> all = clapParameters(plugin);
    std::vector<ClapParamChange> changes;
    for (const auto& [name, value] : settings.parameters) {
        changes.push_back({0, parameterId(all, name), value});
    }
    if (!changes.empty()) plugin.flush(changes);
}

}  // namespace zvhost
