// Two channels of audio in the shape the effect's process call takes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

struct StereoBuffer {
    std::vector<float> left, right;

    explicit StereoBuffer(std::size_t frames = 0) : left(frames, 0.0f), right(frames, 0.0f) {}
    std::size_t frames() const { return left.size(); }

    // The channel pointers, as a host hands them over.
    struct Channels {
        float* pointers[2];
        float** get() { return pointers; }
    };
    Channels channels() { return Channels{{left.data(), right.data()}}; }
};

// `input` through `process(in, out, frames)` in blocks of `framesPerBlock` (the last may be
// shorter), as a host calls an effect; `in` and `out` are the channel pointers at the block.
template <typename Process>
StereoBuffer inBlocks(StereoBuffer input, int framesPerBlock, Process&& process) {
    StereoBuffer output(input.frames());
    const auto step = static_cast<std::size_t>(framesPerBlock);
    for (std::size_t start = 0; start < input.frames(); start += step) {
        const std::size_t length = std::min(step, input.frames() - start);
        float* in[2] = {input.left.data() + start, input.right.data() + start};
        float* out[2] = {output.left.data() + start, output.right.data() + start};
        process(in, out, static_cast<int>(length));
    }
    return output;
}

// An impulse of the given height at one frame on one side.
inline StereoBuffer impulse(std::size_t frames, std::size_t at, float left, float right) {
    StereoBuffer buffer(frames);
    buffer.left[at] = left;
    buffer.right[at] = right;
    return buffer;
}

// Reproducible noise in -1..1, different for each seed.
inline StereoBuffer noise(std::size_t frames, unsigned seed) {
    StereoBuffer buffer(frames);
    unsigned state = seed * 2654435761u + 1u;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(static_cast<int>(state >> 8) - (1 << 23)) / float(1 << 23);
    };
    for (std::size_t i = 0; i < frames; ++i) {
        buffer.left[i] = next();
        buffer.right[i] = next();
    }
    return buffer;
}
