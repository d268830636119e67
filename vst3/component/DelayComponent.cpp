// The component's identity, lifetime, buses and state.
#include "DelayComponent.h"

#include <array>
#include <string_view>

#include "SavedState.h"
#include "StreamTransfer.h"
#include "Utf16Text.h"
#include "Vst3View.h"

namespace {
// The rate before the host's setup: the VST 2 plug-in's default, so both start alike.
constexpr float kRateBeforeSetup = 44100.0f;
constexpr vst3::int32 kStereoChannels = 2;
}  // namespace

DelayComponent::DelayComponent(ViewFactory viewFactory)
    : core(kRateBeforeSetup), editorHost(core), makeView(viewFactory) {}

DelayComponent::~DelayComponent() { terminate(); }

vst3::tresult DelayComponent::queryInterface(const vst3::TUID interfaceId, void** object) {
    if (object == nullptr) return vst3::kInvalidArgument;
    void* found = nullptr;
    if (vst3::FUnknown::iid.is(interfaceId) || vst3::IPluginBase::iid.is(interfaceId) ||
        vst3::IComponent::iid.is(interfaceId)) {
        found = static_cast<vst3::IComponent*>(this);
    } else if (vst3::IAudioProcessor::iid.is(interfaceId)) {
        found = static_cast<vst3::IAudioProcessor*>(this);
    } else if (vst3::IEditController::iid.is(interfaceId)) {
        found = static_cast<vst3::IEditController*>(this);
    } else if (vst3::IUnitInfo::iid.is(interfaceId)) {
        found = static_cast<vst3::IUnitInfo*>(this);
    }
    *object = found;
    if (found == nullptr) return vst3::kNoInterface;
    addRef();
    return vst3::kResultOk;
}

vst3::uint32 DelayComponent::addRef() {
    return references.fetch_add(1, std::memory_order_relaxed) + 1;
}

vst3::uint32 DelayComponent::release() {
    const vst3::uint32 left = references.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) delete this;
    return left;
}

vst3::tresult DelayComponent::initialize(vst3::FUnknown* /*context*/) { return vst3::kResultOk; }

vst3::tresult DelayComponent::terminate() {
    setComponentHandler(nullptr);
    return vst3::kResultOk;
}

// Processor and controller are this one object: there is no controller class to name.
vst3::tresult DelayComponent::getControllerClassId(vst3::TUID /*classId*/) {
    return vst3::kResultFalse;
}

vst3::tresult DelayComponent::setIoMode(vst3::int32 /*mode*/) { return vst3::kResultOk; }

vst3::int32 DelayComponent::getBusCount(vst3::int32 type, vst3::int32 direction) {
    const bool audio = type == vst3::kAudio;
    const bool known = direction == vst3::kInput || direction == vst3::kOutput;
    return audio && known ? 1 : 0;
}

vst3::tresult DelayComponent::getBusInfo(vst3::int32 type, vst3::int32 direction, vst3::int32 index,
                                         vst3::BusInfo& bus) {
    if (index != 0 || getBusCount(type, direction) == 0) return vst3::kInvalidArgument;
    bus.mediaType = vst3::kAudio;
    bus.direction = direction;
    bus.channelCount = kStereoChannels;
    utf16::copyInto(bus.name, direction == vst3::kInput ? "Stereo In" : "Stereo Out");
    bus.busType = vst3::kMain;
    bus.flags = vst3::BusInfo::kDefaultActive;
    return vst3::kResultOk;
}

vst3::tresult DelayComponent::getRoutingInfo(vst3::RoutingInfo& /*inInfo*/,
                                             vst3::RoutingInfo& /*outInfo*/) {
    return vst3::kNotImplemented;
}

vst3::tresult DelayComponent::activateBus(vst3::int32 type, vst3::int32 direction,
                                          vst3::int32 index, vst3::TBool /*state*/) {
    if (index != 0 || getBusCount(type, direction) == 0) return vst3::kInvalidArgument;
    return vst3::kResultOk;
}

vst3::tresult DelayComponent::setActive(vst3::TBool state) {
    // Audio starts again from silent lines, as after a VST 2 host's resume.
    if (state != 0) core.resume();
    return vst3::kResultOk;
}

vst3::tresult DelayComponent::setProcessorState(vst3::IBStream* state) {
    // One byte more than a state holds, so that a longer stream is seen and refused.
    std::array<std::uint8_t, saved_state::kBytes + 1> bytes{};
    const std::size_t size = stream_transfer::readUpTo(state, bytes.data(), bytes.size());
    if (!saved_state::restore(core, bytes.data(), size)) return vst3::kResultFalse;
    tellHostValuesChanged();
    return vst3::kResultOk;
}

vst3::tresult DelayComponent::getProcessorState(vst3::IBStream* state) {
    const std::vector<std::uint8_t> bytes = saved_state::save(core);
    return stream_transfer::writeAll(state, bytes.data(), bytes.size()) ? vst3::kResultOk
                                                                        : vst3::kResultFalse;
}

// Everything is in the processor's state: the controller's own is empty.
vst3::tresult DelayComponent::setControllerState(vst3::IBStream* /*state*/) {
    return vst3::kResultOk;
}
vst3::tresult DelayComponent::getControllerState(vst3::IBStream* /*state*/) {
    return vst3::kResultOk;
}

// The host hands the controller the processor's state: here that is this object's own, already
// in place.
vst3::tresult DelayComponent::setComponentState(vst3::IBStream* /*state*/) {
    return vst3::kResultOk;
}

vst3::IPlugView* DelayComponent::createView(vst3::FIDString name) {
    if (makeView == nullptr || name == nullptr || std::string_view(name) != vst3::kEditorViewName) {
        return nullptr;
    }
    return makeView(*this);
}
