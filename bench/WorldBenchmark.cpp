// What the world costs: a step with many objects, a tenth of them moving; the collision searches of
// those that move, through the world's index and by scanning every object; an event sent to every
// object; a sprite file read.

#include "engine/Box.h"
#include "engine/EventStep.h"
#include "engine/Object.h"
#include "engine/ResourceManager.h"
#include "engine/WorldManager.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <random>

namespace {

/// Fills the world with objects of one cell, about one in every sixteen cells of a square world;
/// every tenth object moves, without being stopped by the others.
void fillWorld(int count) {
    lm::WorldManager& world = lm::WorldManager::getInstance();
    world.startUp();
    const float side = std::sqrt(static_cast<float>(count) * 16);
    world.setBoundary(lm::Box(lm::Vector(0, 0), side, side));
    std::mt19937 random(7);
    std::uniform_real_distribution<float> place(0, side);
    std::uniform_real_distribution<float> step(-0.5f, 0.5f);
    for (int i = 0; i < count; ++i) {
        auto* p_object = new lm::Object;
        p_object->setPosition(lm::Vector(place(random), place(random)));
        if (i % 10 == 0) {
            p_object->setSolidness(lm::NONBLOCKING);
            p_object->setVelocity(lm::Vector(step(random), step(random)));
        }
    }
}

void emptyWorld() {
    lm::WorldManager::getInstance().shutDown();
}

void BM_WorldUpdate(benchmark::State& state) {
    fillWorld(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        lm::WorldManager::getInstance().update();
    }
    emptyWorld();
}
BENCHMARK(BM_WorldUpdate)->Unit(benchmark::kMillisecond)->Arg(1000)->Arg(10000)->Arg(100000);

/// The collision search of every moving object, one step ahead: through the world's index, or as
/// a world without one would make it, looking at every object in turn.
void BM_CollisionSearches(benchmark::State& state) {
    const bool indexed = state.range(1) != 0;
    fillWorld(static_cast<int>(state.range(0)));
    lm::WorldManager& world = lm::WorldManager::getInstance();
    const lm::ObjectList all = world.getAllObjects();
    lm::ObjectList movers;
    for (lm::Object* p_object : all) {
        if (p_object->getVelocity().getX() != 0 || p_object->getVelocity().getY() != 0) {
            movers.push_back(p_object);
        }
    }
    for (auto _ : state) {
        for (const lm::Object* p_mover : movers) {
            const lm::Vector where = p_mover->getPosition() + p_mover->getVelocity();
            if (indexed) {
                benchmark::DoNotOptimize(world.getCollisions(p_mover, where));
                continue;
            }
            lm::ObjectList found;
            const lm::Box moved = lm::WorldManager::getWorldBox(p_mover, where);
            for (lm::Object* p_other : all) {
                if (p_other != p_mover && p_other->isSolid() &&
                    lm::WorldManager::boxIntersectsBox(moved,
                                                       lm::WorldManager::getWorldBox(p_other))) {
                    found.push_back(p_other);
                }
            }
            benchmark::DoNotOptimize(found);
        }
    }
    emptyWorld();
    state.SetLabel(indexed ? "index" : "scan");
}
BENCHMARK(BM_CollisionSearches)
    ->Unit(benchmark::kMillisecond)
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Args({100000, 1});
// A scan of 100,000 objects for each of 10,000 movers takes seconds: once is enough.
BENCHMARK(BM_CollisionSearches)->Unit(benchmark::kMillisecond)->Args({100000, 0})->Iterations(1);

void BM_BroadcastToTenThousand(benchmark::State& state) {
    fillWorld(10000);
    const lm::EventStep step;
    for (auto _ : state) {
        lm::WorldManager::getInstance().onEvent(&step);
    }
    emptyWorld();
}
BENCHMARK(BM_BroadcastToTenThousand)->Unit(benchmark::kMicrosecond);

void BM_LoadSprite(benchmark::State& state) {
    lm::ResourceManager& resources = lm::ResourceManager::getInstance();
    for (auto _ : state) {
        resources.loadSprite("sprites/start-screen.txt", "title");
        resources.unloadSprite("title");
    }
}
BENCHMARK(BM_LoadSprite)->Unit(benchmark::kMicrosecond);

}  // namespace
