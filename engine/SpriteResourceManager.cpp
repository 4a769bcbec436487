#include "SpriteResourceManager.h"

#include "LogManager.h"
#include "Sprite.h"

namespace lm {

SpriteResourceManager::SpriteResourceManager() : sprites{}, sprite_count(0) {}

SpriteResourceManager::~SpriteResourceManager() {
    deleteSprites();
}

int SpriteResourceManager::startUp() {
    LogManager& log_manager = LogManager::getInstance();
    if (isStarted()) {
        log_manager.writeLog("SRM::startUp(): Already started.");
        return 0;
    }
    sprite_count = 0;
    Manager::startUp();
    log_manager.writeLog("SRM::startUp(): Successfully started.");
    return 0;
}

void SpriteResourceManager::shutDown() {
    deleteSprites();
    Manager::shutDown();
    LogManager::getInstance().writeLog("SRM::shutDown(): Successfully stopped.");
}

Sprite* SpriteResourceManager::getSprite(std::string label) const {
    for (int i = 0; i < sprite_count; ++i) {
        if (sprites[static_cast<std::size_t>(i)]->getLabel() == label) {
            return sprites[static_cast<std::size_t>(i)];
        }
    }
    return nullptr;
}

void SpriteResourceManager::deleteSprites() {
    for (int i = 0; i < sprite_count; ++i) {
        delete sprites[static_cast<std::size_t>(i)];
        sprites[static_cast<std::size_t>(i)] = nullptr;
    }
    sprite_count = 0;
}

}  // namespace lm
