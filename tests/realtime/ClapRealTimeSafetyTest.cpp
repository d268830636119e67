// The CLAP plug-in keeps the audio thread's promise too: process, with parameter events at frames
// inside the block, takes no memory from the heap, no lock and makes no system call.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "AudioThreadWatch.h"
#include "ClapHostedPlugin.h"
#include "ClapLibrary.h"
#include "FactoryPrograms.h"
#include "ParameterFields.h"
#include "RealTimeExpectations.h"
#include "StereoBuffer.h"

namespace {

// A fixed list of events, read without allocating.
struct EventList {
    std::array<clap_event_param_value_t, kNumParams + 1> events{};
    std::uint32_t count = 0;
    clap_input_events_t list{
        this,
        [](const clap_input_events_t* l) { return static_cast<const EventList*>(l->ctx)->count; },
        [](const clap_input_events_t* l, std::uint32_t i) {
            return &static_cast<const EventList*>(l->ctx)->events[i].header;
        }};
    void set(std::uint32_t at, std::uint32_t frame, int id, double value) {
        clap_event_param_value_t& event = events[at];
        event.header = {sizeof event, frame, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
        event.param_id = static_cast<clap_id>(id);
        event.note_id = -1;
        event.value = value;
    }
};

}  // namespace

// Every program's values sent as events at frames spread over blocks of 1 to 4096 frames, at
// 44100 Hz, with the delay moved in the middle of each block and buffers moved between blocks.
TEST(RealTime, TheBuiltClapPlugInProcessesEventsInsideBlocksFreeOfAllocationsLocksAndSystemCalls) {
    const ClapLibrary library(ZV_CLAP_PATH);
    ClapHostedPlugin clap(library);
    ASSERT_TRUE(clap.activate(44100.0, 4096));
    ASSERT_TRUE(clap.plugin().start_processing(&clap.plugin()));

    constexpr std::uint32_t kLongest = 4096;
    StereoBuffer in[2] = {noise(kLongest, 5), noise(kLongest, 6)};
    StereoBuffer out[2] = {StereoBuffer(kLongest), StereoBuffer(kLongest)};
    EventList events;
    clap_output_events_t toHost{
        nullptr, [](const clap_output_events_t*, const clap_event_header_t*) { return true; }};
    int side = 0;
    const auto hostAudioThread = [&] {
        for (int program = 0; program < kNumPrograms; ++program) {
            int step = 0;
            for (const std::uint32_t frames : {1u, 64u, 512u, kLongest}) {
                side = 1 - side;
                events.count = 0;
                for (int index = 0; index < kNumParams; ++index) {
                    events.set(events.count++, 0, index,
                               parameter_fields::load(kFactoryPrograms[program].values, index));
                }
                events.set(events.count++, frames / 2, kDelay, 0.25 * (4 - step++));
                float* inputs[2] = {in[side].left.data(), in[side].right.data()};
                float* outputs[2] = {out[side].left.data(), out[side].right.data()};
                clap_audio_buffer_t input{inputs, nullptr, 2, 0, 0};
                clap_audio_buffer_t output{outputs, nullptr, 2, 0, 0};
                clap_process_t block{};
                block.frames_count = frames;
                block.audio_inputs = &input;
                block.audio_outputs = &output;
                block.audio_inputs_count = 1;
                block.audio_outputs_count = 1;
                block.in_events = &events.list;
                block.out_events = &toHost;
                clap.plugin().process(&clap.plugin(), &block);
            }
        }
    };
    expectRealTimeSafe(hostAudioThread);
}
