#include "Renderer.h"

#include "HostCallback.h"
#include "HostError.h"

#include <algorithm>
#include <cmath>

namespace zvhost {

namespace {

// The plug-in gets channel buffers of its own, one block long, for as many pins as it declares;
// the file's two channels go to the first two inputs and come from the first two outputs.
class BlockBuffers {
public:
    BlockBuffers(VstInt32 inputs, VstInt32 outputs, VstInt32 blockSize)
        : _inputs(static_cast<std::size_t>(std::max(inputs, 0)),
                  std::vector<float>(static_cast<std::size_t>(blockSize))),
          _outputs(static_cast<std::size_t>(std::max(outputs, 0)),
                   std::vector<float>(static_cast<std::size_t>(blockSize))) {
        for (auto& channel : _inputs) _inputPointers.push_back(channel.data());
        for (auto& channel : _outputs) _outputPointers.push_back(channel.data());
    }

    void fill(const Audio& input, std::size_t start, std::size_t frames) {
        for (std::size_t c = 0; c < _inputs.size(); ++c) {
            const std::vector<float>* source = c == 0   ? &input.left
                                               : c == 1 ? &input.right
                                                        : nullptr;
            for (std::size_t i = 0; i < frames; ++i) {
                const std::size_t at = start + i;
                _inputs[c][i] = source != nullptr && at < source->size() ? (*source)[at] : 0.0f;
            }
        }
        for (auto& channel : _outputs) std::fill(channel.begin(), channel.end(), 0.0f);
    }

    void collect(Audio& output, std::size_t start, std::size_t frames) const {
        if (_outputs.empty()) return;
        const auto& left = _outputs[0];
        const auto& right = _outputs.size() > 1 ? _outputs[1] : _outputs[0];
        std::copy_n(left.begin(), frames, output.left.begin() + static_cast<std::ptrdiff_t>(start));
        std::copy_n(right.begin(), frames,
                    output.right.begin() + static_cast<std::ptrdiff_t>(start));
    }

    float** inputs() { return _inputPointers.data(); }
    float** outputs() { return _outputPointers.data(); }

private:
    std::vector<std::vector<float>> _inputs;
    std::vector<std::vector<float>> _outputs;
    std::vector<float*> _inputPointers;
    std::vector<float*> _outputPointers;
};

}  // namespace

Audio render(Plugin& plugin, const Audio& input, const ResolvedSettings& settings,
             const RenderOptions& options, const ProgressReport& progress) {
    AEffect& effect = plugin.effect();
    if ((effect.flags & effFlagsCanReplacing) == 0 || effect.processReplacing == nullptr)
        throw HostError(ExitStatus::plugin,
                        "the plug-in does not offer processReplacing: " + plugin.path());

    plugin.open(static_cast<float>(input.sampleRate), options.blockSize);
    HostState& host = hostState();
    apply(plugin, settings);
    plugin.dispatch(effMainsChanged, 0, 1);

    const auto tail =
        static_cast<std::size_t>(std::llround(options.tailSeconds * input.sampleRate));
    const std::size_t total = input.frames() + tail;
    Audio output;
    output.sampleRate = input.sampleRate;
    output.left.resize(total);
    output.right.resize(total);

    BlockBuffers buffers(effect.numInputs, effect.numOutputs, options.blockSize);
    const auto blockSize = static_cast<std::size_t>(options.blockSize);
    host.rendering = true;
    for (std::size_t start = 0; start < total; start += blockSize) {
        const std::size_t frames = std::min(blockSize, total - start);
        buffers.fill(input, start, frames);
        effect.processReplacing(&effect, buffers.inputs(), buffers.outputs(),
                                static_cast<VstInt32>(frames));
        buffers.collect(output, start, frames);
        if (progress) progress(static_cast<double>(start + frames) / static_cast<double>(total));
    }
    host.rendering = false;

    plugin.dispatch(effMainsChanged, 0, 0);
    plugin.close();
    return output;
}

}  // namespace zvhost
