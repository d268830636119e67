#pragma once

#include "EmbeddedResources.h"

#include <cstddef>

// Every embedded resource, sorted by name and then type (byte by byte, as std::string_view
// compares), each pair once. Written at build time from the PNG files in resources/png; plain
// constant data, ready before any code of the plug-in runs.
extern const EmbeddedResource embeddedResourceTable[];
extern const std::size_t embeddedResourceCount;
