// Sprite files as the loader reads them, good and bad, the sprite table, and animation.

#include "engine/Sprite.h"

#include "TestSupport.h"
#include "engine/Animation.h"
#include "engine/LogManager.h"
#include "engine/ResourceManager.h"

#include <sstream>

namespace {

using Ints = std::vector<int>;

/// A two-frame, 3 x 2 red sprite that changes frame every 4 draws; line n of the file is
/// SAMPLE[n - 1].
const lm_test::Lines SAMPLE = {
    "<HEADER>",  "frames 2", "width 3", "height 2", "color red", "slowdown 4",
    "</HEADER>", "<BODY>",   "/ \\",    "\\_/",     "end",       "o-o",
    "|||",       "end",      "</BODY>", "<FOOTER>", "version 1", "</FOOTER>",
};

/// The sample's text with line n replaced by text (which may hold several lines), or removed
/// when text is empty; n = 0 leaves it whole.
std::string edited(std::size_t n = 0, const std::string& text = "", const char* end = "\n") {
    std::string joined;
    for (std::size_t i = 1; i <= SAMPLE.size(); ++i) {
        joined += i != n ? SAMPLE[i - 1] + end : text.empty() ? "" : text + end;
    }
    return joined;
}

class SpriteFileTest : public lm_test::EngineTest {};

TEST_F(SpriteFileTest, LoadsGoodFilesSaysWhyNotOfBadOnesAndKeepsThemByLabel) {
    // Whether it loads, the file, and parts of what the load writes to the log, in order,
    // between @s; the log ends by saying whether the sprite was loaded.
    const std::tuple<bool, std::string, std::string> files[] = {
        {true, edited(), "Frames: 2@Width: 3@Height: 2@Slowdown: 4@Color: red\n"},
        {true, edited(0, "", "\r\n"), "Color: red"},
        {false, edited(8, "\n<BODY>"), "Error line 8! Expected '<BODY>', have ''."},
        {false, edited(4, "\nheight 2"), "Error! Never encountered '</HEADER>'."},
        {false, edited(5, "color Red"), "Unrecognized color 'Red'.\n  Valid colors are: black,"},
        {true, edited(5), "Warning! No 'color' in header.@Color: default"},
        {false, edited(4, "height -1"), "Error! Missing 'height' in header."},
        {true, edited(3, "author me\nwidth 5\nwidth 3"), "matches multiple@\t'author me'@Width: 3"},
        {true, edited(6), "Warning! No 'slowdown' in header.@Slowdown: 0"},
        {false, edited(13, "||||"), "Line length is 4 (frame width is 3).\n\tLine 13: '||||'"},
        {false, edited(11, "stop"), "Line 11: Expected 'end'.\n\tLine 11: 'stop'\n"},
        {false, edited(2, "frames 1"), "Extra BODY:\n\tline 12: o-o\n\tline 13: |||\n"},
        {false, edited(2, "frames 99999999999999999999"), "2147483647@Line 15: No more frame"},
        {false, edited(17, "author me"), "Error! Missing 'version' in FOOTER (line 17)."},
        {true, edited(18, "author me\n</FOOTER>"), "Unused FOOTER lines:\n\t'author me'\n"}};
    lm::ResourceManager& resources = lm::ResourceManager::getInstance();
    resources.startUp();
    for (const auto& [loads, text, parts] : files) {
        lm_test::writeFile("s.txt", text);
        lm::LogManager::getInstance().startUp();  // an empty log for each file
        EXPECT_EQ(resources.loadSprite("s.txt", "s"), loads ? 0 : -1) << text;
        std::string said;
        for (const std::string& line : logLines()) {
            said += line + "\n";
        }
        std::istringstream each(parts + (loads ? "@' loaded." : "@' not loaded."));
        std::size_t at = 0;
        for (std::string part; std::getline(each, part, '@');) {
            at = said.find(part, at);
            EXPECT_NE(at, std::string::npos) << part << " not in:\n" << said;
        }
        EXPECT_EQ(resources.unloadSprite("s") + 1, loads ? 1 : 0);
    }

    // The first sprite with a label is found, and stays until unloaded.
    lm_test::writeFile("red.txt", edited());
    lm_test::writeFile("blue.txt", edited(5, "color blue"));
    resources.loadSprite("red.txt", "a");
    resources.loadSprite("blue.txt", "b");
    resources.loadSprite("red.txt", "b");
    const lm::Sprite& sprite = *resources.getSprite("a");
    EXPECT_EQ(sprite.getFrame(0).getString() + "|" + sprite.getFrame(1).getString(),
              "/ \\\\_/|o-o|||");
    EXPECT_EQ(
        Ints({sprite.getFrameCount(), sprite.getWidth(), sprite.getHeight(), sprite.getSlowdown()}),
        Ints({2, 3, 2, 4}));
    EXPECT_EQ(resources.getSprite("b")->getColor(), lm::BLUE);
    EXPECT_EQ(resources.unloadSprite("a") + resources.unloadSprite("b"), 0);
    EXPECT_EQ(resources.getSprite("a"), nullptr);
    EXPECT_EQ(resources.getSprite("b")->getColor(), lm::RED);
    for (int i = 1; i <= lm::MAX_SPRITES; ++i) {  // the last finds the table full
        EXPECT_EQ(resources.loadSprite("red.txt", "more"), i < lm::MAX_SPRITES ? 0 : -1);
    }
    EXPECT_EQ(logLines().rbegin()[1],
              "SRM::loadSprite(): Error! Cannot add more Sprites (max is 1000).");
    EXPECT_EQ(resources.startUp(), 0);
    EXPECT_NE(resources.getSprite("b"), nullptr) << "kept through a second start-up";
}

/// The frame index shown at each of n draws.
Ints framesShown(lm::Animation& animation, int n) {
    Ints shown;
    for (int i = 0; i < n; ++i) {
        shown.push_back(animation.getIndex());
        animation.draw(lm::Vector(10, 5));
    }
    return shown;
}

TEST(AnimationTest, EachFrameStaysForTheSlowdownThenCyclesUnlessFrozen) {
    lm::Sprite sprite(3);
    EXPECT_EQ(sprite.getColor(), lm::WHITE) << "unless told otherwise";
    for (const char* frame : {"0", "1", "2", "3"}) {
        sprite.pushFrame(lm::Frame(1, 1, frame));
    }
    EXPECT_EQ(sprite.getFrameCount(), 3) << "no room for a fourth";
    EXPECT_EQ(sprite.draw(3, lm::Vector()) + lm::Sprite(-3).pushFrame(lm::Frame(1, 1, "a")), -2);
    lm::Animation animation;
    EXPECT_EQ(animation.draw(lm::Vector()), -1) << "no sprite";
    animation.setIndex(5);
    animation.setSprite(&sprite);  // an index beyond the frames wraps to the first
    sprite.setSlowdown(2);
    EXPECT_EQ(framesShown(animation, 8), Ints({5, 5, 0, 0, 1, 1, 2, 2}));
    sprite.setSlowdown(0);  // moves on at every draw
    EXPECT_EQ(framesShown(animation, 4), Ints({0, 1, 2, 0}));
    animation.setSlowdownCount(-1);
    EXPECT_EQ(framesShown(animation, 3), Ints({1, 1, 1})) << "frozen";
}

}  // namespace
