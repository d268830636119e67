// IComponent and IEditController both name their state calls setState and getState, for
// different states: one object implementing both would answer both with one function. These
// shims give each side's calls a name of its own.
#pragma once

#include "Vst3Controller.h"

class ProcessorSide : public vst3::IComponent {
public:
    vst3::tresult setState(vst3::IBStream* state) final { return setProcessorState(state); }
    vst3::tresult getState(vst3::IBStream* state) final { return getProcessorState(state); }

protected:
    ~ProcessorSide() = default;
    virtual vst3::tresult setProcessorState(vst3::IBStream* state) = 0;
    virtual vst3::tresult getProcessorState(vst3::IBStream* state) = 0;
};

class ControllerSide : public vst3::IEditController {
public:
    vst3::tresult setState(vst3::IBStream* state) final { return setControllerState(state); }
    vst3::tresult getState(vst3::IBStream* state) final { return getControllerState(state); }

protected:
    ~ControllerSide() = default;
    virtual vst3::tresult setControllerState(vst3::IBStream* state) = 0;
    virtual vst3::tresult getControllerState(vst3::IBStream* state) = 0;
};
