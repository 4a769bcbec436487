#pragma once

#include "Constants.h"
#include "Vector.h"

#include <string>

namespace lm {

/// One picture of character art: height rows of width characters, stored row after row. A frame
/// with an empty string is the empty frame, which stands for "no frame".
class Frame {
public:
    /// The empty frame: 0 x 0, no characters.
    Frame();
    Frame(int init_width, int init_height, std::string init_frame_str);

    int getWidth() const;
    void setWidth(int new_width);
    int getHeight() const;
    void setHeight(int new_height);
    std::string getString() const;
    void setString(std::string new_frame_str);

    /// Draws the frame centred on the position, one cell per character, spaces included.
    /// Returns -1 for the empty frame, else 0. Cells that the string does not reach (when width x
    /// height disagrees with its length) are not drawn.
    int draw(Vector position, Color color) const;

private:
    int width;              // characters per row
    int height;             // rows
    std::string frame_str;  // the rows concatenated, top row first
};

}  // namespace lm
