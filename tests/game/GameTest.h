#pragma once

#include "../TestSupport.h"
#include "engine/Constants.h"
#include "engine/WorldManager.h"

#include <string>
#include <vector>

namespace lm_test {

/// The game's world as main sets it up, without a window: the 60 x 80 world, the 60 x 40 view at
/// (0, 0), every sprite and the attack sound loaded, and for music a tone of a tenth of a second,
/// so that a track that does not repeat is soon silent. The game's rand() is the scripted one.
class GameTest : public EngineTest {
protected:
    void SetUp() override;
    void TearDown() override;

    /// The numbers rand() returns from now on, in order, then the last one for ever.
    void rolls(const std::vector<int>& values) const;

    /// One key held down for a step, or a key let go, as the input manager sends them.
    static void press(lm::Keyboard::Key key);
    static void release();
    /// A step event to everyone, then the world's update, which deletes what was marked.
    static void step();
    static void update() { lm::WorldManager::getInstance().update(); }
    /// Takes every object but the one kept out of the world, in one update.
    static void clearWorld(const lm::Object* p_keep = nullptr);

    static std::vector<std::string> types();
    static int count(const std::string& type);
    /// The first object of a type, or null.
    static lm::Object* find(const std::string& type);
    /// The value a display of this type shows, and the battle's message.
    static int shown(const std::string& type);
    static std::string message();
    /// Whether the music plays; asked a while after it started, whether it repeats.
    static bool musicPlaying();
    static bool soundPlaying();
};

}  // namespace lm_test
