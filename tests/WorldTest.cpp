// The world: geometry, objects, moves and collisions, deletion, the view, displays, the drawing
// order, and the collision index against a full scan.

#include "TestSupport.h"
#include "engine/EventCollision.h"
#include "engine/EventKeyboard.h"
#include "engine/EventMouse.h"
#include "engine/EventOut.h"
#include "engine/EventStep.h"
#include "engine/EventView.h"
#include "engine/ViewObject.h"
#include "engine/WorldManager.h"

#include <random>
#include <tuple>

namespace {

using lm::Box;
using lm::Vector;
using lm_test::Journal;
using lm_test::Recorder;
using World = lm::WorldManager;

TEST(GeometryTest, EventsVectorsAndBoxesThatTouch) {
    const lm::Event events[] = {lm::EventCollision(), lm::EventCollision(nullptr, nullptr, {}),
                                lm::EventKeyboard(),  lm::EventMouse(),
                                lm::EventOut(),       lm::EventStep(3),
                                lm::EventStep(),      lm::EventView("Health", 1, true),
                                lm::EventView()};
    std::string types = lm::Event().getType();
    for (const lm::Event& event : events) {
        types += " " + event.getType();
    }
    EXPECT_EQ(types,
              "lm::undefined lm::collision lm::collision lm::keyboard lm::mouse lm::out lm::step "
              "lm::step lm::view lm::view");

    Vector v(3, 4);
    EXPECT_FLOAT_EQ(v.getMagnitude(), 5);
    v.normalize();
    Vector zero;
    zero.normalize();  // stays (0, 0) rather than becoming NaN
    v.scale(-5);
    EXPECT_EQ(zero + v + Vector(1, 2), Vector(-2, -2));
    const Box unit(Vector(0, 0), 1, 1);
    const std::pair<Box, bool> others[] = {
        {Box(Vector(1, 1), 1, 1), true},       {Box(Vector(-1, -1), 1, 1), true},
        {Box(Vector(0.2f, 0.2f), 0, 0), true}, {Box(Vector(-5, -5), 20, 20), true},
        {Box(Vector(1.5f, 0), 1, 1), false},   {Box(Vector(0, 1.01f), 1, 1), false},
        {Box(Vector(-1.01f, 0), 1, 1), false}, {Box(Vector(0, -1.01f), 1, 1), false}};
    for (std::size_t i = 0; i < std::size(others); ++i) {
        EXPECT_EQ(World::boxIntersectsBox(unit, others[i].first), others[i].second) << i;
        EXPECT_EQ(World::boxIntersectsBox(others[i].first, unit), others[i].second) << i;
    }
}

class WorldTest : public lm_test::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        world.setBoundary(Box(Vector(0, 0), 60, 80));
        world.setView(Box(Vector(0, 0), 30, 40));
    }
    Recorder* place(const std::string& type, Vector position, lm::Solidness solidness) {
        auto* p_recorder = new Recorder(type, journal);
        p_recorder->setPosition(position);
        p_recorder->setSolidness(solidness);
        return p_recorder;
    }
    Journal journal;
    World& world = World::getInstance();
};

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
    p_mover->setSolidness(lm::NONBLOCKING);  // passes through blocking objects
    EXPECT_EQ(world.moveObject(p_mover, Vector(1, 0)), 0);
    EXPECT_EQ(journal.size(), 8u);
    p_mover->setSolidness(lm::INTANGIBLE);  // passes unheard
    EXPECT_EQ(world.moveObject(p_mover, Vector(2, 0)), 0);
    EXPECT_EQ(journal.size(), 8u);

    // An update moves by velocity, as predicted before the events; what it makes moves next time.
    journal.clear();
    p_mover->setSolidness(lm::NONBLOCKING);
    p_mover->setVelocity(Vector(-1, 0));
    Recorder* p_newcomer = nullptr;
    p_mover->reaction = [&](const lm::Event*) {
        p_mover->setPosition(Vector(50, 50));  // overwritten by the move in progress
        p_mover->setVelocity(Vector(0, 0));
        if (p_newcomer == nullptr) {
            p_newcomer = place("Newcomer", Vector(57, 10), lm::INTANGIBLE);
            p_newcomer->setVelocity(Vector(1, 0));
        }
    };
    world.update();
    EXPECT_EQ(p_mover->getPosition(), Vector(1, 0));
    ASSERT_NE(p_newcomer, nullptr);
    for (int step = 0; step < 5; ++step) {
        world.update();
    }
    EXPECT_EQ(p_newcomer->getPosition(), Vector(62, 10));  // its box left the world at x = 61
    world.moveObject(p_newcomer, Vector(5, 5));            // coming back is not reported
    EXPECT_EQ(journal, (Journal{"Mover:lm::collision Mover>Bush at (1, 0)",
                                "Bush:lm::collision Mover>Bush at (1, 0)",
                                "Mover:lm::collision Mover>Rock at (1, 0)",
                                "Rock:lm::collision Mover>Rock at (1, 0)", "Newcomer:lm::out"}));
    EXPECT_EQ(world.objectsOfType("Newcomer"), lm::ObjectList{p_newcomer});
}

