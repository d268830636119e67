// The parameter changes a host hands a processor with a block: one queue per parameter, points in
// order of their sample offsets. Room is made before audio runs, so filling it allocates nothing.
#pragma once

#include <utility>
#include <vector>

#include "Vst3Processing.h"

class HostValueQueue final : public vst3::IParamValueQueue {
public:
    explicit HostValueQueue(vst3::ParamID id = 0) : parameter(id) { points.reserve(64); }

    vst3::tresult queryInterface(const vst3::TUID interfaceId, void** object) override;
    vst3::uint32 addRef() override { return 1; }
    vst3::uint32 release() override { return 1; }

    vst3::ParamID getParameterId() override { return parameter; }
    vst3::int32 getPointCount() override { return static_cast<vst3::int32>(points.size()); }
    vst3::tresult getPoint(vst3::int32 index, vst3::int32& sampleOffset,
                           vst3::ParamValue& value) override;
    vst3::tresult addPoint(vst3::int32 sampleOffset, vst3::ParamValue value,
                           vst3::int32& index) override;

private:
    vst3::ParamID parameter;
    std::vector<std::pair<vst3::int32, vst3::ParamValue>> points;
};

class HostParameterChanges final : public vst3::IParameterChanges {
public:
    HostParameterChanges() { queues.reserve(32); }

    vst3::tresult queryInterface(const vst3::TUID interfaceId, void** object) override;
    vst3::uint32 addRef() override { return 1; }
    vst3::uint32 release() override { return 1; }

    vst3::int32 getParameterCount() override { return static_cast<vst3::int32>(queues.size()); }
    vst3::IParamValueQueue* getParameterData(vst3::int32 index) override;
    vst3::IParamValueQueue* addParameterData(const vst3::ParamID& id, vst3::int32& index) override;

    // A point for parameter `id` at `offset` (appended to its queue).
    void add(vst3::ParamID id, vst3::int32 offset, vst3::ParamValue value);
    void clear() { queues.clear(); }

private:
    std::vector<HostValueQueue> queues;
};
