// The collision index must change nothing but speed: random worlds run through the index and
// through a scan of every object must see the same events, in the same order, and end every step
// with the same objects in the same places.

#include "TestSupport.h"
#include "engine/Box.h"
#include "engine/Event.h"
#include "engine/WorldManager.h"

#include <cmath>
#include <limits>
#include <random>
#include <sstream>

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

    std::string snapshot() const {
        std::ostringstream out;
        for (const lm::Object* p_object : lm::WorldManager::getInstance().getAllObjects()) {
            out << p_object->getType() << p_object->getPosition() << p_object->getSolidness()
                << " ";
        }
        return out.str();
    }

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

/// Everything that happens in a random world over some steps.
Journal runRandomWorld(unsigned int seed, bool indexed) {
    lm::WorldManager& world = lm::WorldManager::getInstance();
    world.setIndexed(indexed);
    world.setBoundary(Box(Vector(0, 0), 40, 40));
    Journal journal;
    RandomWorld random_world(seed, journal);
    for (int i = 0; i < 80; ++i) {
        random_world.spawn();
    }
    random_world.spawnOddities();
    for (int step = 0; step < 60; ++step) {
        world.update();
        journal.push_back(random_world.snapshot());
    }
    random_world.calmDown();
    for (lm::Object* p_object : world.getAllObjects()) {
        world.markForDelete(p_object);
    }
    world.update();
    EXPECT_TRUE(world.getAllObjects().empty());
    return journal;
}

class CollisionIndexTest : public lm_test::EngineTest {};

TEST_F(CollisionIndexTest, RandomWorldsSeeTheSameEventsThroughTheIndexAsThroughAFullScan) {
    for (unsigned int seed = 1; seed <= 25; ++seed) {
        const Journal scanned = runRandomWorld(seed, false);
        const Journal indexed = runRandomWorld(seed, true);
        ASSERT_GT(scanned.size(), 60u);
        ASSERT_EQ(scanned.size(), indexed.size()) << "seed " << seed;
        for (std::size_t i = 0; i < scanned.size(); ++i) {
            ASSERT_EQ(scanned[i], indexed[i]) << "seed " << seed << ", entry " << i;
        }
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
