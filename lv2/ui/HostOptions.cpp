#include "HostOptions.h"

#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/parameters/parameters.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <cstring>

namespace {

const void* feature(const LV2_Feature* const* features, const char* uri) {
    for (auto* f = features; f != nullptr && *f != nullptr; ++f) {
        if (std::strcmp((*f)->URI, uri) == 0) return (*f)->data;
    }
    return nullptr;
}

template <typename T>
std::optional<double> numberAs(const LV2_Options_Option& option) {
    if (option.size != sizeof(T)) return std::nullopt;
    T number{};
    std::memcpy(&number, option.value, sizeof number);
    return static_cast<double>(number);
}

}  // namespace

HostOptions readHostOptions(const LV2_Feature* const* features) {
    HostOptions found;
    const auto* map = static_cast<const LV2_URID_Map*>(feature(features, LV2_URID__map));
    const auto* options =
        static_cast<const LV2_Options_Option*>(feature(features, LV2_OPTIONS__options));
    if (map == nullptr || options == nullptr) return found;
    const LV2_URID scaleFactor = map->map(map->handle, LV2_UI__scaleFactor);
    const LV2_URID sampleRate = map->map(map->handle, LV2_PARAMETERS__sampleRate);
    const LV2_URID floatType = map->map(map->handle, LV2_ATOM__Float);
    const LV2_URID doubleType = map->map(map->handle, LV2_ATOM__Double);
    const LV2_URID intType = map->map(map->handle, LV2_ATOM__Int);
    for (const LV2_Options_Option* option = options; option->key != 0; ++option) {
        if (option->value == nullptr) continue;
        std::optional<double> number;
        if (option->type == floatType) {
            number = numberAs<float>(*option);
        } else if (option->type == doubleType) {
            number = numberAs<double>(*option);
        } else if (option->type == intType) {
            number = numberAs<std::int32_t>(*option);
        }
        if (!number) continue;
        if (option->key == scaleFactor) found.scaleFactor = number;
        // A rate that is no positive number is no rate.
        if (option->key == sampleRate && *number > 0.0) found.sampleRate = number;
    }
    return found;
}
