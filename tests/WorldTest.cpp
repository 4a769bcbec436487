// The world: geometry, objects, moves and their collisions, leaving the boundary, deletion, the
// view and the drawing order, and the collision index against a full scan.

#include "TestSupport.h"
#include "engine/Event.h"
#include "engine/EventCollision.h"
#include "engine/EventKeyboard.h"
#include "engine/EventMouse.h"
#include "engine/EventOut.h"
#include "engine/EventStep.h"
#include "engine/EventView.h"
#include "engine/ViewObject.h"
#include "engine/WorldManager.h"

#include <limits>
#include <random>

namespace {

using lm::Box;
using lm::Vector;
using lm_test::Journal;
using lm_test::Recorder;

TEST(GeometryTest, VectorsAndBoxes) {
    Vector v(3, 4);
    EXPECT_FLOAT_EQ(v.getMagnitude(), 5);
    v.normalize();
    EXPECT_EQ(v, Vector(0.6f, 0.8f));
    Vector zero;
    zero.normalize();  // stays (0, 0) rather than becoming NaN
    EXPECT_EQ(zero, Vector(0, 0));
    v = Vector(2, -3);
    v.scale(-2);
    EXPECT_EQ(v, Vector(-4, 6));
    EXPECT_EQ(Vector(1, 2) + Vector(3, -5), Vector(4, -3));

    // Touching edges and corners count; the test is symmetric.
    const Box unit(Vector(0, 0), 1, 1);
    const std::pair<Box, bool> others[] = {
        {Box(Vector(1, 0), 1, 1), true},       {Box(Vector(1, 1), 1, 1), true},
        {Box(Vector(-1, -1), 1, 1), true},     {Box(Vector(0.2f, 0.2f), 0, 0), true},
        {Box(Vector(-5, -5), 20, 20), true},   {Box(Vector(1.5f, 0), 1, 1), false},
        {Box(Vector(0, 1.01f), 1, 1), false},  {Box(Vector(-1.01f, 0), 1, 1), false},
        {Box(Vector(0, -1.01f), 1, 1), false},
    };
    for (const auto& [other, meets] : others) {
        EXPECT_EQ(lm::WorldManager::boxIntersectsBox(unit, other), meets) << other;
        EXPECT_EQ(lm::WorldManager::boxIntersectsBox(other, unit), meets) << other;
    }
}

TEST(EventTest, ReceiversTellTheKindsApartByTheseStrings) {
    const std::pair<lm::Event, const char*> events[] = {
        {lm::Event(), "lm::undefined"},
        {lm::EventCollision(), "lm::collision"},
        {lm::EventCollision(nullptr, nullptr, Vector()), "lm::collision"},
        {lm::EventKeyboard(), "lm::keyboard"},
        {lm::EventMouse(), "lm::mouse"},
        {lm::EventOut(), "lm::out"},
        {lm::EventStep(3), "lm::step"},
        {lm::EventStep(), "lm::step"},
        {lm::EventView("Health", 1, true), "lm::view"},
        {lm::EventView(), "lm::view"},
    };
    for (const auto& [event, type] : events) {
        EXPECT_EQ(event.getType(), type);
    }
    EXPECT_EQ(lm::EventKeyboard().getKey(), lm::Keyboard::UNDEFINED_KEY);
    EXPECT_EQ(lm::EventMouse().getMouseButton(), lm::Mouse::UNDEFINED_MOUSE_BUTTON);
    EXPECT_EQ(lm::EventView().getTag(), "lm::view");
}

class WorldTest : public lm_test::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        world.setBoundary(Box(Vector(0, 0), 60, 80));
        world.setView(Box(Vector(0, 0), 60, 40));
    }

    Recorder* place(const std::string& type, Vector position, lm::Solidness solidness) {
        auto* p_recorder = new Recorder(type, journal);
        p_recorder->setPosition(position);
        p_recorder->setSolidness(solidness);
        return p_recorder;
    }

    Journal journal;
    lm::WorldManager& world = lm::WorldManager::getInstance();
};

