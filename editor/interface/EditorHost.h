// What the editor needs of the side it edits, and nothing more: the parameters' current values
// and what the host's display makes of the delay, the values a reset returns to, the format's
// name, and a way to change one as the user's gesture. A plug-in format implements it over whatever
// it has (the effect itself, or only port values and a message to the host), so the editor never
// sees an effect object.
#pragma once

#include <optional>

#include "DelayLength.h"

class EditorHost {
public:
    // The parameter's current value, as the controls start from it.
    virtual float parameterValue(int index) = 0;
    // The delay length the Delay parameter's current value gives; nothing while the side does
    // not know the rate.
    virtual std::optional<DelayLength> delayLength() = 0;
    // The parameter's value in the factory program that is loaded: what a reset returns it to.
    virtual float factoryValue(int index) = 0;
    // The plug-in format the editor runs in, as the header letters it ("VST 2.4", "LV2").
    virtual const char* formatName() = 0;

    // A user's gesture on one parameter: begin, any number of changes, end. The host hears of
    // each, so it can record automation and knows the project changed. A change made this way is
    // not handed back to the editor that made it.
    virtual void beginGesture(int index) = 0;
    virtual void changeByGesture(int index, float value) = 0;
    virtual void endGesture(int index) = 0;

protected:
    ~EditorHost() = default;
};
