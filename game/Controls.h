#pragma once

#include "engine/Object.h"

/// The picture of the keys. Any key but C goes back to the title screen.
class Controls : public lm::Object {
public:
    Controls();

    int eventHandler(const lm::Event* p_event) override;
};
