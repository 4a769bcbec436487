#pragma once

#include "engine/Object.h"

/// A tree of the overworld; the hero cannot walk through it.
class Tree : public lm::Object {
public:
    Tree();
};