TEST_F(WorldTest, ObjectsJoinTheWorldWithNumberedIdsAndTheirDefaults) {
    auto* p_first = new lm::Object();
    auto* p_second = new lm::Object();
    EXPECT_EQ(world.getAllObjects(), (lm::ObjectList{p_first, p_second}));
    EXPECT_EQ(p_second->getId(), p_first->getId() + 1);
    EXPECT_EQ(logLines(), (lm_test::Lines{"Object: id = " + std::to_string(p_first->getId()),
                                          "Object: id = " + std::to_string(p_second->getId())}));
    EXPECT_EQ(p_first->getType(), "Object");
    EXPECT_EQ(p_first->getAltitude(), 2);
    EXPECT_EQ(p_first->getSolidness(), lm::BLOCKING);
    EXPECT_EQ(p_first->getBox().getHorizontal(), 1);
    EXPECT_EQ(p_first->getBox().getVertical(), 1);
    EXPECT_EQ(p_first->setSprite("no-such-sprite"), -1);
    EXPECT_TRUE(p_first->isSolid());
    p_first->setSolidness(lm::NONBLOCKING);
    EXPECT_TRUE(p_first->isSolid());
    p_first->setSolidness(lm::INTANGIBLE);
    EXPECT_FALSE(p_first->isSolid());

    p_first->setPosition(Vector(10, 10));
    p_first->setVelocity(Vector(3, 4));
    EXPECT_FLOAT_EQ(p_first->getSpeed(), 5);
    EXPECT_EQ(p_first->getDirection(), Vector(0.6f, 0.8f));
    EXPECT_EQ(p_first->predictPosition(), Vector(13, 14));
    p_first->setVelocity(Vector(0, 0));
    EXPECT_EQ(p_first->getDirection(), Vector(0, 0));

    // One that shares an id but is not in the world takes nobody else with it.
    auto* p_twin = new lm::Object();
    world.removeObject(p_twin);
    p_twin->setId(p_first->getId());
    delete p_twin;
    delete p_first;
    EXPECT_EQ(world.getAllObjects(), lm::ObjectList{p_second});
    EXPECT_EQ((new lm::Object())->getId(), p_second->getId() + 2) << "ids are never reused";
}

TEST_F(WorldTest, EveryObjectTouchedHearsOfAMoveAndOnlyBlockingStopsBlocking) {
    auto* p_mover = place("Mover", Vector(0, 0), lm::BLOCKING);
    place("Bush", Vector(1, 1), lm::NONBLOCKING);
    place("Ghost", Vector(1, 0), lm::INTANGIBLE);
    place("Rock", Vector(2, 0), lm::BLOCKING);
    EXPECT_EQ(world.moveObject(p_mover, Vector(1, 0)), -1);
    EXPECT_EQ(p_mover->getPosition(), Vector(0, 0));
    EXPECT_EQ(journal, (Journal{"Mover:lm::collision Mover>Bush at (1, 0)",
                                "Bush:lm::collision Mover>Bush at (1, 0)",
                                "Mover:lm::collision Mover>Rock at (1, 0)",
                                "Rock:lm::collision Mover>Rock at (1, 0)"}));
    journal.clear();

    // Non-blocking movers pass through blocking objects; intangible ones pass unheard.
    p_mover->setSolidness(lm::NONBLOCKING);
    EXPECT_EQ(world.moveObject(p_mover, Vector(1, 0)), 0);
    EXPECT_EQ(p_mover->getPosition(), Vector(1, 0));
    EXPECT_EQ(journal.size(), 4u);
    journal.clear();
    p_mover->setSolidness(lm::INTANGIBLE);
    EXPECT_EQ(world.moveObject(p_mover, Vector(2, 0)), 0);
    EXPECT_TRUE(journal.empty());
}

