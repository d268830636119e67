// The nine parameters as CLAP lists them: each one's id is its index in the parameter table
// (published, so never reordered), its range 0..1 as the core keeps it, the switches stepped; the
// texts are the VST 2 display and label, and a typed text is read back the core's way.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "ClapDelay.h"
#include "ClapOfferedExtensions.h"
#include "FactoryPrograms.h"
#include "ParameterFields.h"
#include "TextBuffer.h"

namespace {

// The display text is at most this long, as a VST 2 host's display takes it.
constexpr std::int32_t kDisplayLength = 8;

const ParameterRow* rowOf(clap_id id) {
    return id < static_cast<clap_id>(kNumParams) ? parameterRow(static_cast<std::int32_t>(id))
                                                 : nullptr;
}

bool getInfo(const clap_plugin_t*, std::uint32_t index, clap_param_info_t* info) {
    const ParameterRow* row = rowOf(index);
    if (row == nullptr || info == nullptr) return false;
    std::memset(info, 0, sizeof *info);
    info->id = index;
    info->flags = CLAP_PARAM_IS_AUTOMATABLE;
    if (row->display == DisplayRule::Switch) info->flags |= CLAP_PARAM_IS_STEPPED;
    copyText(info->name, row->name, CLAP_NAME_SIZE - 1);
    info->min_value = 0.0;
    info->max_value = 1.0;
    // A fresh instance loads the first program: its values are the defaults.
    info->default_value = parameter_fields::load(kFactoryPrograms[0].values, row->index);
    return true;
}

bool getValue(const clap_plugin_t* plugin, clap_id id, double* value) {
    if (rowOf(id) == nullptr || value == nullptr) return false;
    *value = ClapDelay::of(plugin).delayCore().parameter(static_cast<int>(id));
    return true;
}

bool valueToText(const clap_plugin_t* plugin, clap_id id, double value, char* text,
                 std::uint32_t capacity) {
    const ParameterRow* row = rowOf(id);
    if (row == nullptr || text == nullptr || capacity == 0 || std::isnan(value)) return false;
    char display[kDisplayLength + 1] = {};
    ClapDelay::of(plugin).delayCore().displayTextOf(
        row->index, static_cast<float>(std::clamp(value, 0.0, 1.0)), display, kDisplayLength);
    char both[kDisplayLength + 1 + 32] = {};
    copyText(both, display, kDisplayLength);
    if (row->label[0] != '\0') {
        std::strcat(both, " ");
        copyText(both + std::strlen(both), row->label, sizeof both - std::strlen(both) - 1);
    }
    copyText(text, both, capacity - 1);
    return true;
}

// The number, with or without the label value_to_text puts after it.
bool textToValue(const clap_plugin_t* plugin, clap_id id, const char* text, double* value) {
    const ParameterRow* row = rowOf(id);
    if (row == nullptr || text == nullptr || value == nullptr) return false;
    std::string_view typed(text);
    const std::string_view label(row->label);
    if (!label.empty() && typed.size() > label.size() && typed.ends_with(label)) {
        typed.remove_suffix(label.size());
    }
    char number[64] = {};
    if (typed.size() >= sizeof number) return false;
    typed.copy(number, typed.size());
    const std::optional<float> found =
        ClapDelay::of(plugin).delayCore().valueOfText(row->index, number);
    if (!found) return false;
    *value = *found;
    return true;
}

void flush(const clap_plugin_t* plugin, const clap_input_events_t* in,
           const clap_output_events_t* out) {
    ClapDelay::of(plugin).flush(in, out);
}

constexpr clap_plugin_params_t kParams{
    [](const clap_plugin_t*) { return static_cast<std::uint32_t>(kNumParams); },
    getInfo,
    getValue,
    valueToText,
    textToValue,
    flush,
};

}  // namespace

const clap_plugin_params_t& clapParams() { return kParams; }
