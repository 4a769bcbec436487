#pragma once

#include "Vector.h"

#include <string>

namespace lm {

class Sprite;

/// Which frame of which sprite an object shows, and when it moves on to the next. Held by value
/// in every object; the sprite belongs to the sprite store.
class Animation {
public:
    /// No sprite, empty name, frame 0, count 0.
    Animation();

    /// Only stores the pointer; the frame index and count are kept.
    void setSprite(Sprite* p_new_sprite);
    Sprite* getSprite() const;
    void setName(std::string new_name);
    std::string getName() const;
    void setIndex(int new_index);
    int getIndex() const;

    /// -1 freezes the animation on its current frame.
    void setSlowdownCount(int new_slowdown_count);
    int getSlowdownCount() const;

    /// Draws the current frame centred on the position, then counts the draw: after the sprite's
    /// slowdown many draws the next frame (cycling) is shown. -1 without a sprite or when frozen.
    int draw(Vector position);

private:
    Sprite* sprite;      // not owned; null for none
    std::string name;    // kept and returned; not used for drawing
    int index;           // the frame shown now
    int slowdown_count;  // draws of the current frame so far; -1 frozen
};

}  // namespace lm
