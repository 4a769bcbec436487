#pragma once

#include "Animation.h"
#include "Box.h"
#include "Constants.h"
#include "Vector.h"

#include <string>

namespace lm {

class Event;

/// Base of everything in the game world. An object joins the world in its constructor and leaves
/// it in its destructor; objects are made with new, and the world manager owns and deletes them
/// (after markForDelete, or at shut-down). Game code never deletes an object itself.
class Object {
public:
    /// Logs "Object: id = N", takes the next id and appends the object to the world.
    Object();
    /// Takes the object out of the world.
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    /// 1 when the object handled the event, 0 when it ignored it. The base handles nothing.
    virtual int eventHandler(const Event* p_event);

    /// Draws the object's animation at its position; the animation's result.
    virtual int draw();

    /// Ids are unique for the run; the setter does not touch the id counter.
    void setId(int new_id);
    int getId() const;
    void setType(std::string new_type);
    std::string getType() const;

    /// Moves the object with no collision or boundary check.
    void setPosition(Vector new_position);
    Vector getPosition() const;

    /// Stored unchanged: altitudes outside 0 to MAX_ALTITUDE are never drawn.
    void setAltitude(int new_altitude);
    int getAltitude() const;

    /// Stored unchanged (not normalised).
    void setDirection(Vector new_direction);
    Vector getDirection() const;
    void setSpeed(float new_speed);
    float getSpeed() const;

    /// direction scaled by speed: cells per step.
    Vector getVelocity() const;
    /// Speed becomes the magnitude of the velocity, direction the velocity normalised.
    void setVelocity(Vector new_velocity);

    /// Where the next world step would put the object; nothing changes.
    Vector predictPosition() const;

    /// Stored unchanged; returns 0.
    int setSolidness(Solidness new_solidness);
    Solidness getSolidness() const;
    /// True for BLOCKING and NONBLOCKING; any other value is not solid.
    bool isSolid() const;

    /// The extent of the object relative to its position.
    void setBox(Box new_box);
    Box getBox() const;

    void setAnimation(Animation new_animation);
    Animation getAnimation() const;

    /// Shows the sprite with that label from the resource manager and sizes the box to it (the
    /// corner stays). -1, changing nothing, when no sprite has the label.
    int setSprite(std::string sprite_label);

private:
    int id;               // unique for the run
    std::string type;     // "Object" unless a subclass sets its own
    Vector position;      // world cells
    int altitude;         // drawing layer, 0 first
    Vector direction;     // of motion: unit length or (0, 0)
    float speed;          // cells per step
    Solidness solidness;  // collision class
    Animation animation;  // sprite and frame state
    Box box;              // extent relative to position
};

}  // namespace lm
