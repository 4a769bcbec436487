#pragma once

#include "Vector.h"

namespace lm {

/// An axis-aligned rectangle: a top-left corner and extents to the right and downwards, in cells.
/// It covers the closed ranges [corner, corner + extent]; extents are not checked and may be 0.
class Box {
public:
    /// Corner (0, 0), both extents 0.
    Box();
    Box(Vector init_corner, float init_horizontal, float init_vertical);

    Vector getCorner() const;
    void setCorner(Vector new_corner);
    float getHorizontal() const;
    void setHorizontal(float new_horizontal);
    float getVertical() const;
    void setVertical(float new_vertical);

private:
    Vector corner;     // top-left, cells
    float horizontal;  // extent to the right of the corner, cells
    float vertical;    // extent below the corner, cells
};

}  // namespace lm
