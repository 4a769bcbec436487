#include "Manager.h"

#include "Object.h"
#include "WorldManager.h"

#include <utility>

namespace lm {

Manager::Manager() : type("Manager"), is_started(false) {}

Manager::~Manager() = default;

int Manager::startUp() {
    is_started = true;
    return 0;
}

void Manager::shutDown() {
    is_started = false;
}

bool Manager::isStarted() const {
    return is_started;
}

std::string Manager::getType() const {
    return type;
}

void Manager::setType(std::string new_type) {
    type = std::move(new_type);
}

int Manager::onEvent(const Event* p_event) const {
    // Objects leave the world only at the end of the world step, so every pointer of the copy
    // stays valid while the handlers run.
    const ObjectList objects = WorldManager::getInstance().getAllObjects();
    int count = 0;
    for (Object* p_object : objects) {
        p_object->eventHandler(p_event);
        ++count;
    }
    return count;
}

}  // namespace lm
