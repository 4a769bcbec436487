#pragma once

#include "Event.h"
#include "Vector.h"

namespace lm {

class Object;

/// Sent by the world manager to both objects when a moving object runs into another.
class EventCollision : public Event {
public:
    /// No objects, position (0, 0).
    EventCollision();
    EventCollision(Object* p_init_obj1, Object* p_init_obj2, Vector init_pos);

    Vector getPosition() const;
    void setPosition(Vector new_pos);
    Object* getObject1() const;
    void setObject1(Object* p_new_obj1);
    Object* getObject2() const;
    void setObject2(Object* p_new_obj2);

private:
    Vector pos;    // where the moving object was moving to
    Object* obj1;  // the object that moved; not owned
    Object* obj2;  // the object it ran into; not owned
};

}  // namespace lm
