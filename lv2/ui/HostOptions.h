// What an LV2 host tells its UI through the options feature, where it tells it: the scale it
// draws at and the rate the plug-in runs at. Hosts differ in the type they give a number (most
// a float, some a double or an integer); each is taken.
#pragma once

#include <lv2/core/lv2.h>

#include <optional>

struct HostOptions {
    std::optional<double> scaleFactor;  // ui:scaleFactor
    std::optional<double> sampleRate;   // param:sampleRate, hertz
};

HostOptions readHostOptions(const LV2_Feature* const* features);
