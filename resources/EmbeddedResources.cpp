#include "EmbeddedResources.h"

#include "EmbeddedResourceTable.h"

#include <algorithm>

namespace {

std::string_view nameOf(const EmbeddedResource& resource) { return resource.name; }
std::string_view typeOf(const EmbeddedResource& resource) { return resource.type; }

bool comesBefore(const EmbeddedResource& resource, std::string_view name, std::string_view type) {
    const std::string_view resourceName = nameOf(resource);
    if (resourceName != name) return resourceName < name;
    return typeOf(resource) < type;
}

}  // namespace

const EmbeddedResource* findEmbeddedResource(std::string_view name, std::string_view type) {
    const EmbeddedResource* const begin = embeddedResourceTable;
    const EmbeddedResource* const end = embeddedResourceTable + embeddedResourceCount;
    // With an empty type this lands on the first entry of that name, whatever its type.
    const EmbeddedResource* const found = std::lower_bound(
        begin, end, type, [name](const EmbeddedResource& resource, std::string_view wanted) {
            return comesBefore(resource, name, wanted);
        });
    if (found == end || nameOf(*found) != name) return nullptr;
    if (!type.empty() && typeOf(*found) != type) return nullptr;
    return found;
}
