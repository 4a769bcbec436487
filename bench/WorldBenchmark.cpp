// What the world costs: a step with many objects, a tenth of them moving, searching collisions
// through the index or by scanning every object; an event sent to every object; a sprite file
// read.

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
    const int count = static_cast<int>(state.range(0));
    const bool indexed = state.range(1) != 0;
    lm::WorldManager::getInstance().setIndexed(indexed);
    fillWorld(count);
    for (auto _ : state) {
        lm::WorldManager::getInstance().update();
    }
    emptyWorld();
    state.SetLabel(indexed ? "index" : "scan");
}
BENCHMARK(BM_WorldUpdate)
    ->Unit(benchmark::kMillisecond)
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Args({100000, 1});
// A scan of 100,000 objects for each of 10,000 movers takes seconds: one step is enough.
BENCHMARK(BM_WorldUpdate)->Unit(benchmark::kMillisecond)->Args({100000, 0})->Iterations(1);

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
