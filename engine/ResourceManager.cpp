#include "ResourceManager.h"

namespace lm {

ResourceManager::ResourceManager() {
    setType("ResourceManager");
}

ResourceManager& ResourceManager::getInstance() {
    static ResourceManager instance;
    return instance;
}

}  // namespace lm
