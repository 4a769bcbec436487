// Sprite files as the loader reads them, good and bad, the sprite table, and animation.

#include "engine/Sprite.h"

#include "TestSupport.h"
#include "engine/Animation.h"
#include "engine/ResourceManager.h"

#include <algorithm>

namespace {

using lm_test::Lines;

/// A two-frame, 3 x 2 red sprite that changes frame every 4 draws; line n of the file is
/// SAMPLE[n - 1].
const Lines SAMPLE = {
    "<HEADER>",  "frames 2", "width 3", "height 2", "color red", "slowdown 4",
    "</HEADER>", "<BODY>",   "/ \\",    "\\_/",     "end",       "o-o",
    "|||",       "end",      "</BODY>", "<FOOTER>", "version 1", "</FOOTER>",
};

/// The sample's text with line n replaced by text, or removed when text is empty, or with text
/// put before line n when inserting; n = 0 leaves it whole.
std::string edited(std::size_t n, const std::string& text = "", bool inserting = false,
                   const std::string& line_end = "\n") {
    Lines lines = SAMPLE;
    const auto at = lines.begin() + static_cast<std::ptrdiff_t>(n > 0 ? n - 1 : 0);
    if (n == 0) {
        // the sample as it is
    } else if (inserting) {
        lines.insert(at, text);
    } else if (text.empty()) {
        lines.erase(at);
    } else {
        *at = text;
    }
    std::string joined;
    for (const std::string& line : lines) {
        joined += line + line_end;
    }
    return joined;
}

const char* const LOADED = "SRM::loadSprite(): Sprite 's' loaded.";
const char* const NOT_LOADED = "SRM::loadSprite(): Sprite 's' not loaded.";
const char* const NO_DATA = "SRM::loadSprite(): Error! No frame data to add.";

struct SpriteFile {
    const char* what;
    std::string text;
    Lines log_end;  // the last lines the load writes; the load succeeds when the last is LOADED
};

void PrintTo(const SpriteFile& test_case, std::ostream* out) {
    *out << test_case.what;
}

class SpriteFileTest : public lm_test::EngineTest,
                       public ::testing::WithParamInterface<SpriteFile> {};

TEST_P(SpriteFileTest, LoadsOrSaysWhyNot) {
    lm::ResourceManager& resources = lm::ResourceManager::getInstance();
    resources.startUp();
    lm_test::writeFile("s.txt", GetParam().text);
    const bool loads = GetParam().log_end.back() == LOADED;
    EXPECT_EQ(resources.loadSprite("s.txt", "s"), loads ? 0 : -1);
    const Lines log = logLines();
    ASSERT_GE(log.size(), GetParam().log_end.size() + 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "SRM::loadSprite(): Opened file 's.txt'."), 1);
    EXPECT_EQ(Lines(log.end() - static_cast<std::ptrdiff_t>(GetParam().log_end.size()), log.end()),
              GetParam().log_end);
    EXPECT_EQ(resources.getSprite("s") != nullptr, loads);
}

// The header's values as a load that got past the header writes them.
const Lines HEADER_LOG = {"\t      Frames: 2", "\t       Width: 3",   "\t      Height: 2",
                          "\t    Slowdown: 4", "\t       Color: red", LOADED};
const Lines UNRECOGNISED = {"  Valid colors are: black, red, green, yellow,",
                            "                    blue, magenta, cyan and white.", NOT_LOADED};

