#pragma once

#include "engine/Object.h"

/// A patch of grass; the hero walks through it.
class Grass : public lm::Object {
public:
    Grass();
};
