// The VST 3 plug-in put together: the delay component, its editor shown in the host's X window.
#include "DelayComponent.h"
#include "PluginFactory.h"

DelayComponent* createComponent() { return new DelayComponent(); }
