#include "TestSupport.h"
#include "engine/ResourceManager.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/System/Sleep.hpp>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr unsigned int SAMPLE_RATE = 22050;

/// Writes a mono sine tone of the given length as a WAV file.
void writeTone(const std::string& path, float seconds, float frequency = 440) {
    std::vector<sf::Int16> samples(static_cast<std::size_t>(seconds * SAMPLE_RATE));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<sf::Int16>(
            8000 * std::sin(2 * 3.14159265f * frequency * static_cast<float>(i) / SAMPLE_RATE));
    }
    sf::SoundBuffer buffer;
    ASSERT_TRUE(buffer.loadFromSamples(samples.data(), samples.size(), 1, SAMPLE_RATE));
    ASSERT_TRUE(buffer.saveToFile(path));
}

sf::Uint64 sampleCount(lm::Sound* p_sound) {
    return p_sound->getSound().getBuffer()->getSampleCount();
}

class AudioTest : public lm_test::EngineTest {
protected:
    lm::ResourceManager& resources = lm::ResourceManager::getInstance();
};

TEST_F(AudioTest, SoundsAreFoundByTheirLabelAndPlayOnce) {
    writeTone("short.wav", 0.1f);
    writeTone("long.wav", 0.3f);
    EXPECT_EQ(resources.loadSound("short.wav", "hit"), 0);
    EXPECT_EQ(resources.loadSound("long.wav", "hit"), 0);
    EXPECT_EQ(resources.getSound("Hit"), nullptr);
    lm::Sound* p_hit = resources.getSound("hit");
    ASSERT_NE(p_hit, nullptr);
    EXPECT_EQ(p_hit->getLabel(), "hit");
    EXPECT_EQ(sampleCount(p_hit), 2205u) << "the first of the same label";

    p_hit->play(false);
    EXPECT_EQ(p_hit->getStatus(), sf::SoundSource::Playing);
    sf::sleep(sf::milliseconds(400));
    EXPECT_EQ(p_hit->getStatus(), sf::SoundSource::Stopped);
}

TEST_F(AudioTest, UnreadableFilesAreReportedAndTheirEntryReused) {
    lm_test::writeFile("noise.wav", "not a sound at all");
    EXPECT_EQ(resources.loadSound("missing.wav", "a"), -1);
    EXPECT_EQ(resources.loadSound("noise.wav", "a"), -1);
    EXPECT_EQ(resources.loadMusic("missing.wav", "m"), -1);
    EXPECT_EQ(logLines(), std::vector<std::string>(3, "ResourceManager: unable to load from file"));
    EXPECT_EQ(resources.getSound("a"), nullptr);
    EXPECT_EQ(resources.getMusic("m"), nullptr);

    writeTone("tone.wav", 0.1f);
    EXPECT_EQ(resources.loadSound("tone.wav", "a"), 0);
    EXPECT_EQ(resources.loadSound("tone.wav", "b"), 0);
    EXPECT_EQ(resources.getSound("b") - resources.getSound("a"), 1) << "no entry was used up";
}

TEST_F(AudioTest, UnloadingASoundMovesTheLaterOnesDownWithTheirSamples) {
    writeTone("a.wav", 0.1f);
    writeTone("b.wav", 0.2f);
    writeTone("c.wav", 0.3f);
    resources.loadSound("a.wav", "a");
    resources.loadSound("b.wav", "b");
    resources.loadSound("c.wav", "c");
    lm::Sound* p_first = resources.getSound("a");

    EXPECT_EQ(resources.unloadSound("a"), 0);
    EXPECT_EQ(resources.getSound("a"), nullptr);
    ASSERT_EQ(resources.getSound("b"), p_first);
    EXPECT_EQ(resources.getSound("c"), p_first + 1);
    EXPECT_EQ(sampleCount(resources.getSound("b")), 4410u);
    EXPECT_EQ(sampleCount(resources.getSound("c")), 6615u);
    resources.getSound("c")->play(false);
    EXPECT_EQ(resources.getSound("c")->getStatus(), sf::SoundSource::Playing);

    EXPECT_EQ(resources.unloadSound("nothing"), 0);
    resources.loadSound("a.wav", "d");
    EXPECT_EQ(resources.getSound("d"), p_first + 2) << "the freed entry is the next one used";
}

