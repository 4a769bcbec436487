// The real program in bad environments: broken or missing data, no log file, no audio device, no
// data at all. It keeps running with a clear line in its log, or it ends with a clear message and
// a failing status; it never crashes or hangs.

#include "GameProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace lm_test {
namespace {

using namespace std::chrono_literals;

bool logHas(const std::vector<std::string>& log, const std::string& line) {
    return std::find(log.begin(), log.end(), line) != log.end();
}

void write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

/// Starts a game, meets a goblin, strikes until it falls and quits: everything the game does.
void playThrough(GameProcess& game) {
    game.hold("space", 150ms);
    std::this_thread::sleep_for(300ms);
    game.scriptRand({1, 0, 0});
    std::this_thread::sleep_for(300ms);
    game.keyDown("a");  // an attack every 60 steps
    std::this_thread::sleep_for(6500ms);
    game.keyUp("a");
    game.hold("q", 150ms);
}

TEST(EnvironmentTest, EverySpriteFileMissingOrBrokenOnlyHidesItsObjects) {
    GameProcess game;
    const std::string sprites = game.dataFolder() + "/sprites/";
    const std::vector<std::pair<std::string, std::string>> files = {
        {"Rock.txt", "rock"},        {"Tree.txt", "tree"},     {"Bush.txt", "bush"},
        {"Grass.txt", "grass"},      {"Hero.txt", "hero"},     {"hero-spr.txt", "hero_combat"},
        {"goblin.txt", "goblin"},    {"battle.txt", "battle"}, {"zombie.txt", "zombie"},
        {"knight.txt", "knight"},    {"wizard.txt", "wizard"}, {"start-screen.txt", "start-screen"},
        {"controls.txt", "controls"}};
    // Every other file is gone; the rest lose a line, gain a blank one or become noise.
    const std::string breakages[] = {"", "<HEADER>\nframes 1\n\n", "\x01\x02 not a sprite \xff\n"};
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string path = sprites + files[i].first;
        if (i % 2 == 0) {
            fs::remove(path);
        } else {
            write(path, breakages[i % 3]);
        }
    }
    ASSERT_TRUE(game.start(false));
    playThrough(game);
    EXPECT_EQ(game.waitForExit(10s), 0);
    const std::vector<std::string> log = game.log();
    for (const auto& [file, label] : files) {
        EXPECT_TRUE(logHas(log, "SRM::loadSprite(): Sprite '" + label + "' not loaded.")) << file;
    }
    EXPECT_TRUE(logHas(log, "A Goblin appears!"));
    EXPECT_TRUE(logHas(log, "Enemy was defeated")) << "the battle was fought, unseen";
}

TEST(EnvironmentTest, MissingMusicAndABrokenSoundLeaveTheGameSilent) {
    GameProcess game;
    fs::remove(game.dataFolder() + "/sounds/combat-music.wav");
    write(game.dataFolder() + "/sounds/attack.wav", "RIFF, but not really a wave file");
    ASSERT_TRUE(game.start());
    playThrough(game);
    EXPECT_EQ(game.waitForExit(10s), 0);
    const std::vector<std::string> log = game.log();
    EXPECT_EQ(std::count(log.begin(), log.end(), "ResourceManager: unable to load from file"), 2);
    EXPECT_TRUE(logHas(log, "Enemy was defeated"));
}

TEST(EnvironmentTest, WithoutTheFontTheGameRunsAndSaysWhy) {
    GameProcess game;
    fs::remove(game.dataFolder() + "/lm-font.ttf");
    ASSERT_TRUE(game.start(false));
    std::this_thread::sleep_for(500ms);
    game.hold("q", 150ms);
    EXPECT_EQ(game.waitForExit(10s), 0);
    EXPECT_TRUE(logHas(game.log(),
                       "DisplayManager: Error! Cannot load the font 'lm-font.ttf': "
                       "cells show no characters."));
}

TEST(EnvironmentTest, ALogThatCannotBeWrittenIsToldOnStandardError) {
    GameProcess game;
    // Even for the administrator, a folder cannot be opened as a file.
    fs::create_directory(game.dataFolder() + "/lumora.log");
    ASSERT_TRUE(game.start());
    game.hold("q", 150ms);
    EXPECT_EQ(game.waitForExit(10s), 0);
    EXPECT_NE(game.standardError().find("lumora: cannot write the log file lumora.log"),
              std::string::npos);
}

TEST(EnvironmentTest, WithoutAnAudioDeviceTheGameRunsSilentlyAndQuietly) {
    GameProcess game;
    game.setEnvironment("ALSOFT_DRIVERS", "no-such-output");
    ASSERT_TRUE(game.start());
    std::this_thread::sleep_for(2s);  // the title would be playing its music
    game.hold("q", 150ms);
    EXPECT_EQ(game.waitForExit(10s), 0);
    // From start to exit, one line of the game's and the windowing library's remark that the
    // virtual display has no vertical sync.
    EXPECT_EQ(game.standardError(),
              "Setting vertical sync not supported\n"
              "lumora: no audio device answers: the game runs without sound.\n");
    EXPECT_TRUE(
        logHas(game.log(), "lumora: no audio device answers: the game runs without sound."));
}

TEST(EnvironmentTest, StartedAwayFromItsDataTheProgramSaysWhatIsMissing) {
    GameProcess game;
    fs::remove_all(game.dataFolder() + "/sprites");
    fs::remove_all(game.dataFolder() + "/sounds");
    fs::remove(game.dataFolder() + "/lm-font.ttf");
    game.launch();
    EXPECT_EQ(game.waitForExit(10s), 1);
    EXPECT_NE(game.standardError().find("lumora: the game's data is not in this folder"),
              std::string::npos);
    const std::vector<std::string> log = game.log();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& line) {
        return line.find("it needs sprites/, sounds/ and lm-font.ttf") != std::string::npos;
    }));
}

}  // namespace
}  // namespace lm_test
