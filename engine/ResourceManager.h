#pragma once

#include "SpriteResourceManager.h"

namespace lm {

/// The engine's single store of loaded resources: the sprites of the sprite store.
class ResourceManager : public SpriteResourceManager {
public:
    static ResourceManager& getInstance();

private:
    ResourceManager();
};

}  // namespace lm
