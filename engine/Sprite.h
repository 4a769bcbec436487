#pragma once

#include "Constants.h"
#include "Frame.h"
#include "Vector.h"

#include <string>
#include <vector>

namespace lm {

/// A named, coloured sequence of frames of one size. Sprites are made by the sprite loader and
/// owned by the sprite store for the whole run; objects point to them through their animation.
class Sprite {
public:
    /// An empty sprite with room for max_frames frames (none for a count below 1).
    explicit Sprite(int max_frames);
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    int getWidth() const;
    void setWidth(int new_width);
    int getHeight() const;
    void setHeight(int new_height);
    Color getColor() const;
    void setColor(Color new_color);
    int getSlowdown() const;
    void setSlowdown(int new_slowdown);
    std::string getLabel() const;
    void setLabel(std::string new_label);
    int getFrameCount() const;

    /// Appends a frame; -1 when the sprite is full.
    int pushFrame(Frame new_frame);

    /// A copy of frame frame_index; the empty frame for an index outside the frames added.
    Frame getFrame(int frame_index) const;

    /// Draws frame frame_index centred on the position in the sprite's colour; -1 for an index
    /// outside the frames added or an empty frame.
    int draw(int frame_index, Vector position) const;

private:
    int width;                 // of every frame, cells
    int height;                // of every frame, cells
    int max_frame_count;       // capacity of frame
    int frame_count;           // frames added so far
    Color color;               // of every glyph
    int slowdown;              // draws that each frame stays on screen
    std::vector<Frame> frame;  // max_frame_count frames, the first frame_count of them added
    std::string label;         // the name the game asks for the sprite by
};

}  // namespace lm
