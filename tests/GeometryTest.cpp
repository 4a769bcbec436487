#include "TestSupport.h"
#include "engine/Box.h"
#include "engine/Vector.h"
#include "engine/WorldManager.h"

namespace {

using lm::Box;
using lm::Vector;

bool intersect(Box a, Box b) {
    return lm::WorldManager::boxIntersectsBox(a, b);
}

TEST(VectorTest, MagnitudeAndNormalize) {
    Vector v(3, 4);
    EXPECT_FLOAT_EQ(v.getMagnitude(), 5);
    v.normalize();
    EXPECT_FLOAT_EQ(v.getX(), 0.6f);
    EXPECT_FLOAT_EQ(v.getY(), 0.8f);

    Vector zero;
    zero.normalize();  // stays (0, 0) rather than becoming NaN
    EXPECT_EQ(zero, Vector(0, 0));
}

TEST(VectorTest, ScaleAndSum) {
    Vector v(2, -3);
    v.scale(-1);
    EXPECT_EQ(v, Vector(-2, 3));
    v.scale(0);
    EXPECT_EQ(v, Vector(0, 0));

    const Vector a(1, 2);
    const Vector b(3, -5);
    EXPECT_EQ(a + b, Vector(4, -3));
    EXPECT_EQ(a, Vector(1, 2));
    EXPECT_EQ(b, Vector(3, -5));
}

TEST(BoxTest, TouchingEdgesAndCornersIntersect) {
    const Box unit(Vector(0, 0), 1, 1);
    EXPECT_TRUE(intersect(unit, Box(Vector(1, 0), 1, 1)));    // shared edge
    EXPECT_TRUE(intersect(unit, Box(Vector(1, 1), 1, 1)));    // shared corner
    EXPECT_TRUE(intersect(unit, Box(Vector(-1, -1), 1, 1)));  // shared corner, other side
    EXPECT_FALSE(intersect(unit, Box(Vector(1.5f, 0), 1, 1)));
    EXPECT_FALSE(intersect(unit, Box(Vector(0, 1.01f), 1, 1)));
}

TEST(BoxTest, IntersectionIsSymmetricAndContainmentCounts) {
    const Box outer(Vector(0, 0), 10, 10);
    const Box inner(Vector(2, 3), 1, 1);
    const Box point(Vector(10, 5), 0, 0);  // on the outer box's right edge
    const Box apart(Vector(20, 20), 2, 2);
    for (const Box& other : {inner, point, apart}) {
        EXPECT_EQ(intersect(outer, other), intersect(other, outer)) << other;
    }
    EXPECT_TRUE(intersect(inner, outer));
    EXPECT_TRUE(intersect(point, outer));
    EXPECT_FALSE(intersect(apart, outer));
}

}  // namespace
