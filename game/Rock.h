#pragma once

#include "engine/Object.h"

/// A rock of the overworld; the hero cannot walk through it.
class Rock : public lm::Object {
public:
    Rock();
};
