// A VST 2.4 plug-in's shared object, opened the way a Linux host opens it: dlopen, then the one
// entry point VSTPluginMain, which makes an instance and hands back its effect record.
#pragma once

#include <stdexcept>
#include <string>

#include "AEffect.h"

// Why a plug-in could not be loaded or started, in one line that names the file.
class PluginLoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class PluginLibrary {
public:
    // Throws PluginLoadError for a missing file, one dlopen refuses, or one without the entry
    // point.
    explicit PluginLibrary(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    const std::string& path() const { return _path; }

    // What the entry point answers, unchecked: hosts that misbehave on purpose need to see a
    // null record as it comes.
    AEffect* instantiate(audioMasterCallback host) const { return entryPoint(host); }

    // An instance a host can drive: throws PluginLoadError, without calling into the record, when
    // the entry point gives none or a record of another kind.
    AEffect* instantiateChecked(audioMasterCallback host) const;

private:
    using EntryPoint = AEffect* (*)(audioMasterCallback);

    std::string _path;
    void* handle = nullptr;
    EntryPoint entryPoint = nullptr;
};