TEST_F(WorldTest, UpdateMovesByVelocityAsPredictedBeforeTheEventsAndReportsLeavingOnce) {
    auto* p_mover = place("Mover", Vector(0, 0), lm::NONBLOCKING);
    place("Pad", Vector(2, 0), lm::NONBLOCKING);
    p_mover->setVelocity(Vector(1, 0));
    Recorder* p_newcomer = nullptr;
    p_mover->reaction = [&](const lm::Event*) {
        p_mover->setVelocity(Vector(0, 0));
        p_mover->setPosition(Vector(50, 50));  // overwritten by the move in progress
        p_newcomer = place("Newcomer", Vector(10, 10), lm::INTANGIBLE);
        p_newcomer->setVelocity(Vector(0, 1));
    };
    world.update();
    EXPECT_EQ(p_mover->getPosition(), Vector(1, 0));
    ASSERT_NE(p_newcomer, nullptr);
    EXPECT_EQ(p_newcomer->getPosition(), Vector(10, 10)) << "made during the update";
    p_mover->reaction = nullptr;
    world.update();
    EXPECT_EQ(p_newcomer->getPosition(), Vector(10, 11));

    // A box [x, x + 1] meets the boundary up to x = 60 and leaves it at x = 61.
    journal.clear();
    p_newcomer->setPosition(Vector(58, 5));
    p_newcomer->setVelocity(Vector(1, 0));
    for (int step = 0; step < 5; ++step) {
        world.update();
    }
    EXPECT_EQ(journal, Journal{"Newcomer:lm::out"});
    world.moveObject(p_newcomer, Vector(5, 5));  // coming back in is not reported
    EXPECT_EQ(journal.size(), 1u);
    EXPECT_EQ(world.objectsOfType("Newcomer"), lm::ObjectList{p_newcomer});
    EXPECT_TRUE(world.objectsOfType("newcomer").empty());
}

/// Writes its type into the journal when destroyed; a sweeper then marks every object of the
/// world for deletion, itself again, and makes a newcomer, as a defeated hero does.
class Mortal : public lm::Object {
public:
    Mortal(const std::string& name, Journal& init_journal, bool init_sweeps = false)
        : journal(init_journal), sweeps(init_sweeps) {
        setType(name);
    }
    ~Mortal() override {
        journal.push_back(getType());
        lm::WorldManager& world = lm::WorldManager::getInstance();
        if (sweeps) {
            for (lm::Object* p_object : world.getAllObjects()) {
                world.markForDelete(p_object);
            }
            new Mortal("Newcomer", journal);
        }
    }

private:
    Journal& journal;
    bool sweeps;
};

TEST_F(WorldTest, MarkedObjectsGoOnceAtTheEndOfUpdateAndTheirDestructorsMayMarkMore) {
    auto* p_first = new Mortal("First", journal);
    auto* p_sweeper = new Mortal("Sweeper", journal, true);
    new Mortal("Second", journal);
    EXPECT_EQ(world.markForDelete(p_first), 0);
    EXPECT_EQ(world.markForDelete(p_first), 0);
    EXPECT_EQ(world.markForDelete(p_sweeper), 0);
    EXPECT_EQ(world.markForDelete(nullptr), -1);
    EXPECT_TRUE(journal.empty());
    world.update();
    EXPECT_EQ(journal, (Journal{"First", "Sweeper", "Second"}));
    ASSERT_EQ(world.getAllObjects().size(), 1u) << "the newcomer made while deleting stays";
    world.update();
    EXPECT_EQ(world.getAllObjects().size(), 1u);

    journal.clear();
    new Mortal("Sweeper", journal, true);
    world.shutDown();
    EXPECT_EQ(journal, (Journal{"Newcomer", "Sweeper", "Newcomer"}));
    EXPECT_TRUE(world.getAllObjects().empty());
    EXPECT_FALSE(world.isStarted());
}

