#pragma once

namespace lm {

/// A 2-D position or displacement in character cells; x grows to the right, y downwards.
class Vector {
public:
    /// (0, 0).
    Vector();
    Vector(float init_x, float init_y);

    float getX() const;
    void setX(float new_x);
    float getY() const;
    void setY(float new_y);
    void setXY(float new_x, float new_y);

    /// Length of the vector: the squares are summed in single precision, the root taken in double.
    float getMagnitude() const;

    /// Makes the vector unit length; the zero vector stays (0, 0).
    void normalize();

    /// Multiplies both components by s.
    void scale(float s);

    /// Component-wise sum; neither operand changes.
    Vector operator+(const Vector& other) const;

private:
    float x;  // cells
    float y;  // cells
};

}  // namespace lm
