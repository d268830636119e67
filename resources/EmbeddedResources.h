#pragma once

#include <cstddef>
#include <string_view>

// The plug-in's pictures, compiled into it as PNG bytes so that it is one self-contained file.
struct EmbeddedResource {
    const char* name;
    const char* type;
    const unsigned char* bytes;
    std::size_t size;
};

// The embedded resource with that name and type ("png"); an empty type matches any picture type.
// Null when there is none.
const EmbeddedResource* findEmbeddedResource(std::string_view name, std::string_view type);
