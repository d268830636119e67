// The editor's view as a VST 3 host embeds it, the host's frame around it, the content scale, and
// on Linux the host's run loop that delivers timers and file-descriptor events on its UI thread.
#pragma once

#include "Vst3Base.h"

namespace vst3 {

inline constexpr FIDString kPlatformTypeX11EmbedWindowID = "X11EmbedWindowID";
inline constexpr FIDString kPlatformTypeHWND = "HWND";
inline constexpr FIDString kEditorViewName = "editor";

struct ViewRect {
    int32 left;
    int32 top;
    int32 right;
    int32 bottom;
};

class IPlugFrame;

class IPlugView : public FUnknown {
public:
    static constexpr Uid iid{0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29};
    virtual tresult isPlatformTypeSupported(FIDString type) = 0;
    virtual tresult attached(void* parent, FIDString type) = 0;
    virtual tresult removed() = 0;
    virtual tresult onWheel(float distance) = 0;
    virtual tresult onKeyDown(char16 key, int16 keyCode, int16 modifiers) = 0;
    virtual tresult onKeyUp(char16 key, int16 keyCode, int16 modifiers) = 0;
    virtual tresult getSize(ViewRect* size) = 0;
    virtual tresult onSize(ViewRect* newSize) = 0;
    virtual tresult onFocus(TBool state) = 0;
    virtual tresult setFrame(IPlugFrame* frame) = 0;
    virtual tresult canResize() = 0;
    virtual tresult checkSizeConstraint(ViewRect* rect) = 0;

protected:
    ~IPlugView() = default;
};

class IPlugFrame : public FUnknown {
public:
    static constexpr Uid iid{0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3};
    virtual tresult resizeView(IPlugView* view, ViewRect* newSize) = 0;

protected:
    ~IPlugFrame() = default;
};

class IPlugViewContentScaleSupport : public FUnknown {
public:
    static constexpr Uid iid{0x65ED9690, 0x8AC44525, 0x8AADEF7A, 0x72EA703F};
    virtual tresult setContentScaleFactor(float factor) = 0;

protected:
    ~IPlugViewContentScaleSupport() = default;
};

class IEventHandler : public FUnknown {
public:
    static constexpr Uid iid{0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983};
    virtual void onFDIsSet(int fd) = 0;

protected:
    ~IEventHandler() = default;
};

class ITimerHandler : public FUnknown {
public:
    static constexpr Uid iid{0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9};
    virtual void onTimer() = 0;

protected:
    ~ITimerHandler() = default;
};

class IRunLoop : public FUnknown {
public:
    static constexpr Uid iid{0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389};
    virtual tresult registerEventHandler(IEventHandler* handler, int fd) = 0;
    virtual tresult unregisterEventHandler(IEventHandler* handler) = 0;
    virtual tresult registerTimer(ITimerHandler* handler, uint64 milliseconds) = 0;
    virtual tresult unregisterTimer(ITimerHandler* handler) = 0;

protected:
    ~IRunLoop() = default;
};

}  // namespace vst3