INSTANTIATE_TEST_SUITE_P(
    Files, SpriteFileTest,
    ::testing::Values(
        SpriteFile{"sample", edited(0), HEADER_LOG},
        SpriteFile{"crlf", edited(0, "", false, "\r\n"), HEADER_LOG},
        SpriteFile{"no_final_newline",
                   edited(0).substr(0, edited(0).size() - 1),
                   {"getLine(): Error! Unexpected end of file.",
                    "readData(): Error! Never encountered '</FOOTER>'.", NOT_LOADED}},
        SpriteFile{"blank_between",
                   edited(8, "", true),
                   {"\t       Color: red", "readData(): Error line 8! Expected '<BODY>', have ''.",
                    NOT_LOADED}},
        SpriteFile{"lower_case_marker",
                   edited(1, "<header>"),
                   {"SRM::loadSprite(): Opened file 's.txt'.",
                    "readData(): Error line 1! Expected '<HEADER>', have '<header>'.", NOT_LOADED}},
        SpriteFile{"blank_in_header",
                   edited(4, "", true),
                   {"readData(): Error! Never encountered '</HEADER>'.", NOT_LOADED}},
        SpriteFile{"empty_header",
                   "<HEADER>\n</HEADER>\n",
                   {"SRM::loadSprite(): Opened file 's.txt'.", NOT_LOADED}},
        SpriteFile{
            "colour_case", edited(5, "color Red"),
            Lines{"\t       Color: Red", "SRM::loadSprite(): Error! Unrecognized color 'Red'.",
                  UNRECOGNISED[0], UNRECOGNISED[1], NOT_LOADED}},
        SpriteFile{"colour_space",
                   edited(5, "color red "),
                   {"SRM::loadSprite(): Error! Unrecognized color 'red '.", UNRECOGNISED[0],
                    UNRECOGNISED[1], NOT_LOADED}},
        SpriteFile{
            "colour_default", edited(5, "color default"), {"\t       Color: default", LOADED}},
        SpriteFile{"no_colour",
                   edited(5),
                   {"SRM::loadSprite(): Warning! No 'color' in header.", "\t      Frames: 2",
                    "\t       Width: 3", "\t      Height: 2", "\t    Slowdown: 4",
                    "\t       Color: default", LOADED}},
        SpriteFile{"no_frames",
                   edited(2, "frames -1"),
                   {"SRM::loadSprite(): Error! Missing 'frames' in header.", NOT_LOADED}},
        SpriteFile{"no_width",
                   edited(3),
                   {"SRM::loadSprite(): Error! Missing 'width' in header.", NOT_LOADED}},
        SpriteFile{"no_height",
                   edited(4, "height -1"),
                   {"SRM::loadSprite(): Error! Missing 'height' in header.", NOT_LOADED}},
        SpriteFile{
            "extra_header",
            edited(3, "author me\nwidth 5", true),
            {"matchLineInt(): Warning! 'width 3' matches multiple lines.",
             "SRM::loadSprite(): Warning! Unused HEADER lines:", "\t'author me'", HEADER_LOG[0],
             HEADER_LOG[1], HEADER_LOG[2], HEADER_LOG[3], HEADER_LOG[4], LOADED}},
        SpriteFile{"no_slowdown",
                   edited(6),
                   {"SRM::loadSprite(): Warning! No 'slowdown' in header.", HEADER_LOG[0],
                    HEADER_LOG[1], HEADER_LOG[2], "\t    Slowdown: 0", HEADER_LOG[4], LOADED}},
        SpriteFile{"wide_row",
                   edited(13, "||||"),
                   {"\tError! Line 13: Line length is 4 (frame width is 3).", "\tLine 13: '||||'",
                    NO_DATA, NOT_LOADED}},
        SpriteFile{"width_word",
                   edited(3, "width three"),
                   {"\t       Width: 0", "\t      Height: 2", "\t    Slowdown: 4",
                    "\t       Color: red", "\tError! Line 9: Line length is 3 (frame width is 0).",
                    "\tLine 9: '/ \\'", NO_DATA, NOT_LOADED}},
        SpriteFile{"no_end",
                   edited(11, "stop"),
                   {"\tError! Line 11: Expected 'end'.", "\tLine 11: 'stop'", NO_DATA, NOT_LOADED}},
        SpriteFile{
            "extra_body",
            edited(2, "frames 1"),
            {"\t      Frames: 1", "\t       Width: 3", "\t      Height: 2", "\t    Slowdown: 4",
             "\t       Color: red", "SRM::loadSprite(): Error! Extra BODY:", "\tline 12: o-o",
             "\tline 13: |||", "\tline 14: end", NOT_LOADED}},
        SpriteFile{
            "short_body",
            edited(2, "frames 3"),
            {"\t      Frames: 3", "\t       Width: 3", "\t      Height: 2", "\t    Slowdown: 4",
             "\t       Color: red", "\tError! Line 15: No more frame data.", NO_DATA, NOT_LOADED}},
        SpriteFile{"huge_frames",
                   edited(2, "frames 99999999999999999999"),
                   {"\t      Frames: 2147483647", "\t       Width: 3", "\t      Height: 2",
                    "\t    Slowdown: 4", "\t       Color: red",
                    "\tError! Line 15: No more frame data.", NO_DATA, NOT_LOADED}},
        SpriteFile{
            "no_version",
            edited(17, "author me"),
            {"SRM::loadSprite(): Error! Missing 'version' in FOOTER (line 17).", NOT_LOADED}},
        SpriteFile{"empty_footer", edited(17), {"\t       Color: red", NOT_LOADED}},
        SpriteFile{"extra_footer",
                   edited(18, "author me", true),
                   {"SRM::loadSprite(): Warning! Unused FOOTER lines:", "\t'author me'", LOADED}}),
    [](const ::testing::TestParamInfo<SpriteFile>& file) { return std::string(file.param.what); });

