// The collision index must change nothing but speed: in random worlds whose objects move, grow,
// change their solidness, come and go from inside the world's own steps, every collision search
// finds what a scan of every object finds, in the same order.

#include "TestSupport.h"
#include "engine/Box.h"
#include "engine/Event.h"
#include "engine/WorldManager.h"

#include <cmath>
#include <limits>
#include <random>

namespace {

using lm::Box;
using lm::Vector;
using lm_test::Journal;

class RandomWorld {
public:
    RandomWorld(unsigned int seed, Journal& init_journal) : random(seed), journal(init_journal) {}

    /// A new object somewhere in or around the world, maybe moving, of any solidness, reacting to
    /// collisions by changing the world.
    void spawn() {
        auto* p_object = new lm_test::Recorder("o" + std::to_string(made++), journal);
        p_object->setBox(Box(Vector(uniform(-1, 1), uniform(-1, 1)), uniform(0, 4), uniform(0, 4)));
        p_object->setPosition(Vector(uniform(-5, 45), uniform(-5, 45)));
        p_object->setSolidness(static_cast<lm::Solidness>(pick(3)));
        if (pick(10) < 4) {
            p_object->setVelocity(Vector(uniform(-1.5f, 1.5f), uniform(-1.5f, 1.5f)));
        }
        p_object->reaction = [this, p_object](const lm::Event* p_event) {
            if (p_event->getType() == lm::COLLISION_EVENT) {
                react(p_object);
            }
        };
    }

    /// Objects that stand in every bucket, or in none.
    void spawnOddities() {
        spawn();
        lm::WorldManager::getInstance().getAllObjects().back()->setBox(
            Box(Vector(-100, -100), 300, 300));
        spawn();
        lm::WorldManager::getInstance().getAllObjects().back()->setPosition(
            Vector(std::numeric_limits<float>::quiet_NaN(), 3));
        spawn();
        lm::WorldManager::getInstance().getAllObjects().back()->setPosition(Vector(1e30f, 1e30f));
    }

    /// From now on collisions change nothing, so that the world can be emptied.
    void calmDown() { calm = true; }

private:
    void react(lm::Object* p_object) {
        if (calm) {
            return;
        }
        lm::WorldManager& world = lm::WorldManager::getInstance();
        switch (pick(12)) {
            case 0:
                spawn();
                break;
            case 1:
                world.markForDelete(p_object);
                break;
            case 2:
                p_object->setBox(Box(Vector(0, 0), uniform(0, 6), uniform(0, 6)));
                break;
            case 3:
                p_object->setSolidness(static_cast<lm::Solidness>(pick(3)));
                break;
            case 4:
                p_object->setPosition(Vector(uniform(0, 40), uniform(0, 40)));
                break;
            case 5: {
                const lm::ObjectList all = world.getAllObjects();
                world.markForDelete(all[pick(static_cast<int>(all.size()))]);
                break;
            }
            default:
                break;
        }
    }

    float uniform(float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    }
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }

    std::mt19937 random;
    Journal& journal;
    int made = 0;
    bool calm = false;
};

/// What a scan of every object finds for a collision search: the solid objects other than the
/// object itself that its box, placed at where, would touch, in list order.
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

class CollisionIndexTest : public lm_test::EngineTest {};

TEST_F(CollisionIndexTest, RandomWorldsFindThroughTheIndexWhatAFullScanFinds) {
    lm::WorldManager& world = lm::WorldManager::getInstance();
    world.setBoundary(Box(Vector(0, 0), 40, 40));
    for (unsigned int seed = 1; seed <= 25; ++seed) {
        Journal journal;
        RandomWorld random_world(seed, journal);
        for (int i = 0; i < 80; ++i) {
            random_world.spawn();
        }
        random_world.spawnOddities();
        std::mt19937 probes(seed);
        std::uniform_real_distribution<float> place(-10, 50);
        for (int step = 0; step < 60; ++step) {
            // Where each object is, where it is going, and somewhere anywhere.
            for (const lm::Object* p_object : world.getAllObjects()) {
                for (const Vector where :
                     {p_object->getPosition(), p_object->getPosition() + p_object->getVelocity(),
                      Vector(place(probes), place(probes))}) {
                    ASSERT_EQ(world.getCollisions(p_object, where), scan(p_object, where))
                        << "seed " << seed << ", step " << step << ", at " << where;
                }
            }
            world.update();
        }
        EXPECT_GT(journal.size(), 20u) << "the objects met, and reacted";
        random_world.calmDown();
        for (lm::Object* p_object : world.getAllObjects()) {
            world.markForDelete(p_object);
        }
        world.update();
        ASSERT_TRUE(world.getAllObjects().empty());
    }
}

TEST_F(CollisionIndexTest, TheIndexFollowsObjectsMovedResizedAndMadeSolidBehindItsBack) {
    lm::WorldManager& world = lm::WorldManager::getInstance();
    Journal journal;
    auto* p_mover = new lm_test::Recorder("mover", journal);
    auto* p_wall = new lm_test::Recorder("wall", journal);
    p_wall->setPosition(Vector(100, 100));
    EXPECT_TRUE(world.getCollisions(p_mover, Vector(100, 100)).size() == 1);
    p_wall->setPosition(Vector(-50, 7));
    EXPECT_TRUE(world.getCollisions(p_mover, Vector(100, 100)).empty());
    EXPECT_EQ(world.getCollisions(p_mover, Vector(-50, 7)).size(), 1u);
    p_wall->setSolidness(lm::INTANGIBLE);
    EXPECT_TRUE(world.getCollisions(p_mover, Vector(-50, 7)).empty());
    p_wall->setSolidness(lm::NONBLOCKING);
    p_wall->setBox(Box(Vector(0, 0), 60, 1));
    EXPECT_EQ(world.getCollisions(p_mover, Vector(5, 7)).size(), 1u);
    world.markForDelete(p_wall);
    world.update();
    EXPECT_TRUE(world.getCollisions(p_mover, Vector(5, 7)).empty());
}

}  // namespace
