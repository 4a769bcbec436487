#include "Animation.h"

#include "Sprite.h"

#include <utility>

namespace lm {

Animation::Animation() : sprite(nullptr), index(0), slowdown_count(0) {}

void Animation::setSprite(Sprite* p_new_sprite) {
    sprite = p_new_sprite;
}

Sprite* Animation::getSprite() const {
    return sprite;
}

void Animation::setName(std::string new_name) {
    name = std::move(new_name);
}

std::string Animation::getName() const {
    return name;
}

void Animation::setIndex(int new_index) {
    index = new_index;
}

int Animation::getIndex() const {
    return index;
}

void Animation::setSlowdownCount(int new_slowdown_count) {
    slowdown_count = new_slowdown_count;
}

int Animation::getSlowdownCount() const {
    return slowdown_count;
}

int Animation::draw(Vector position) {
    if (sprite == nullptr) {
        return -1;
    }
    sprite->draw(index, position);
    if (slowdown_count == -1) {
        return -1;
    }
    int count = slowdown_count + 1;
    if (count >= sprite->getSlowdown()) {
        count = 0;
        // Greater-or-equal: an index left beyond a shorter sprite's last frame also wraps to 0.
        index = index + 1 >= sprite->getFrameCount() ? 0 : index + 1;
    }
    slowdown_count = count;
    return 0;
}

}  // namespace lm
