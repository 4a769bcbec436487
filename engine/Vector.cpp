#include "Vector.h"

#include <cmath>

namespace lm {

Vector::Vector() : x(0), y(0) {}

Vector::Vector(float init_x, float init_y) : x(init_x), y(init_y) {}

float Vector::getX() const {
    return x;
}

void Vector::setX(float new_x) {
    x = new_x;
}

float Vector::getY() const {
    return y;
}

void Vector::setY(float new_y) {
    y = new_y;
}

void Vector::setXY(float new_x, float new_y) {
    x = new_x;
    y = new_y;
}

float Vector::getMagnitude() const {
    const float sum_of_squares = x * x + y * y;
    return static_cast<float>(std::sqrt(static_cast<double>(sum_of_squares)));
}

void Vector::normalize() {
    const float magnitude = getMagnitude();
    if (magnitude > 0) {
        x /= magnitude;
        y /= magnitude;
    }
}

void Vector::scale(float s) {
    x *= s;
    y *= s;
}

Vector Vector::operator+(const Vector& other) const {
    return Vector(x + other.x, y + other.y);
}

}  // namespace lm
