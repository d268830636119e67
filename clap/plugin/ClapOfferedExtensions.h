// The extensions the plug-in offers, each defined in a file of its own.
#pragma once

#include "ClapExtensions.h"

const clap_plugin_audio_ports_t& clapAudioPorts();
const clap_plugin_params_t& clapParams();
const clap_plugin_state_t& clapState();
const clap_plugin_latency_t& clapLatency();
const clap_plugin_tail_t& clapTail();
const clap_plugin_preset_load_t& clapPresetLoad();
