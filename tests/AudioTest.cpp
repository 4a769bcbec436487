// The sound and music tables: labels, order, capacity, voices, and what reaches the speaker.

#include "TestSupport.h"
#include "engine/ResourceManager.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/System/Sleep.hpp>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

using lm_test::writeTone;

constexpr unsigned int SAMPLE_RATE = 22050;

/// Runs the audio library with this configuration, chosen before its device opens.
void configureAudio(const std::string& settings) {
    lm_test::writeFile("alsoft.conf", "[general]\n" + settings);
    setenv("ALSOFT_CONF", "alsoft.conf", 1);
    unsetenv("ALSOFT_DRIVERS");
}

class AudioTest : public lm_test::EngineTest {
protected:
    lm::ResourceManager& resources = lm::ResourceManager::getInstance();
};

TEST_F(AudioTest, EntriesAreFoundByLabelAndUnloadingMovesTheLaterOnesDown) {
    configureAudio("drivers = null\n");
    writeTone("short.wav", 0.1f);
    writeTone("long.wav", 0.3f);
    lm_test::writeFile("noise.wav", "not a sound at all");
    EXPECT_EQ(resources.loadSound("missing.wav", "a"), -1);
    EXPECT_EQ(resources.loadSound("noise.wav", "a"), -1);
    EXPECT_EQ(resources.loadMusic("missing.wav", "x"), -1);
    EXPECT_EQ(logLines(), lm_test::Lines(3, "ResourceManager: unable to load from file"));
    for (const char* label : {"a", "b", "b"}) {
        EXPECT_EQ(resources.loadSound(label[0] == 'a' ? "short.wav" : "long.wav", label), 0);
        EXPECT_EQ(resources.loadMusic(label[0] == 'a' ? "short.wav" : "long.wav", label), 0);
    }
    lm::Sound* p_first = resources.getSound("a");
    lm::Music* p_first_track = resources.getMusic("a");
    ASSERT_NE(p_first, nullptr);
    EXPECT_EQ(p_first->getLabel(), "a");
    EXPECT_EQ(resources.getSound("A"), nullptr);
    resources.getMusic("b")->play(true);
    EXPECT_EQ(resources.unloadSound("a"), 0);
    EXPECT_EQ(resources.unloadMusic("a"), 0);
    EXPECT_EQ(resources.unloadSound("nothing"), 0);
    EXPECT_EQ(resources.unloadMusic("nothing"), 0);
    EXPECT_EQ(resources.getSound("a"), nullptr);
    EXPECT_EQ(resources.getMusic("a"), nullptr);
    ASSERT_EQ(resources.getSound("b"), p_first) << "no entry was used up by a failed load";
    EXPECT_EQ(resources.getMusic("b"), p_first_track);
    EXPECT_EQ(p_first->getSound().getBuffer()->getSampleCount(), 6615u) << "with its samples";
    EXPECT_EQ(resources.getMusic("b")->getStatus(), sf::SoundSource::Playing) << "still playing";
    resources.loadSound("short.wav", "c");
    EXPECT_EQ(resources.getSound("c"), p_first + 2);

    // A sound plays once unless stopped; music repeats when asked to.
    p_first->play(false);
    EXPECT_EQ(p_first->getStatus(), sf::SoundSource::Playing);
    p_first->stop();
    EXPECT_EQ(p_first->getStatus(), sf::SoundSource::Stopped);
    resources.getSound("c")->play(false);
    p_first_track[1].play(false);
    sf::sleep(sf::milliseconds(500));
    EXPECT_EQ(resources.getSound("c")->getStatus(), sf::SoundSource::Stopped);
    EXPECT_EQ(p_first_track[1].getStatus(), sf::SoundSource::Stopped);
    EXPECT_EQ(p_first_track->getStatus(), sf::SoundSource::Playing) << "looping";
    p_first_track->stop();
    EXPECT_EQ(p_first_track->getStatus(), sf::SoundSource::Stopped);
}

TEST_F(AudioTest, TablesHoldAHundredAndTwentyEightEntriesEach) {
    configureAudio("drivers = null\n");
    writeTone("tone.wav", 0.05f);
    for (int i = 0; i < lm::MAX_SOUNDS; ++i) {
        ASSERT_EQ(resources.loadSound("tone.wav", std::to_string(i)), 0);
        ASSERT_EQ(resources.loadMusic("tone.wav", std::to_string(i)), 0);
    }
    EXPECT_EQ(resources.loadSound("tone.wav", "more"), -1);
    EXPECT_EQ(resources.loadMusic("tone.wav", "more"), -1);
    EXPECT_EQ(logLines(), (lm_test::Lines{"ResourceManager: Sound array full",
                                          "ResourceManager: music array full"}));
    EXPECT_NE(resources.getMusic("127"), nullptr);
}