/// Writes its type into the journal when destroyed; a sweeper then marks every object for
/// deletion, itself again, and makes a newcomer, as a defeated hero does.
class Mortal : public lm::Object {
public:
    Mortal(const std::string& name, Journal& init_journal, bool init_sweeps = false)
        : journal(init_journal), sweeps(init_sweeps) {
        setType(name);
    }
    ~Mortal() override {
        journal.push_back(getType());
        for (lm::Object* p_object :
             sweeps ? World::getInstance().getAllObjects() : lm::ObjectList{}) {
            World::getInstance().markForDelete(p_object);
        }
        if (sweeps) {
            new Mortal("Newcomer", journal);
        }
    }

private:
    Journal& journal;
    bool sweeps;
};

TEST_F(WorldTest, ObjectsHaveUniqueIdsAndGoOnceAtTheEndOfUpdateTheirDestructorsMarkingMore) {
    auto* p_first = new Mortal("First", journal);
    auto* p_sweeper = new Mortal("Sweeper", journal, true);
    new Mortal("Second", journal);
    const int first_id = p_first->getId();
    EXPECT_EQ(p_sweeper->getId(), first_id + 1);
    EXPECT_EQ(logLines().back(), "Object: id = " + std::to_string(first_id + 2));
    EXPECT_EQ(world.markForDelete(p_first) + world.markForDelete(p_first), 0);
    EXPECT_EQ(world.markForDelete(p_sweeper), 0);
    EXPECT_EQ(world.markForDelete(nullptr), -1);
    EXPECT_TRUE(journal.empty());
    world.update();
    world.update();
    EXPECT_EQ(journal, (Journal{"First", "Sweeper", "Second"}));
    ASSERT_EQ(world.getAllObjects().size(), 1u) << "the newcomer made while deleting stays";
    EXPECT_EQ(world.getAllObjects()[0]->getId(), first_id + 3) << "ids are never reused";
    new Mortal("Sweeper", journal, true);
    world.shutDown();
    EXPECT_EQ(journal, (Journal{"First", "Sweeper", "Second", "Newcomer", "Sweeper", "Newcomer"}));
    EXPECT_TRUE(world.getAllObjects().empty());
}

TEST_F(WorldTest, TheViewFollowsItsObjectCentredAndClampedUntilTheObjectIsGone) {
    world.setViewPosition(Vector(31, 20.5f));
    EXPECT_EQ(world.getView().getCorner(), Vector(16, 0.5f)) << "not rounded";
    world.setViewPosition(Vector(59, 79));
    EXPECT_EQ(world.getView().getCorner(), Vector(30, 40));
    auto* p_hero = place("Hero", Vector(20, 30), lm::BLOCKING);
    auto* p_stranger = place("Stranger", Vector(20, 70), lm::BLOCKING);
    world.removeObject(p_stranger);
    EXPECT_EQ(world.setViewFollowing(p_stranger), -1) << "not in the world";
    world.insertObject(p_stranger);
    EXPECT_EQ(world.setViewFollowing(p_hero), 0);
    EXPECT_EQ(world.getView().getCorner(), Vector(5, 10));
    world.moveObject(p_hero, Vector(2, 31));
    EXPECT_EQ(world.getView().getCorner(), Vector(0, 11));
    world.markForDelete(p_hero);
    world.update();
    world.moveObject(p_stranger, Vector(20, 75));
    EXPECT_EQ(world.getView().getCorner(), Vector(0, 11));
    world.setViewFollowing(p_stranger);
    EXPECT_EQ(world.setViewFollowing(nullptr), 0);
    world.moveObject(p_stranger, Vector(20, 35));
    EXPECT_EQ(world.getView().getCorner(), Vector(5, 40));
}

