#include "EventCollision.h"

#include "Constants.h"

namespace lm {

EventCollision::EventCollision() : obj1(nullptr), obj2(nullptr) {
    setType(COLLISION_EVENT);
}

EventCollision::EventCollision(Object* p_init_obj1, Object* p_init_obj2, Vector init_pos)
    : pos(init_pos), obj1(p_init_obj1), obj2(p_init_obj2) {
    setType(COLLISION_EVENT);
}

Vector EventCollision::getPosition() const {
    return pos;
}

void EventCollision::setPosition(Vector new_pos) {
    pos = new_pos;
}

Object* EventCollision::getObject1() const {
    return obj1;
}

void EventCollision::setObject1(Object* p_new_obj1) {
    obj1 = p_new_obj1;
}

Object* EventCollision::getObject2() const {
    return obj2;
}

void EventCollision::setObject2(Object* p_new_obj2) {
    obj2 = p_new_obj2;
}

}  // namespace lm
