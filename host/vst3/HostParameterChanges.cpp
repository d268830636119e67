#include "HostParameterChanges.h"

namespace {
vst3::tresult answer(const vst3::TUID interfaceId, const vst3::Uid& own, void* self,
                     void** object) {
    const bool known = vst3::FUnknown::iid.is(interfaceId) || own.is(interfaceId);
    if (object != nullptr) *object = known ? self : nullptr;
    return known ? vst3::kResultOk : vst3::kNoInterface;
}
}  // namespace

vst3::tresult HostValueQueue::queryInterface(const vst3::TUID interfaceId, void** object) {
    return answer(interfaceId, vst3::IParamValueQueue::iid, this, object);
}

vst3::tresult HostValueQueue::getPoint(vst3::int32 index, vst3::int32& sampleOffset,
                                       vst3::ParamValue& value) {
    if (index < 0 || index >= getPointCount()) return vst3::kInvalidArgument;
    sampleOffset = points[static_cast<std::size_t>(index)].first;
    value = points[static_cast<std::size_t>(index)].second;
    return vst3::kResultOk;
}

vst3::tresult HostValueQueue::addPoint(vst3::int32 sampleOffset, vst3::ParamValue value,
                                       vst3::int32& index) {
    index = getPointCount();
    points.emplace_back(sampleOffset, value);
    return vst3::kResultOk;
}

vst3::tresult HostParameterChanges::queryInterface(const vst3::TUID interfaceId, void** object) {
    return answer(interfaceId, vst3::IParameterChanges::iid, this, object);
}

vst3::IParamValueQueue* HostParameterChanges::getParameterData(vst3::int32 index) {
    if (index < 0 || index >= getParameterCount()) return nullptr;
    return &queues[static_cast<std::size_t>(index)];
}

vst3::IParamValueQueue* HostParameterChanges::addParameterData(const vst3::ParamID& id,
                                                               vst3::int32& index) {
    for (std::size_t i = 0; i < queues.size(); ++i) {
        if (queues[i].getParameterId() == id) {
            index = static_cast<vst3::int32>(i);
            return &queues[i];
        }
    }
    index = getParameterCount();
    queues.emplace_back(id);
    return &queues.back();
}

void HostParameterChanges::add(vst3::ParamID id, vst3::int32 offset, vst3::ParamValue value) {
    vst3::int32 index = 0;
    addParameterData(id, index)->addPoint(offset, value, index);
}