TEST_F(AudioTest, TablesHoldAHundredAndTwentyEightEntriesEach) {
    writeTone("tone.wav", 0.05f);
    for (int i = 0; i < lm::MAX_SOUNDS; ++i) {
        ASSERT_EQ(resources.loadSound("tone.wav", std::to_string(i)), 0);
    }
    for (int i = 0; i < lm::MAX_MUSICS; ++i) {
        ASSERT_EQ(resources.loadMusic("tone.wav", std::to_string(i)), 0);
    }
    EXPECT_EQ(resources.loadSound("tone.wav", "more"), -1);
    EXPECT_EQ(resources.loadMusic("tone.wav", "more"), -1);
    EXPECT_EQ(logLines(), (std::vector<std::string>{"ResourceManager: Sound array full",
                                                    "ResourceManager: music array full"}));
    EXPECT_NE(resources.getSound("127"), nullptr);
    EXPECT_NE(resources.getMusic("127"), nullptr);
}

TEST_F(AudioTest, MusicRepeatsUntilStopped) {
    writeTone("tune.wav", 0.15f);
    ASSERT_EQ(resources.loadMusic("tune.wav", "tune"), 0);
    lm::Music* p_tune = resources.getMusic("tune");
    ASSERT_NE(p_tune, nullptr);

    p_tune->play(true);
    sf::sleep(sf::milliseconds(500));
    EXPECT_EQ(p_tune->getStatus(), sf::SoundSource::Playing);
    p_tune->stop();
    EXPECT_EQ(p_tune->getStatus(), sf::SoundSource::Stopped);

    p_tune->play(false);
    sf::sleep(sf::milliseconds(500));
    EXPECT_EQ(p_tune->getStatus(), sf::SoundSource::Stopped);
}

TEST_F(AudioTest, UnloadingATrackMovesTheLaterOnesDown) {
    writeTone("short.wav", 0.1f);
    writeTone("long.wav", 0.3f);
    resources.loadMusic("short.wav", "x");
    resources.loadMusic("short.wav", "y");
    resources.loadMusic("long.wav", "z");
    lm::Music* p_first = resources.getMusic("x");
    resources.getMusic("z")->play(true);

    EXPECT_EQ(resources.unloadMusic("x"), 0);
    EXPECT_EQ(resources.getMusic("x"), nullptr);
    EXPECT_EQ(resources.getMusic("y"), p_first);
    EXPECT_EQ(resources.getMusic("z"), p_first + 1);
    EXPECT_EQ(resources.getMusic("z")->getStatus(), sf::SoundSource::Playing)
        << "a track that moves down keeps playing";

    EXPECT_EQ(resources.unloadMusic("nothing"), 0);
    resources.loadMusic("short.wav", "w");
    EXPECT_EQ(resources.getMusic("w"), p_first + 2) << "the freed entry is the next one used";
    for (const char* label : {"y", "z", "w"}) {
        EXPECT_EQ(resources.unloadMusic(label), 0);
        EXPECT_EQ(resources.getMusic(label), nullptr);
    }
    for (int i = 0; i < lm::MAX_MUSICS; ++i) {
        ASSERT_EQ(resources.loadMusic("short.wav", std::to_string(i)), 0) << "all entries are free";
    }
}

/// An audio library with only four voices, as a sound card may have, or the default set of
/// voices once other sounds of the program hold some.
class FewVoicesTest : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        lm_test::writeFile("alsoft.conf", "[general]\ndrivers = null\nsources = 4\n");
        setenv("ALSOFT_CONF", "alsoft.conf", 1);
        writeTone("tone.wav", 0.1f);
    }
};

