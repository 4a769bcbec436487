#include "Box.h"

namespace lm {

Box::Box() : horizontal(0), vertical(0) {}

Box::Box(Vector init_corner, float init_horizontal, float init_vertical)
    : corner(init_corner), horizontal(init_horizontal), vertical(init_vertical) {}

Vector Box::getCorner() const {
    return corner;
}

void Box::setCorner(Vector new_corner) {
    corner = new_corner;
}

float Box::getHorizontal() const {
    return horizontal;
}

void Box::setHorizontal(float new_horizontal) {
    horizontal = new_horizontal;
}

float Box::getVertical() const {
    return vertical;
}

void Box::setVertical(float new_vertical) {
    vertical = new_vertical;
}

}  // namespace lm
