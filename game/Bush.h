#pragma once

#include "engine/Object.h"

/// A bush of the overworld; the hero walks through it.
class Bush : public lm::Object {
public:
    Bush();
};