TEST_F(FewVoicesTest, OnlyLoadedEntriesHoldVoicesAndALoadWithoutOneFails) {
    ASSERT_EQ(resources.loadSound("tone.wav", "a"), 0);
    ASSERT_EQ(resources.loadSound("tone.wav", "b"), 0);
    ASSERT_EQ(resources.loadMusic("tone.wav", "m"), 0);
    sf::SoundBuffer buffer;
    ASSERT_TRUE(buffer.loadFromFile("tone.wav"));
    sf::Sound elsewhere(buffer);  // the program's own, beside the tables: the fourth voice
    EXPECT_EQ(resources.loadMusic("tone.wav", "n"), -1);
    EXPECT_EQ(resources.loadSound("tone.wav", "c"), -1);
    EXPECT_EQ(logLines(),
              std::vector<std::string>(2, "ResourceManager: no audio voice left for 'tone.wav'"));
    EXPECT_EQ(resources.getMusic("n"), nullptr);
    elsewhere.play();
    EXPECT_EQ(elsewhere.getStatus(), sf::SoundSource::Playing) << "its voice is its own";

    resources.unloadSound("b");  // gives its voice back
    EXPECT_EQ(resources.loadMusic("tone.wav", "n"), 0);
    resources.getMusic("n")->play(false);
    EXPECT_EQ(resources.getMusic("n")->getStatus(), sf::SoundSource::Playing);
}

TEST_F(FewVoicesTest, ShutDownGivesEveryVoiceBack) {
    resources.loadSound("tone.wav", "a");
    resources.loadSound("tone.wav", "b");
    resources.loadMusic("tone.wav", "m");
    resources.loadMusic("tone.wav", "n");
    resources.shutDown();
    EXPECT_EQ(resources.getSound("a"), nullptr);
    EXPECT_EQ(resources.getMusic("m"), nullptr);
    for (const char* label : {"a", "b", "c", "d"}) {
        EXPECT_EQ(resources.loadSound("tone.wav", label), 0) << label;
    }
}

/// The little-endian 16-bit samples of a WAV file's data chunk.
std::vector<std::int16_t> wavSamples(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples;
    const std::size_t data = bytes.find("data");
    if (data == std::string::npos) {
        return samples;
    }
    for (std::size_t i = data + 8; i + 1 < bytes.size(); i += 2) {
        samples.push_back(
            static_cast<std::int16_t>(static_cast<unsigned char>(bytes[i]) |
                                      (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return samples;
}

int loudSamples(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to) {
    int loud = 0;
    for (std::size_t i = from; i < std::min(to, samples.size()); ++i) {
        loud += std::abs(samples[i]) > 1000 ? 1 : 0;
    }
    return loud;
}

class AudioOutputTest : public lm_test::EngineTest {};

TEST_F(AudioOutputTest, PlayedMusicReachesTheAudioOutput) {
    // The audio device opens with the first sound object, so the output is chosen before that:
    // OpenAL Soft's wave-file writer, 16-bit mono at the tone's rate.
    lm_test::writeFile("alsoft.conf",
                       "[general]\ndrivers = wave\nsample-type = int16\nchannels = mono\n"
                       "frequency = 22050\n[wave]\nfile = out.wav\n");
    setenv("ALSOFT_CONF", "alsoft.conf", 1);
    unsetenv("ALSOFT_DRIVERS");
    writeTone("tune.wav", 0.2f);
    lm::ResourceManager& resources = lm::ResourceManager::getInstance();
    ASSERT_EQ(resources.loadMusic("tune.wav", "tune"), 0);

    sf::sleep(sf::milliseconds(300));
    resources.getMusic("tune")->play(true);
    sf::sleep(sf::milliseconds(600));
    resources.getMusic("tune")->stop();
    sf::sleep(sf::milliseconds(400));  // the writer flushes as it goes

    const std::vector<std::int16_t> samples = wavSamples("out.wav");
    ASSERT_GT(samples.size(), SAMPLE_RATE) << "the output ran for over a second";
    EXPECT_EQ(loudSamples(samples, 0, SAMPLE_RATE / 5), 0) << "silence before play";
    EXPECT_GT(loudSamples(samples, SAMPLE_RATE * 4 / 10, SAMPLE_RATE * 8 / 10), 2000)
        << "the looping tune while playing";
}

}  // namespace
