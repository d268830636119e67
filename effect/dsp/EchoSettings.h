// The effect's current settings, as the signal path reads them afresh for every frame: the nine
// values, shared with any host thread that changes them, and the delay length they give at the
// host's rate.
#pragma once

#include <cstdint>

#include "EchoValues.h"

struct EchoSettings : EchoValues<Shared> {
    Shared<std::int32_t> delaySamples;  // the delay length the delay time gives at the rate
};