TEST_F(WorldTest, TheViewFollowsItsObjectCentredAndClampedUntilTheObjectIsGone) {
    const auto corner_for = [this](Vector centre) {
        world.setViewPosition(centre);
        return world.getView().getCorner();
    };
    EXPECT_EQ(corner_for(Vector(30, 10)), Vector(0, 0));
    EXPECT_EQ(corner_for(Vector(30, 70)), Vector(0, 40));
    EXPECT_EQ(corner_for(Vector(31, 20.5f)), Vector(0, 0.5f));  // not rounded
    world.setView(Box(Vector(0, 0), 30, 40));
    EXPECT_EQ(corner_for(Vector(20, 30)), Vector(5, 10));
    EXPECT_EQ(corner_for(Vector(59, 30)), Vector(30, 10));

    auto* p_hero = place("Hero", Vector(20, 30), lm::BLOCKING);
    auto* p_stranger = place("Stranger", Vector(20, 70), lm::BLOCKING);
    world.removeObject(p_stranger);  // out of the world, though it still exists
    EXPECT_EQ(world.setViewFollowing(p_stranger), -1);
    world.insertObject(p_stranger);
    EXPECT_EQ(world.setViewFollowing(p_hero), 0);
    EXPECT_EQ(world.getView().getCorner(), Vector(5, 10));
    world.moveObject(p_hero, Vector(20, 31));
    EXPECT_EQ(world.getView().getCorner(), Vector(5, 11));
    p_hero->setPosition(Vector(20, 60));  // not a move: the view stays
    EXPECT_EQ(world.getView().getCorner(), Vector(5, 11));
    world.markForDelete(p_hero);
    world.update();
    world.moveObject(p_stranger, Vector(20, 75));
    EXPECT_EQ(world.getView().getCorner(), Vector(5, 11));
    EXPECT_EQ(world.setViewFollowing(p_stranger), 0);
    EXPECT_EQ(world.setViewFollowing(nullptr), 0);
    world.moveObject(p_stranger, Vector(20, 35));
    EXPECT_EQ(world.getView().getCorner(), Vector(5, 40));
}

/// Notes in the journal when it is drawn.
class Drawn : public lm::Object {
public:
    Drawn(const std::string& name, int drawn_altitude, Vector place, Journal& init_journal)
        : journal(init_journal) {
        setType(name);
        setAltitude(drawn_altitude);
        setPosition(place);
    }
    int draw() override {
        journal.push_back(getType());
        return 0;
    }

private:
    Journal& journal;
};

TEST_F(WorldTest, DrawsByAltitudeThenListOrderAndOnlyWhatTheViewMeets) {
    new Drawn("Top", lm::MAX_ALTITUDE, Vector(), journal);
    new Drawn("Middle1", 2, Vector(), journal);
    new Drawn("Bottom", 0, Vector(), journal);
    new Drawn("Unseen", 7, Vector(), journal);
    new Drawn("Middle2", 2, Vector(), journal);
    new Drawn("Far", 1, Vector(100, 100), journal);
    new Drawn("Edge", 3, Vector(-1, 40), journal);  // its box touches the view's corner
    world.draw();
    EXPECT_EQ(journal, (Journal{"Bottom", "Middle1", "Middle2", "Edge", "Top"}));
}

TEST_F(WorldTest, DisplaysStandAtNinePlacesOfTheViewAndTakeTheirOwnLabelsValues) {
    world.setView(Box(Vector(7, 33), 60, 40));
    auto* p_view = new lm::ViewObject;
    EXPECT_EQ(p_view->getPosition(), Vector(30, 1)) << "at the top centre, inside the border";
    EXPECT_EQ(p_view->getAltitude(), lm::MAX_ALTITUDE);
    EXPECT_EQ(p_view->getSolidness(), lm::INTANGIBLE);
    const std::pair<lm::ViewLocation, Vector> places[] = {
        {lm::TOP_LEFT, {10, 1}},     {lm::TOP_CENTER, {30, 1}},     {lm::TOP_RIGHT, {50, 1}},
        {lm::MIDDLE_LEFT, {10, 20}}, {lm::MIDDLE_CENTER, {30, 20}}, {lm::MIDDLE_RIGHT, {50, 20}},
        {lm::BOTTOM_LEFT, {10, 39}}, {lm::BOTTOM_CENTER, {30, 39}}, {lm::BOTTOM_RIGHT, {50, 39}},
    };
    for (const auto& [location, position] : places) {
        p_view->setLocation(location);
        EXPECT_EQ(p_view->getPosition(), position) << location;
    }
    p_view->setLocation(lm::TOP_RIGHT);
    p_view->setBorder(false);
    EXPECT_EQ(p_view->getPosition(), Vector(50, 0)) << "without the border, the top row";
    p_view->setPosition(Vector(3, 3));
    p_view->setBorder(false);  // unchanged: not placed again
    EXPECT_EQ(p_view->getPosition(), Vector(3, 3));
    p_view->setBorder(true);
    EXPECT_EQ(p_view->getPosition(), Vector(50, 1));

    p_view->setViewString("Enemy Health");
    auto* p_twin = new lm::ViewObject;
    p_twin->setViewString("Enemy Health");
    const lm::EventView set_to_5("Enemy Health", 5, false);
    const lm::EventView minus_3("Enemy Health", -3, true);
    const lm::EventView other("Player Health", 9, false);
    const lm::EventStep step;
    EXPECT_EQ(p_view->eventHandler(&other), 0);
    EXPECT_EQ(p_view->eventHandler(&step), 0);
    EXPECT_EQ(p_view->eventHandler(&set_to_5), 1);
    EXPECT_EQ(p_view->getValue(), 5);
    world.onEvent(&minus_3);
    EXPECT_EQ(p_view->getValue(), 2);
    EXPECT_EQ(p_twin->getValue(), -3);
}

