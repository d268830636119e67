#include "PluginSearch.h"

#include "HostError.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace zvhost {

namespace fs = std::filesystem;

namespace {

fs::path executableFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : self.parent_path();
}

}  // namespace

std::vector<std::string> pluginCandidates() {
    const std::string fileName = ZV_PLUGIN_FILE_NAME;
    std::vector<std::string> candidates;
    const auto add = [&](const fs::path& folder) {
        if (folder.empty()) return;
        const std::string path = (folder / fileName).lexically_normal().string();
        for (const auto& known : candidates)
            if (known == path) return;
        candidates.push_back(path);
    };

    const fs::path here = executableFolder();
    add(here);
    add(ZV_INSTALLED_VST_DIR);
    if (!here.empty()) add(here / ".." / "lib" / "vst");
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        add(fs::path(home) / ".vst");
    add("/usr/local/lib/vst");
    add("/usr/lib/vst");
    return candidates;
}

std::string defaultPluginPath() {
    const auto candidates = pluginCandidates();
    std::string tried;
    for (const auto& path : candidates) {
        std::error_code error;
        if (fs::is_regular_file(path, error)) return path;
        tried += (tried.empty() ? "" : ", ") + path;
    }
    throw HostError(ExitStatus::plugin, "cannot find the ZvDelay32 plug-in (looked in " + tried +
                                            "); use --plugin PATH");
}

}  // namespace zvhost
