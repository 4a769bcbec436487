#pragma once

#include "../TestSupport.h"
#include "engine/Constants.h"
#include "engine/Object.h"
#include "engine/WorldManager.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace lm_test {

/// Queues the values that the next calls of the C library's rand() return, in order, in this
/// test program. Once the queue is empty, rand() returns 0: no encounter, and the first choice of
/// every enemy's turn.
void scriptRand(std::initializer_list<int> values);

/// How many queued values rand() has not returned yet.
int randValuesLeft();

/// Once the queue is empty, rand() returns what this gives (null: 0 again).
void randFrom(std::function<int()> generator);

/// The game's world as main sets it up, without a window: the 60 x 80 world, the 60 x 40 view at
/// (0, 0), and every sprite, the music and the sound of the game loaded under their labels.
class GameTest : public EngineTest {
protected:
    void SetUp() override;

    /// One key held down for a step, or a key let go, as the input manager sends them.
    static void press(lm::Keyboard::Key key);
    static void release();
    /// A step event to everyone, then the world's update, which deletes what was marked.
    static void step();
    /// Only the world's update.
    static void update();

    /// The types of every object in the world, in list order.
    static std::vector<std::string> types();
    /// How many objects of a type the world holds.
    static int count(const std::string& type);
    /// The first object of a type, or null.
    static lm::Object* find(const std::string& type);
    /// Whether the game's music is playing.
    static bool musicPlaying();
};

}  // namespace lm_test