/// What a scan of every object finds: the solid objects other than the object itself that its
/// box, placed at where, would touch, in list order.
lm::ObjectList scan(const lm::Object* p_object, Vector where) {
    lm::ObjectList found;
    const Box moved = lm::WorldManager::getWorldBox(p_object, where);
    for (lm::Object* p_other : lm::WorldManager::getInstance().getAllObjects()) {
        if (p_other != p_object && p_other->isSolid() &&
            lm::WorldManager::boxIntersectsBox(moved, lm::WorldManager::getWorldBox(p_other))) {
            found.push_back(p_other);
        }
    }
    return found;
}

// In random worlds whose objects move, grow, change their solidness, come and go from inside the
// world's own steps, the index finds what a full scan finds, in the same order.
TEST_F(WorldTest, TheCollisionIndexFindsWhatAFullScanFinds) {
    std::mt19937 random(2026);
    const auto uniform = [&random](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    const auto pick = [&random](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    };
    bool calm = false;
    std::function<Recorder*()> spawn = [&]() {
        auto* p_object = place("o", Vector(uniform(-5, 65), uniform(-5, 85)),
                               static_cast<lm::Solidness>(pick(3)));
        p_object->setBox(Box(Vector(uniform(-1, 1), uniform(-1, 1)), uniform(0, 4), uniform(0, 4)));
        if (pick(10) < 4) {
            p_object->setVelocity(Vector(uniform(-1.5f, 1.5f), uniform(-1.5f, 1.5f)));
        }
        p_object->reaction = [&, p_object](const lm::Event*) {
            const int choice = calm ? 9 : pick(10);
            if (choice == 0) {
                spawn();
            } else if (choice == 1) {
                world.markForDelete(world.getAllObjects()[pick(world.getAllObjects().size())]);
            } else if (choice == 2) {
                p_object->setBox(Box(Vector(0, 0), uniform(0, 6), uniform(0, 6)));
            } else if (choice == 3) {
                p_object->setSolidness(static_cast<lm::Solidness>(pick(3)));
            } else if (choice == 4) {
                p_object->setPosition(Vector(uniform(0, 60), uniform(0, 80)));
            }
        };
        return p_object;
    };
    for (int i = 0; i < 150; ++i) {
        spawn();
    }
    spawn()->setBox(Box(Vector(-100, -100), 300, 300));  // in every bucket
    spawn()->setPosition(Vector(std::numeric_limits<float>::quiet_NaN(), 3));
    spawn()->setPosition(Vector(1e30f, 1e30f));
    for (int step = 0; step < 100; ++step) {
        for (const lm::Object* p_object : world.getAllObjects()) {
            for (const Vector where :
                 {p_object->getPosition(), p_object->getPosition() + p_object->getVelocity(),
                  Vector(uniform(-10, 70), uniform(-10, 90))}) {
                ASSERT_EQ(world.getCollisions(p_object, where), scan(p_object, where))
                    << "step " << step << ", at " << where;
            }
        }
        world.update();
    }
    EXPECT_GT(journal.size(), 100u) << "the objects met, and reacted";
    calm = true;
}

}  // namespace
