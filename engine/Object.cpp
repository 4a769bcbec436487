#include "Object.h"

#include "LogManager.h"
#include "ResourceManager.h"
#include "Sprite.h"
#include "WorldManager.h"

#include <utility>

namespace lm {

namespace {

int id_counter = 0;  // the id of the next object made

}  // namespace

Object::Object()
    : id(id_counter),
      type("Object"),
      altitude(2),
      speed(0),
      solidness(BLOCKING),
      box(Vector(0, 0), 1, 1) {
    LogManager::getInstance().writeLog("Object: id = %d", id);
    ++id_counter;
    // Last: from here on the object receives events, before any derived constructor has run.
    WorldManager::getInstance().insertObject(this);
}

Object::~Object() {
    WorldManager::getInstance().removeObject(this);
}

int Object::eventHandler(const Event* /*p_event*/) {
    return 0;
}

int Object::draw() {
    return animation.draw(position);
}

void Object::setId(int new_id) {
    id = new_id;
}

int Object::getId() const {
    return id;
}

void Object::setType(std::string new_type) {
    type = std::move(new_type);
}

std::string Object::getType() const {
    return type;
}

void Object::setPosition(Vector new_position) {
    position = new_position;
    WorldManager::getInstance().objectChanged(this);
}

Vector Object::getPosition() const {
    return position;
}

void Object::setAltitude(int new_altitude) {
    altitude = new_altitude;
}

int Object::getAltitude() const {
    return altitude;
}

void Object::setDirection(Vector new_direction) {
    direction = new_direction;
}

Vector Object::getDirection() const {
    return direction;
}

void Object::setSpeed(float new_speed) {
    speed = new_speed;
}

float Object::getSpeed() const {
    return speed;
}

Vector Object::getVelocity() const {
    Vector velocity = direction;
    velocity.scale(speed);
    return velocity;
}

void Object::setVelocity(Vector new_velocity) {
    speed = new_velocity.getMagnitude();
    new_velocity.normalize();
    direction = new_velocity;
}

Vector Object::predictPosition() const {
    return position + getVelocity();
}

int Object::setSolidness(Solidness new_solidness) {
    solidness = new_solidness;
    WorldManager::getInstance().objectChanged(this);
    return 0;
}

Solidness Object::getSolidness() const {
    return solidness;
}

bool Object::isSolid() const {
    const auto value = static_cast<unsigned>(solidness);
    return value == BLOCKING || value == NONBLOCKING;
}

void Object::setBox(Box new_box) {
    box = new_box;
    WorldManager::getInstance().objectChanged(this);
}

Box Object::getBox() const {
    return box;
}

void Object::setAnimation(Animation new_animation) {
    animation = std::move(new_animation);
}

Animation Object::getAnimation() const {
    return animation;
}

int Object::setSprite(std::string sprite_label) {
    Sprite* p_sprite = ResourceManager::getInstance().getSprite(std::move(sprite_label));
    if (p_sprite == nullptr) {
        return -1;
    }
    animation.setSprite(p_sprite);
    box.setHorizontal(static_cast<float>(p_sprite->getWidth()));
    box.setVertical(static_cast<float>(p_sprite->getHeight()));
    WorldManager::getInstance().objectChanged(this);
    return 0;
}

}  // namespace lm
