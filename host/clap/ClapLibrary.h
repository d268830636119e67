// A CLAP plug-in's library, opened the way a host opens it: the one export clap_entry, its init
// with the library's path, and the factories it hands out. deinit and the unload at the end.
#pragma once

#include <string>

#include "ClapPlugin.h"

class ClapLibrary {
public:
    // Throws PluginLoadError (PluginLibrary.h) for a file that cannot be loaded, one without
    // clap_entry, of an interface version this host does not speak, or whose init fails.
    explicit ClapLibrary(const std::string& path);
    ~ClapLibrary();
    ClapLibrary(const ClapLibrary&) = delete;
    ClapLibrary& operator=(const ClapLibrary&) = delete;

    const std::string& path() const { return _path; }
    const clap_plugin_entry_t& entry() const { return *_entry; }
    // The factory of that id, or null.
    const void* factory(const char* id) const { return _entry->get_factory(id); }
    const clap_plugin_factory_t* pluginFactory() const {
        return static_cast<const clap_plugin_factory_t*>(factory(CLAP_PLUGIN_FACTORY_ID));
    }
    // The first plug-in's descriptor; throws PluginLoadError when the library has none.
    const clap_plugin_descriptor_t& firstPlugin() const;

private:
    std::string _path;
    void* handle = nullptr;
    const clap_plugin_entry_t* _entry = nullptr;
};
