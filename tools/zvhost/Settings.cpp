#include "Settings.h"

#include "HostError.h"
#include "PluginInfo.h"

#include <algorithm>
#include <cctype>
#include <functional>

namespace zvhost {

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// An exact match wins; otherwise a single match ignoring case.
std::optional<std::size_t> findName(const std::vector<std::string>& names,
                                    const std::string& wanted) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == wanted) return i;
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!sameIgnoringCase(names[i], wanted)) continue;
        if (found) return std::nullopt;
        found = i;
    }
    return found;
}

}  // namespace

std::optional<long> wholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stol(text);
}

namespace {

// A number below `count`, or one of the names; `kind` ("program", "parameter") names them in the
// message. The names are asked for only when no number was given.
VstInt32 findNumberOrName(const std::string& wanted, VstInt32 count,
                          const std::function<std::vector<std::string>()>& names,
                          const std::string& kind) {
    if (const auto number = wholeNumber(wanted)) {
        if (*number < count) return static_cast<VstInt32>(*number);
        throw HostError(ExitStatus::usage, "unknown " + kind + " " + wanted + ": the plug-in has " +
                                               std::to_string(count) + " " + kind + "s, 0 to " +
                                               std::to_string(count - 1));
    }
    if (const auto index = findName(names(), wanted)) return static_cast<VstInt32>(*index);
    throw HostError(ExitStatus::usage, "unknown " + kind + " '" + wanted +
                                           "' (zvhost list shows the " + kind + " names)");
}

}  // namespace

VstInt32 findProgram(Plugin& plugin, const std::string& numberOrName) {
    return findNumberOrName(
        numberOrName, plugin.effect().numPrograms, [&plugin] { return programNames(plugin); },
        "program");
}

VstInt32 findParameter(Plugin& plugin, const std::string& indexOrName) {
    const auto names = [&plugin] {
        std::vector<std::string> all;
        for (const auto& info : parameters(plugin)) all.push_back(info.name);
        return all;
    };
    return findNumberOrName(indexOrName, plugin.effect().numParams, names, "parameter");
}

ResolvedSettings resolve(Plugin& plugin, const RequestedSettings& requested) {
    ResolvedSettings resolved;
    if (!requested.program.empty()) resolved.program = findProgram(plugin, requested.program);
    for (const auto& [name, value] : requested.parameters)
        resolved.parameters.emplace_back(findParameter(plugin, name), value);
    return resolved;
}

void apply(Plugin& plugin, const ResolvedSettings& settings) {
    if (settings.program) plugin.dispatch(effSetProgram, 0, *settings.program);
    AEffect& effect = plugin.effect();
    for (const auto& [index, value] : settings.parameters)
        effect.setParameter(&effect, index, value);
}

}  // namespace zvhost
