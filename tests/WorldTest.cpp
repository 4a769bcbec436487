// The world: moves and collisions, deletion, the view and its displays, the drawing
// order, and the collision index against a full scan.

#include "TestSupport.h"
#include "engine/EventCollision.h"
#include "engine/EventMouse.h"
#include "engine/EventView.h"
#include "engine/ViewObject.h"
#include "engine/WorldManager.h"

#include <algorithm>
#include <iterator>
#include <random>

namespace {

using lm::Box;
using lm::Vector;
using lm_test::Journal;
using World = lm::WorldManager;

/// A recorder that also notes when it is drawn or destroyed, running a last act then.
struct Probe : lm_test::Recorder {
    Probe(const std::string& name, Journal& init_journal, Vector at = Vector(),
          lm::Solidness init_solidness = lm::BLOCKING)
        : Recorder(name, init_journal), journal(init_journal) {
        setPosition(at);
        setSolidness(init_solidness);
    }
    ~Probe() override {
        journal.push_back("~" + getType());
        if (last_act) {
            last_act();
        }
    }
    int draw() override {
        journal.push_back("draw " + getType());
        return 0;
    }
    std::function<void()> last_act;
    Journal& journal;
};

class WorldTest : public lm_test::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        world.setBoundary(Box(Vector(0, 0), 60, 80));
        world.setView(Box(Vector(0, 0), 30, 40));
    }
    Journal journal;
    World& world = World::getInstance();
};

TEST_F(WorldTest, EveryObjectTouchedHearsOfAMoveAndOnlyBlockingStopsBlocking) {
    auto* p_mover = new Probe("Mover", journal);
    new Probe("Bush", journal, Vector(1, 1), lm::NONBLOCKING);
    new Probe("Ghost", journal, Vector(1, 0), lm::INTANGIBLE);
    new Probe("Rock", journal, Vector(2, 0));
    EXPECT_EQ(world.moveObject(p_mover, Vector(1, 0)), -1);
    EXPECT_EQ(p_mover->getPosition(), Vector(0, 0));
    EXPECT_EQ(journal, (Journal{"Mover:lm::collision Mover>Bush at (1, 0)",
                                "Bush:lm::collision Mover>Bush at (1, 0)",
                                "Mover:lm::collision Mover>Rock at (1, 0)",
                                "Rock:lm::collision Mover>Rock at (1, 0)"}));
    p_mover->setSolidness(lm::NONBLOCKING);  // passes through blocking objects
    EXPECT_EQ(world.moveObject(p_mover, Vector(1, 0)), 0);
    p_mover->setSolidness(lm::INTANGIBLE);  // passes unheard
    EXPECT_EQ(world.moveObject(p_mover, Vector(2, 0)), 0);
    EXPECT_EQ(journal.size(), 8u);

    // An update moves what has a velocity, a blocking object through a nonblocking one; objects
    // made meanwhile move from the next update on, and hear once that they left the world.
    journal.clear();
    p_mover->setSolidness(lm::BLOCKING);
    p_mover->setVelocity(Vector(0, 2));
    Probe* p_newcomer = nullptr;
    p_mover->reaction = [&](const lm::Event*) {
        if (p_newcomer == nullptr) {
            p_newcomer = new Probe("Newcomer", journal, Vector(57, 10), lm::INTANGIBLE);
            p_newcomer->setVelocity(Vector(1, 0));
        }
    };
    world.update();
    EXPECT_EQ(p_mover->getPosition(), Vector(2, 2));
    ASSERT_NE(p_newcomer, nullptr);
    for (int step = 0; step < 5; ++step) {
        world.update();
    }
    EXPECT_EQ(p_newcomer->getPosition(), Vector(62, 10));  // its box left the world at x = 61
    world.moveObject(p_newcomer, Vector(5, 5));            // coming back is not reported
    EXPECT_EQ(journal, (Journal{"Mover:lm::collision Mover>Bush at (2, 2)",
                                "Bush:lm::collision Mover>Bush at (2, 2)", "Newcomer:lm::out"}));
    EXPECT_EQ(world.objectsOfType("Newcomer"), lm::ObjectList{p_newcomer});
}

TEST_F(WorldTest, ObjectsGoOnceAtTheEndOfUpdateTheirDestructorsMarkingMore) {
    auto* p_first = new Probe("First", journal);
    auto* p_sweeper = new Probe("Sweeper", journal);
    auto* p_second = new Probe("Second", journal);
    EXPECT_EQ(logLines().back(), "Object: id = " + std::to_string(p_second->getId()));
    // As a defeated hero does: marks every object, itself again, and makes a newcomer.
    const auto sweep = [this] {
        for (lm::Object* p_object : world.getAllObjects()) {
            world.markForDelete(p_object);
        }
        new Probe("Newcomer", journal);
    };
    p_sweeper->last_act = sweep;
    EXPECT_EQ(world.markForDelete(p_first) + world.markForDelete(p_first), 0);
    EXPECT_EQ(world.markForDelete(p_sweeper) - world.markForDelete(nullptr), 1);
    EXPECT_TRUE(journal.empty());
    world.update();
    world.update();
    EXPECT_EQ(journal, (Journal{"~First", "~Sweeper", "~Second"}));
    ASSERT_EQ(world.getAllObjects().size(), 1u) << "the newcomer made while deleting stays";
}

