// The world: moves and collisions, deletion, the view and its displays, the drawing
// order, and the collision index against a full scan.

#include "TestSupport.h"
#include "engine/ViewObject.h"
#include "engine/WorldManager.h"

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
        last_act();
    }
    int draw() override {
        journal.push_back("draw " + getType());
        return 0;
    }
    std::function<void()> last_act = [] {};
    Journal& journal;
};

class WorldTest : public lm_test::EngineTest {
protected:
    Journal journal;
    World& world = World::getInstance();
};

TEST_F(WorldTest, EveryObjectTouchedHearsOfAMoveAndOnlyBlockingStopsBlocking) {
    world.setBoundary(Box(Vector(0, 0), 60, 80));
    auto* p_mover = new Probe("Mover", journal);
    new Probe("Bush", journal, Vector(1, 1), lm::NONBLOCKING);
    new Probe("Ghost", journal, Vector(1, 0), lm::INTANGIBLE);
    auto* p_rock = new Probe("Rock", journal, Vector(2, 0));
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
    EXPECT_EQ(world.getCollisions(p_rock, Vector(2.5f, 0)), lm::ObjectList{p_mover})
        << "solid again";
    p_mover->setVelocity(Vector(0, 2));
    Probe* p_newcomer = nullptr;
    p_mover->reaction = [&](const lm::Event*) {  // at the bush only
        p_newcomer = new Probe("Newcomer", journal, Vector(59, 10), lm::INTANGIBLE);
        p_newcomer->setVelocity(Vector(1, 0));
    };
    for (int step = 0; step < 4; ++step) {
        world.update();
    }
    EXPECT_EQ(p_mover->getPosition(), Vector(2, 8));
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
    p_sweeper->last_act = [this] {
        for (lm::Object* p_object : world.getAllObjects()) {
            world.markForDelete(p_object);
        }
        new Probe("Newcomer", journal);
    };
    EXPECT_EQ(world.markForDelete(p_first) + world.markForDelete(p_first), 0);
    EXPECT_EQ(world.markForDelete(p_sweeper) - world.markForDelete(nullptr), 1);
    EXPECT_TRUE(journal.empty());
    world.update();
    world.update();
    EXPECT_EQ(journal, (Journal{"~First", "~Sweeper", "~Second"}));
    EXPECT_EQ(world.getAllObjects().size(), 1u) << "the newcomer made while deleting stays";
}

TEST_F(WorldTest, TheViewFollowsItsObjectCentredAndClampedAndDisplaysStandAtNinePlacesOfIt) {
    world.setBoundary(Box(Vector(0, 0), 60, 80));
    world.setView(Box(Vector(0, 0), 30, 40));
    auto* p_hero = new Probe("Hero", journal, Vector(20, 30));
    world.removeObject(p_hero);
    EXPECT_EQ(world.setViewFollowing(p_hero), -1) << "not in the world";
    world.insertObject(p_hero);
    EXPECT_EQ(world.setViewFollowing(p_hero), 0);
    EXPECT_EQ(world.getView().getCorner(), Vector(5, 10));
    const Vector moves[][2] = {
        {{14.5f, 31.5f}, {0, 11.5f}}, {{59, 75}, {30, 40}}, {{20, 30}, {5, 10}}};
    for (const auto& [to, corner] : moves) {
        world.moveObject(p_hero, to);
        EXPECT_EQ(world.getView().getCorner(), corner) << to;
    }
    world.setViewFollowing(nullptr);
    world.moveObject(p_hero, Vector(2, 31));
    EXPECT_EQ(world.getView().getCorner(), Vector(5, 10));

    auto* p_view = new lm::ViewObject;
    const Vector places[] = {{5, 1},   {15, 1}, {25, 1},  {5, 20}, {15, 20},
                             {25, 20}, {5, 39}, {15, 39}, {25, 39}};
    for (int location = lm::TOP_LEFT; location <= lm::BOTTOM_RIGHT; ++location) {
        p_view->setLocation(static_cast<lm::ViewLocation>(location));
        EXPECT_EQ(p_view->getPosition(), places[location]) << location;
    }
    p_view->setLocation(lm::TOP_RIGHT);
    p_view->setBorder(false);
    EXPECT_EQ(p_view->getPosition(), Vector(25, 0)) << "without the border, the top row";
}

TEST_F(WorldTest, DrawingGoesByAltitudeThenListOrderAndOnlyWhatTheViewMeets) {
    world.setView(Box(Vector(0, 0), 30, 40));
    // Altitudes 0 to 4 only; the view is met if only at its edge.
    const std::tuple<const char*, int, Vector> objects[] = {
        {"Top", 4, {}},    {"Middle1", 2, {}}, {"Bottom", 0, {}},     {"Above", 5, {}},
        {"Below", -1, {}}, {"Middle2", 2, {}}, {"Far", 1, {100, 40}}, {"Edge", 3, {-1, 40}}};
    for (const auto& [name, altitude, at] : objects) {
        (new Probe(name, journal, at))->setAltitude(altitude);
    }
    world.draw();
    EXPECT_EQ(journal,
              (Journal{"draw Bottom", "draw Middle1", "draw Middle2", "draw Edge", "draw Top"}));
}

// In random worlds whose objects move, grow, change their solidness and go from inside the
// world's own steps, the index finds what a full scan finds, in the same order.
TEST_F(WorldTest, TheCollisionIndexFindsWhatAFullScanFinds) {
    std::mt19937 random(2026);
    const auto uniform = [&random](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    for (int i = 0; i < 153; ++i) {
        auto* p_object = new Probe("o", journal, Vector(uniform(-5, 65), uniform(-5, 85)),
                                   static_cast<lm::Solidness>(random() % 3));
        p_object->setBox(Box(Vector(uniform(-1, 1), uniform(-1, 1)), uniform(0, 4), uniform(0, 4)));
        p_object->setVelocity(random() % 10 < 4 ? Vector(uniform(-2, 2), uniform(-2, 2))
                                                : Vector());
        p_object->reaction = [&, p_object](const lm::Event*) {
            const auto choice = random() % 10;
            if (choice == 1) {
                world.markForDelete(world.getAllObjects()[random() % world.getAllObjects().size()]);
            } else if (choice == 2) {
                p_object->setBox(Box(Vector(0, 0), uniform(0, 6), uniform(0, 6)));
            } else if (choice == 3) {
                p_object->setSolidness(static_cast<lm::Solidness>(random() % 3));
            }
        };
    }
    world.getAllObjects()[0]->setBox(Box(Vector(-100, -100), 300, 300));  // in every bucket
    world.getAllObjects()[1]->setPosition(Vector(1e30f, 1e30f));          // in none
    for (int step = 0; step < 100; ++step) {
        for (const lm::Object* p_object : world.getAllObjects()) {
            const Vector where =
                step % 2 ? p_object->predictPosition() : Vector(uniform(-10, 70), uniform(-10, 90));
            const Box box = World::getWorldBox(p_object, where);
            lm::ObjectList scanned;
            for (lm::Object* p : world.getAllObjects()) {
                if (p != p_object && p->isSolid() &&
                    World::boxIntersectsBox(box, World::getWorldBox(p))) {
                    scanned.push_back(p);
                }
            }
            ASSERT_EQ(world.getCollisions(p_object, where), scanned) << "step " << step;
        }
        world.update();
    }
    EXPECT_GT(journal.size(), 100u) << "the objects met, and reacted";
}

}  // namespace