class SpriteTableTest : public lm_test::EngineTest {};

TEST_F(SpriteTableTest, SpritesAreKeptByLabelInLoadOrderUpToTheTablesSize) {
    lm::ResourceManager& resources = lm::ResourceManager::getInstance();
    resources.startUp();
    lm_test::writeFile("red.txt", edited(0));
    lm_test::writeFile("blue.txt", edited(5, "color blue"));
    EXPECT_EQ(resources.loadSprite("nowhere.txt", "a"), -1);
    EXPECT_EQ(logLines().rbegin()[1], "SRM::loadSprite(): Error! Cannot open file 'nowhere.txt'.");
    resources.loadSprite("red.txt", "a");
    resources.loadSprite("blue.txt", "b");
    resources.loadSprite("red.txt", "b");
    const lm::Sprite* p_sprite = resources.getSprite("a");
    ASSERT_NE(p_sprite, nullptr);
    EXPECT_EQ(p_sprite->getLabel() + p_sprite->getFrame(0).getString() + "|" +
                  p_sprite->getFrame(1).getString(),
              "a/ \\\\_/|o-o|||");
    EXPECT_EQ(p_sprite->getFrameCount() * 1000 + p_sprite->getWidth() * 100 +
                  p_sprite->getHeight() * 10 + p_sprite->getSlowdown(),
              2324);
    EXPECT_EQ(resources.getSprite("b")->getColor(), lm::BLUE) << "the first with the label";
    EXPECT_EQ(resources.getSprite("B"), nullptr);
    EXPECT_EQ(resources.unloadSprite("c"), -1);
    EXPECT_EQ(resources.unloadSprite("a") + resources.unloadSprite("b"), 0);
    EXPECT_EQ(resources.getSprite("a"), nullptr);
    EXPECT_EQ(resources.getSprite("b")->getColor(), lm::RED);
    for (int i = 1; i < lm::MAX_SPRITES; ++i) {
        ASSERT_EQ(resources.loadSprite("red.txt", std::to_string(i)), 0);
    }
    EXPECT_EQ(resources.loadSprite("red.txt", "full"), -1);
    EXPECT_EQ(logLines().rbegin()[1],
              "SRM::loadSprite(): Error! Cannot add more Sprites (max is 1000).");
    EXPECT_NE(resources.getSprite("999"), nullptr);
    EXPECT_EQ(resources.startUp(), 0);
    EXPECT_EQ(logLines().back(), "SRM::startUp(): Already started.");
    EXPECT_NE(resources.getSprite("b"), nullptr);
}

/// The frame index shown at each of n draws.
std::vector<int> framesShown(lm::Animation& animation, int n) {
    std::vector<int> shown;
    for (int i = 0; i < n; ++i) {
        shown.push_back(animation.getIndex());
        animation.draw(lm::Vector(10, 5));
    }
    return shown;
}

TEST(AnimationTest, EachFrameStaysForTheSlowdownThenCyclesUnlessFrozen) {
    lm::Sprite sprite(3);
    EXPECT_EQ(sprite.getColor(), lm::WHITE);
    for (const char* frame : {"0", "1", "2", "3"}) {
        sprite.pushFrame(lm::Frame(1, 1, frame));
    }
    EXPECT_EQ(sprite.getFrameCount(), 3) << "no room for a fourth";
    EXPECT_TRUE(sprite.getFrame(3).getString().empty());
    EXPECT_TRUE(sprite.getFrame(-1).getString().empty());
    EXPECT_EQ(sprite.draw(3, lm::Vector()), -1);
    EXPECT_EQ(lm::Sprite(-3).pushFrame(lm::Frame(1, 1, "a")), -1);

    lm::Animation animation;
    EXPECT_EQ(animation.draw(lm::Vector()), -1) << "no sprite";
    animation.setIndex(5);
    animation.setSprite(&sprite);  // an index beyond the frames wraps to the first
    sprite.setSlowdown(2);
    EXPECT_EQ(framesShown(animation, 8), (std::vector<int>{5, 5, 0, 0, 1, 1, 2, 2}));
    EXPECT_EQ(animation.getIndex(), 0);
    sprite.setSlowdown(0);  // moves on at every draw
    EXPECT_EQ(framesShown(animation, 4), (std::vector<int>{0, 1, 2, 0}));
    animation.setSlowdownCount(-1);
    EXPECT_EQ(framesShown(animation, 3), (std::vector<int>{1, 1, 1})) << "frozen";
}

}  // namespace