TEST_F(WorldTest, TheViewFollowsItsObjectCentredAndClampedUntilTheObjectIsGone) {
    world.setViewPosition(Vector(31, 20.5f));
    EXPECT_EQ(world.getView().getCorner(), Vector(16, 0.5f)) << "not rounded";
    auto* p_hero = new Probe("Hero", journal, Vector(20, 30));
    auto* p_stranger = new Probe("Stranger", journal, Vector(20, 70));
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
    EXPECT_EQ(world.getView().getCorner(), Vector(5, 40));
    world.setViewFollowing(nullptr);
    world.moveObject(p_stranger, Vector(20, 20));
    EXPECT_EQ(world.getView().getCorner(), Vector(5, 40));
}

TEST_F(WorldTest, DisplaysStandAtNinePlacesOfTheViewShowTheirValuesAndDrawingGoesByAltitude) {
    auto* p_view = new lm::ViewObject;
    EXPECT_EQ(p_view->getPosition(), Vector(15, 1)) << "at the top centre, inside the border";
    const Vector places[] = {{5, 1},   {15, 1}, {25, 1},  {5, 20}, {15, 20},
                             {25, 20}, {5, 39}, {15, 39}, {25, 39}};
    for (int location = lm::TOP_LEFT; location <= lm::BOTTOM_RIGHT; ++location) {
        p_view->setLocation(static_cast<lm::ViewLocation>(location));
        EXPECT_EQ(p_view->getPosition(), places[location]) << location;
    }
    p_view->setLocation(lm::TOP_RIGHT);
    p_view->setBorder(false);
    EXPECT_EQ(p_view->getPosition(), Vector(25, 0)) << "without the border, the top row";
    p_view->setViewString("Enemy Health");
    auto* p_twin = new lm::ViewObject;
    p_twin->setViewString("Enemy Health");
    const lm::EventView set_to_5("Enemy Health", 5, false), minus_3("Enemy Health", -3, true);
    const lm::EventView other("Player Health", 9, false);
    EXPECT_EQ(p_view->eventHandler(&other) + p_view->eventHandler(&minus_3), 1);
    EXPECT_EQ(p_view->eventHandler(&set_to_5), 1);
    world.onEvent(&minus_3);
    EXPECT_EQ(p_view->getValue() * 10 + p_twin->getValue(), 20 - 3);
    EXPECT_EQ(lm::EventCollision().getType() + lm::EventMouse().getType(),
              "lm::collisionlm::mouse");

    // By altitude, then in list order; only altitudes 0 to 4 and what the view meets.
    const char* const names[] = {"Top",   "Middle1", "Bottom", "Above",
                                 "Below", "Middle2", "Far",    "Edge"};
    const int altitudes[] = {lm::MAX_ALTITUDE, 2, 0, 5, -1, 2, 1, 3};
    const float xs[] = {0, 0, 0, 0, 0, 0, 100, -1};  // beyond the view, or just touching it
    for (int i = 0; i < 8; ++i) {
        (new Probe(names[i], journal, Vector(xs[i], xs[i] == 0 ? 0.0f : 40.0f)))
            ->setAltitude(altitudes[i]);
    }
    world.draw();
    EXPECT_EQ(journal,
              (Journal{"draw Bottom", "draw Middle1", "draw Middle2", "draw Edge", "draw Top"}));
}

// In random worlds whose objects move, grow, change their solidness, come and go
// from inside the world's own steps, the index finds what a full scan finds, in the same order.
TEST_F(WorldTest, TheCollisionIndexFindsWhatAFullScanFinds) {
    std::mt19937 random(2026);
    const auto uniform = [&random](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    const auto pick = [&random](std::size_t count) { return random() % count; };
    for (int i = 0; i < 153; ++i) {
        auto* p_object = new Probe("o", journal, Vector(uniform(-5, 65), uniform(-5, 85)),
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
            }
        };
    }
    world.getAllObjects()[0]->setBox(Box(Vector(-100, -100), 300, 300));  // in every bucket
    world.getAllObjects()[1]->setPosition(Vector(1e30f, 1e30f));          // in none
    for (int step = 0; step < 100; ++step) {
        for (const lm::Object* p_object : world.getAllObjects()) {
            const Vector where =
                step % 2 ? p_object->predictPosition() : Vector(uniform(-10, 70), uniform(-10, 90));
            const lm::ObjectList all = world.getAllObjects();
            lm::ObjectList scanned;
            std::copy_if(all.begin(), all.end(), std::back_inserter(scanned), [&](lm::Object* p) {
                return p != p_object && p->isSolid() &&
                       World::boxIntersectsBox(World::getWorldBox(p_object, where),
                                               World::getWorldBox(p));
            });
            ASSERT_EQ(world.getCollisions(p_object, where), scanned) << "step " << step;
        }
        world.update();
    }
    EXPECT_GT(journal.size(), 100u) << "the objects met, and reacted";
}

}  // namespace
