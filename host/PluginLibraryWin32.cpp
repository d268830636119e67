// PluginLibrary on Windows: the DLL opened with LoadLibrary, the entry point found with
// GetProcAddress.
#include <windows.h>

#include <sys/stat.h>

#include "PluginLibrary.h"

namespace {

[[noreturn]] void fail(const std::string& message) { throw PluginLoadError(message); }

// The system's own words for the last error, without the line break it ends with.
std::string lastErrorText() {
    const DWORD code = ::GetLastError();
    char buffer[512] = {};
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                         0, buffer, sizeof(buffer), nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text.empty() ? "error " + std::to_string(code) : text;
}

}  // namespace

PluginLibrary::PluginLibrary(const std::string& path) : _path(path) {
    struct _stat64 status {};
    if (::_stat64(path.c_str(), &status) != 0) fail("plug-in not found: " + path);
    if ((status.st_mode & _S_IFMT) != _S_IFREG) fail("plug-in is not a file: " + path);

    // The DLL's own folder is searched for what it imports, not the host's.
    HMODULE module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr) fail("cannot load plug-in " + path + ": " + lastErrorText());
    handle = module;
    entryPoint = reinterpret_cast<EntryPoint>(
        reinterpret_cast<void*>(::GetProcAddress(module, "VSTPluginMain")));
    if (entryPoint == nullptr) {
        ::FreeLibrary(module);
        fail("not a VST 2.4 plug-in (no VSTPluginMain): " + path);
    }
}

PluginLibrary::~PluginLibrary() { ::FreeLibrary(static_cast<HMODULE>(handle)); }
