// The module's one factory: it names the delay's class and makes its instances. The instance
// itself comes from the plug-in's assembly (createComponent), which chooses the editor.
#pragma once

#include "Vst3Factory.h"

class DelayComponent;

// Made by the plug-in's assembly: a component with one reference, or null.
DelayComponent* createComponent();

namespace plugin_factory {

// The factory the module hands out: one for the module's life, never deleted.
vst3::IPluginFactory* instance();

}  // namespace plugin_factory
