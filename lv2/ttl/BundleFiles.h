// The Turtle files of the LV2 bundle, made from the parameter and program tables: what a host
// reads to find the plug-in, its ports, its editor and its presets without loading any code.
#pragma once

#include <map>
#include <string>

struct BundleVersion {
    int minor;
    int micro;
};

// File name to contents: manifest.ttl, the plug-in's, the editor's and the presets' files.
std::map<std::string, std::string> bundleFiles(BundleVersion version);