TEST_F(WorldTest, DisplaysStandAtNinePlacesOfTheViewAndShowTheirOwnLabelsValues) {
    auto* p_view = new lm::ViewObject;
    EXPECT_EQ(p_view->getPosition(), Vector(15, 1)) << "at the top centre, inside the border";
    const Vector places[] = {{5, 1},   {15, 1}, {25, 1},  {5, 20}, {15, 20},
                             {25, 20}, {5, 39}, {15, 39}, {25, 39}};
    for (int location = lm::TOP_LEFT; location <= lm::BOTTOM_RIGHT; ++location) {
        p_view->setLocation(static_cast<lm::ViewLocation>(location));
        EXPECT_EQ(p_view->getPosition(), places[location - lm::TOP_LEFT]) << location;
    }
    p_view->setLocation(lm::TOP_RIGHT);
    p_view->setBorder(false);
    EXPECT_EQ(p_view->getPosition(), Vector(25, 0)) << "without the border, the top row";
    p_view->setViewString("Enemy Health");
    auto* p_twin = new lm::ViewObject;
    p_twin->setViewString("Enemy Health");
    const lm::EventView set_to_5("Enemy Health", 5, false);
    const lm::EventView minus_3("Enemy Health", -3, true);
    const lm::EventView other("Player Health", 9, false);
    EXPECT_EQ(p_view->eventHandler(&other) + p_view->eventHandler(&minus_3), 1);
    EXPECT_EQ(p_view->eventHandler(&set_to_5), 1);
    world.onEvent(&minus_3);
    EXPECT_EQ(p_view->getValue() * 10 + p_twin->getValue(), 20 - 3);
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
    const std::tuple<const char*, int, float> objects[] = {{"Top", lm::MAX_ALTITUDE, 0},
                                                           {"Middle1", 2, 0},
                                                           {"Bottom", 0, 0},
                                                           {"Unseen", 7, 0},
                                                           {"Middle2", 2, 0},
                                                           {"Far", 1, 100},
                                                           {"Edge", 3, -1}};
    for (const auto& [name, altitude, x] : objects) {
        new Drawn(name, altitude, Vector(x, x == 0 ? 0.0f : 40.0f), journal);
    }
    world.draw();
    EXPECT_EQ(journal, (Journal{"Bottom", "Middle1", "Middle2", "Edge", "Top"}));
}

// In random worlds whose objects move, grow, change their solidness, come and go from inside the
// world's own steps, the index finds what a full scan finds, in the same order.
TEST_F(WorldTest, TheCollisionIndexFindsWhatAFullScanFinds) {
    std::mt19937 random(2026);
    const auto uniform = [&random](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    const auto pick = [&random](std::size_t count) { return random() % count; };
    for (int i = 0; i < 153; ++i) {
        auto* p_object = place("o", Vector(uniform(-5, 65), uniform(-5, 85)),
                               static_cast<lm::Solidness>(pick(3)));
        p_object->setBox(Box(Vector(uniform(-1, 1), uniform(-1, 1)), uniform(0, 4), uniform(0, 4)));
        p_object->setVelocity(pick(10) < 4 ? Vector(uniform(-2, 2), uniform(-2, 2)) : Vector());
        p_object->reaction = [&, p_object](const lm::Event*) {
            const auto choice = pick(10);
            if (choice == 1) {
                world.markForDelete(world.getAllObjects()[pick(world.getAllObjects().size())]);
            } else if (choice == 2) {
                p_object->setBox(Box(Vector(0, 0), uniform(0, 6), uniform(0, 6)));
            } else if (choice == 3) {
                p_object->setSolidness(static_cast<lm::Solidness>(pick(3)));
            } else if (choice == 4) {
                p_object->setPosition(Vector(uniform(0, 60), uniform(0, 80)));
            }
        };
    }
    world.getAllObjects()[0]->setBox(Box(Vector(-100, -100), 300, 300));  // in every bucket
    world.getAllObjects()[1]->setPosition(Vector(1e30f, 1e30f));          // in none
    for (int step = 0; step < 100; ++step) {
        for (const lm::Object* p_object : world.getAllObjects()) {
            const Vector where =
                step % 2 ? p_object->predictPosition() : Vector(uniform(-10, 70), uniform(-10, 90));
            lm::ObjectList scanned;
            for (lm::Object* p_other : world.getAllObjects()) {
                if (p_other != p_object && p_other->isSolid() &&
                    World::boxIntersectsBox(World::getWorldBox(p_object, where),
                                            World::getWorldBox(p_other))) {
                    scanned.push_back(p_other);
                }
            }
            ASSERT_EQ(world.getCollisions(p_object, where), scanned) << "step " << step;
        }
        world.update();
    }
    EXPECT_GT(journal.size(), 100u) << "the objects met, and reacted";
    for (lm::Object* p_object : world.getAllObjects()) {
        static_cast<Recorder*>(p_object)->reaction = nullptr;
    }
}

}  // namespace
