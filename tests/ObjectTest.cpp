#include "engine/Object.h"

#include "TestSupport.h"
#include "engine/Constants.h"
#include "engine/WorldManager.h"

namespace {

using lm::Vector;

class ObjectTest : public lm_test::EngineTest {
protected:
    lm::WorldManager& world = lm::WorldManager::getInstance();
};

TEST_F(ObjectTest, NewObjectHasTheDefaultsAndIsAlreadyInTheWorld) {
    auto* p_object = new lm::Object();
    EXPECT_EQ(world.getAllObjects(), lm::ObjectList{p_object});
    EXPECT_EQ(p_object->getType(), "Object");
    EXPECT_EQ(p_object->getAltitude(), 2);
    EXPECT_EQ(p_object->getVelocity(), Vector(0, 0));
    EXPECT_EQ(p_object->getSolidness(), lm::BLOCKING);
    EXPECT_EQ(p_object->getBox().getHorizontal(), 1);
    EXPECT_EQ(p_object->getBox().getVertical(), 1);
}

TEST_F(ObjectTest, IdsCountUpAndEachIsLoggedBeforeItIsTaken) {
    auto* p_first = new lm::Object();
    auto* p_second = new lm::Object();
    EXPECT_EQ(p_second->getId(), p_first->getId() + 1);
    EXPECT_EQ(logLines(),
              (std::vector<std::string>{"Object: id = " + std::to_string(p_first->getId()),
                                        "Object: id = " + std::to_string(p_second->getId())}));

    p_first->setId(1000);  // the counter is not touched
    EXPECT_EQ((new lm::Object())->getId(), p_second->getId() + 1);
}

TEST_F(ObjectTest, VelocityIsSpeedTimesDirection) {
    auto* p_object = new lm::Object();
    p_object->setPosition(Vector(10, 10));
    p_object->setVelocity(Vector(3, 4));
    EXPECT_FLOAT_EQ(p_object->getSpeed(), 5);
    EXPECT_FLOAT_EQ(p_object->getDirection().getX(), 0.6f);
    EXPECT_FLOAT_EQ(p_object->getDirection().getY(), 0.8f);
    EXPECT_FLOAT_EQ(p_object->getVelocity().getX(), 3);
    EXPECT_FLOAT_EQ(p_object->getVelocity().getY(), 4);
    EXPECT_FLOAT_EQ(p_object->predictPosition().getX(), 13);
    EXPECT_FLOAT_EQ(p_object->predictPosition().getY(), 14);
    EXPECT_EQ(p_object->getPosition(), Vector(10, 10));  // predicting moves nothing

    p_object->setVelocity(Vector(0, 0));
    EXPECT_EQ(p_object->getSpeed(), 0);
    EXPECT_EQ(p_object->getDirection(), Vector(0, 0));
    EXPECT_EQ(p_object->predictPosition(), Vector(10, 10));
}

TEST_F(ObjectTest, OnlyBlockingAndNonBlockingAreSolid) {
    auto* p_object = new lm::Object();
    EXPECT_TRUE(p_object->isSolid());
    EXPECT_EQ(p_object->setSolidness(lm::NONBLOCKING), 0);
    EXPECT_TRUE(p_object->isSolid());
    p_object->setSolidness(lm::INTANGIBLE);
    EXPECT_FALSE(p_object->isSolid());
    p_object->setSolidness(static_cast<lm::Solidness>(-1));
    EXPECT_FALSE(p_object->isSolid());
}

TEST_F(ObjectTest, UnknownSpriteChangesNothing) {
    auto* p_object = new lm::Object();
    p_object->setBox(lm::Box(Vector(-1, -1), 3, 2));
    EXPECT_EQ(p_object->setSprite("no-such-sprite"), -1);
    EXPECT_EQ(p_object->getAnimation().getSprite(), nullptr);
    EXPECT_EQ(p_object->getBox().getHorizontal(), 3);
    EXPECT_EQ(p_object->getBox().getVertical(), 2);
}

TEST_F(ObjectTest, DestroyingAnObjectTakesItOutAndKeepsTheOrder) {
    auto* p_a = new lm::Object();
    auto* p_b = new lm::Object();
    auto* p_c = new lm::Object();
    delete p_b;
    EXPECT_EQ(world.getAllObjects(), (lm::ObjectList{p_a, p_c}));

    // An object outside the world that shares an id takes nobody else with it.
    auto* p_twin = new lm::Object();
    world.removeObject(p_twin);
    p_twin->setId(p_a->getId());
    delete p_twin;
    EXPECT_EQ(world.getAllObjects(), (lm::ObjectList{p_a, p_c}));
}

}  // namespace