TEST_F(AudioTest, OnlyLoadedEntriesHoldVoicesAndShutDownGivesThemAllBack) {
    configureAudio("drivers = null\nsources = 4\n");
    writeTone("tone.wav", 0.1f);
    ASSERT_EQ(resources.loadSound("tone.wav", "a"), 0);
    ASSERT_EQ(resources.loadSound("tone.wav", "b"), 0);
    ASSERT_EQ(resources.loadMusic("tone.wav", "m"), 0);
    sf::SoundBuffer buffer;
    ASSERT_TRUE(buffer.loadFromFile("tone.wav"));
    sf::Sound elsewhere(buffer);  // the program's own, beside the tables: the fourth voice
    EXPECT_EQ(resources.loadMusic("tone.wav", "n"), -1);
    EXPECT_EQ(resources.loadSound("tone.wav", "c"), -1);
    EXPECT_EQ(logLines(), lm_test::Lines(2, "ResourceManager: no audio voice left for 'tone.wav'"));
    elsewhere.play();
    EXPECT_EQ(elsewhere.getStatus(), sf::SoundSource::Playing) << "its voice is its own";
    resources.unloadSound("b");
    ASSERT_EQ(resources.loadMusic("tone.wav", "n"), 0);
    resources.getMusic("n")->play(false);
    EXPECT_EQ(resources.getMusic("n")->getStatus(), sf::SoundSource::Playing);
    resources.shutDown();
    EXPECT_EQ(resources.getSound("a"), nullptr);
    EXPECT_EQ(resources.getMusic("m"), nullptr);
    for (const char* label : {"a", "b", "c"}) {
        EXPECT_EQ(resources.loadSound("tone.wav", label), 0) << label;
    }
}

TEST_F(AudioTest, WithoutAnAudioDeviceFilesAreStillCheckedAndNothingPlays) {
    configureAudio("drivers = no-such-output\n");
    writeTone("tone.wav", 0.1f);
    lm_test::writeFile("noise.wav", "not a sound at all");
    EXPECT_EQ(resources.loadMusic("noise.wav", "m") + resources.loadSound("noise.wav", "s"), -2);
    ASSERT_EQ(resources.loadMusic("tone.wav", "m") + resources.loadSound("tone.wav", "s"), 0);
    resources.getMusic("m")->play(true);
    resources.getSound("s")->play(false);
    EXPECT_NE(resources.getMusic("m")->getStatus(), sf::SoundSource::Playing);
    EXPECT_NE(resources.getSound("s")->getStatus(), sf::SoundSource::Playing);
}

TEST_F(AudioTest, PlayedMusicReachesTheSpeakerAndStopsWhenStopped) {
    configureAudio(
        "drivers = wave\nsample-type = int16\nchannels = mono\nfrequency = 22050\n"
        "[wave]\nfile = out.wav\n");
    writeTone("tune.wav", 0.2f);
    ASSERT_EQ(resources.loadMusic("tune.wav", "tune"), 0);
    sf::sleep(sf::milliseconds(300));
    resources.getMusic("tune")->play(true);
    sf::sleep(sf::milliseconds(600));
    resources.getMusic("tune")->stop();
    sf::sleep(sf::milliseconds(600));  // the writer flushes as it goes
    // The writer's header tells no length until it closes: the samples follow the "data" tag.
    std::ifstream file("out.wav", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), {});
    const std::size_t start = bytes.find("data") + 8;
    ASSERT_NE(start, std::string::npos + 8);
    const auto loud = [&bytes, start](double from, double to) {
        int count = 0;
        for (auto i = start + 2 * static_cast<std::size_t>(from * SAMPLE_RATE);
             i < start + 2 * static_cast<std::size_t>(to * SAMPLE_RATE) && i + 1 < bytes.size();
             i += 2) {
            const auto sample =
                static_cast<std::int16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8);
            count += std::abs(sample) > 1000 ? 1 : 0;
        }
        return count;
    };
    ASSERT_GT(bytes.size(), start + 2.6 * SAMPLE_RATE);
    EXPECT_EQ(loud(0, 0.2), 0) << "silence before play";
    EXPECT_GT(loud(0.4, 0.8), 2000) << "the tune, looping";
    EXPECT_EQ(loud(1.1, 1.3), 0) << "silence after stop";
}

}  // namespace
