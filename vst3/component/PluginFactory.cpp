#include "PluginFactory.h"

#include <cstring>
#include <new>

#include "DelayComponent.h"
#include "PluginIdentity.h"
#include "TextBuffer.h"
#include "Vst3Identity.h"

namespace {

template <std::size_t N>
void copyField(char (&field)[N], const char* text) {
    copyText(field, text, N - 1);
}

class DelayFactory final : public vst3::IPluginFactory2 {
public:
    vst3::tresult queryInterface(const vst3::TUID interfaceId, void** object) override {
        if (object == nullptr) return vst3::kInvalidArgument;
        if (vst3::FUnknown::iid.is(interfaceId) || vst3::IPluginFactory::iid.is(interfaceId) ||
            vst3::IPluginFactory2::iid.is(interfaceId)) {
            *object = this;
            return vst3::kResultOk;
        }
        *object = nullptr;
        return vst3::kNoInterface;
    }
    // One factory for the module's life: references are not counted.
    vst3::uint32 addRef() override { return 1; }
    vst3::uint32 release() override { return 1; }

    vst3::tresult getFactoryInfo(vst3::PFactoryInfo* info) override {
        if (info == nullptr) return vst3::kInvalidArgument;
        *info = vst3::PFactoryInfo{};
        copyField(info->vendor, plugin_identity::kVendorName);
        info->flags = vst3::PFactoryInfo::kUnicode;
        return vst3::kResultOk;
    }

    vst3::int32 countClasses() override { return 1; }

    vst3::tresult getClassInfo(vst3::int32 index, vst3::PClassInfo* info) override {
        if (index != 0 || info == nullptr) return vst3::kInvalidArgument;
        *info = vst3::PClassInfo{};
        std::memcpy(info->cid, vst3id::kClassId.bytes, sizeof info->cid);
        info->cardinality = vst3::PClassInfo::kManyInstances;
        copyField(info->category, vst3id::kCategory);
        copyField(info->name, plugin_identity::kEffectName);
        return vst3::kResultOk;
    }

    vst3::tresult getClassInfo2(vst3::int32 index, vst3::PClassInfo2* info) override {
        if (index != 0 || info == nullptr) return vst3::kInvalidArgument;
        *info = vst3::PClassInfo2{};
        std::memcpy(info->cid, vst3id::kClassId.bytes, sizeof info->cid);
        info->cardinality = vst3::PClassInfo::kManyInstances;
        copyField(info->category, vst3id::kCategory);
        copyField(info->name, plugin_identity::kEffectName);
        info->classFlags = 0;  // processor and controller are one object: not distributable
        copyField(info->subCategories, vst3id::kSubCategories);
        copyField(info->vendor, plugin_identity::kVendorName);
        copyField(info->version, plugin_identity::kVersionText);
        copyField(info->sdkVersion, vst3id::kSdkVersion);
        return vst3::kResultOk;
    }

    vst3::tresult createInstance(vst3::FIDString cid, vst3::FIDString interfaceId,
                                 void** object) override {
        if (object == nullptr) return vst3::kInvalidArgument;
        *object = nullptr;
        if (!vst3id::kClassId.is(cid)) return vst3::kNoInterface;
        DelayComponent* component = nullptr;
        try {
            component = createComponent();
        } catch (const std::bad_alloc&) {
            // Out of memory while building: a refusal, not an exception through the host's call.
            return vst3::kResultFalse;
        }
        if (component == nullptr) return vst3::kResultFalse;
        const vst3::tresult found =
            static_cast<vst3::IComponent*>(component)->queryInterface(interfaceId, object);
        // The host holds the reference the query gave, or none.
        static_cast<vst3::IComponent*>(component)->release();
        return found;
    }
};

}  // namespace

namespace plugin_factory {

vst3::IPluginFactory* instance() {
    static DelayFactory factory;
    return &factory;
}

}  // namespace plugin_factory
