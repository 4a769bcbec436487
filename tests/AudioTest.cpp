// The sound and music tables: labels, order, capacity, voices, playing and stopping.

#include "TestSupport.h"
#include "engine/ResourceManager.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/System/Sleep.hpp>

#include <cstdlib>

namespace {

using lm_test::Lines;
using lm_test::writeTone;
using Status = sf::SoundSource::Status;

class AudioTest : public lm_test::EngineTest {
protected:
    /// Runs the audio library with this configuration, chosen before its device opens.
    static void configureAudio(const std::string& settings) {
        lm_test::writeFile("alsoft.conf", "[general]\n" + settings);
        setenv("ALSOFT_CONF", "alsoft.conf", 1);
        unsetenv("ALSOFT_DRIVERS");
    }
    lm::ResourceManager& resources = lm::ResourceManager::getInstance();
};

TEST_F(AudioTest, EntriesAreFoundByLabelUnloadingMovesTheLaterOnesDownAndTablesHold128) {
    writeTone("short.wav", 0.1f);
    writeTone("long.wav", 0.3f);
    lm_test::writeFile("noise.wav", "not a sound at all");
    EXPECT_EQ(resources.loadSound("missing.wav", "a") + resources.loadSound("noise.wav", "a") +
                  resources.loadMusic("missing.wav", "x"),
              -3);
    EXPECT_EQ(logLines(), Lines(3, "ResourceManager: unable to load from file"));
    for (const char* label : {"a", "b", "b"}) {
        const char* file = label[0] == 'a' ? "short.wav" : "long.wav";
        EXPECT_EQ(resources.loadSound(file, label) + resources.loadMusic(file, label), 0);
    }
    lm::Sound* p_first = resources.getSound("a");
    lm::Music* p_first_track = resources.getMusic("a");
    resources.getMusic("b")->play(true);
    EXPECT_EQ(resources.unloadSound("a") + resources.unloadMusic("a") +
                  resources.unloadSound("nothing") + resources.unloadMusic("nothing"),
              0);
    ASSERT_EQ(resources.getSound("b"), p_first) << "no entry was used up by a failed load";
    EXPECT_EQ(resources.getMusic("b"), p_first_track);
    EXPECT_EQ(p_first->getSound().getBuffer()->getSampleCount(), 6615u) << "with its samples";
    resources.loadSound("short.wav", "c");
    EXPECT_EQ(resources.getSound("c"), p_first + 2);

    // A sound plays once unless stopped; music repeats when asked to.
    p_first->play(false);
    p_first_track[1].play(false);
    EXPECT_EQ(p_first->getStatus() + p_first_track[1].getStatus(), 2 * Status::Playing);
    p_first->stop();
    p_first_track[1].stop();
    EXPECT_EQ(p_first->getStatus() + p_first_track[1].getStatus(), Status::Stopped);
    resources.getSound("c")->play(false);
    p_first_track[1].play(false);
    sf::sleep(sf::milliseconds(500));
    EXPECT_EQ(resources.getSound("c")->getStatus() + p_first_track[1].getStatus(), Status::Stopped);
    EXPECT_EQ(p_first_track->getStatus(), Status::Playing) << "looping, and kept through the move";

    int loads = 0;  // of both: 125 more fill the sounds, the last fails, then a music fits
    while (resources.loadSound("short.wav", "more") + resources.loadMusic("short.wav", "more") ==
           0) {
        ++loads;
    }
    EXPECT_EQ(resources.loadMusic("short.wav", "more") - loads, -1 - (lm::MAX_SOUNDS - 3));
    const Lines log = logLines();
    EXPECT_EQ(Lines(log.end() - 2, log.end()),
              (Lines{"ResourceManager: Sound array full", "ResourceManager: music array full"}));
}

TEST_F(AudioTest, OnlyLoadedEntriesHoldVoicesAndShutDownGivesThemAllBack) {
    configureAudio("drivers = null\nsources = 3\n");
    writeTone("tone.wav", 0.1f);
    ASSERT_EQ(resources.loadSound("tone.wav", "a") + resources.loadSound("tone.wav", "b") +
                  resources.loadMusic("tone.wav", "m"),
              0);
    EXPECT_EQ(resources.loadMusic("tone.wav", "n") + resources.loadSound("tone.wav", "c"), -2);
    EXPECT_EQ(logLines(), Lines(2, "ResourceManager: no audio voice left for 'tone.wav'"));
    resources.unloadSound("b");
    ASSERT_EQ(resources.loadMusic("tone.wav", "n"), 0);
    resources.shutDown();
    EXPECT_EQ(resources.getSound("a"), nullptr);
    EXPECT_EQ(resources.getMusic("m"), nullptr);
    for (const char* label : {"a", "b", "c"}) {
        EXPECT_EQ(resources.loadSound("tone.wav", label), 0) << label;
    }
}

}  // namespace
