// Sprite files as the loader reads them, good and bad, the sprite table, and animation.

#include "engine/Sprite.h"

#include "TestSupport.h"
#include "engine/Animation.h"
#include "engine/ResourceManager.h"

namespace {

using lm_test::Lines;

/// A two-frame, 3 x 2 red sprite that changes frame every 4 draws; line n of the file is
/// SAMPLE[n - 1].
const Lines SAMPLE = {
    "<HEADER>",  "frames 2", "width 3", "height 2", "color red", "slowdown 4",
    "</HEADER>", "<BODY>",   "/ \\",    "\\_/",     "end",       "o-o",
    "|||",       "end",      "</BODY>", "<FOOTER>", "version 1", "</FOOTER>",
};

/// The sample with line n replaced by text, removed when text is empty, or with text put before
/// line n when inserting.
Lines edited(std::size_t n, const std::string& text, bool inserting = false) {
    Lines lines = SAMPLE;
    const auto at = lines.begin() + static_cast<std::ptrdiff_t>(n - 1);
    if (inserting) {
        lines.insert(at, text);
    } else if (text.empty()) {
        lines.erase(at);
    } else {
        *at = text;
    }
    return lines;
}

std::string joined(const Lines& lines, const std::string& line_end) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + line_end;
    }
    return text;
}

/// The log of the header's values, as a load that got past the header writes it.
Lines header(const std::string& colour = "red", int frames = 2, int width = 3) {
    return {"\t      Frames: " + std::to_string(frames), "\t       Width: " + std::to_string(width),
            "\t      Height: 2", "\t    Slowdown: 4", "\t       Color: " + colour};
}

Lines operator+(Lines lines, const Lines& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

const std::string LOADED = "SRM::loadSprite(): Sprite 's' loaded.";
const std::string NOT_LOADED = "SRM::loadSprite(): Sprite 's' not loaded.";
const std::string NO_DATA = "SRM::loadSprite(): Error! No frame data to add.";

struct SpriteFile {
    const char* what;
    std::string text;
    int result;
    Lines log;  // after "Loading sprite" and "Opened file"
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
    const std::size_t before = logLines().size();
    EXPECT_EQ(resources.loadSprite("s.txt", "s"), GetParam().result);
    Lines log = logLines();
    log.erase(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(before));
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "SRM::loadSprite(): Loading sprite 's.txt'.");
    EXPECT_EQ(log[1], "SRM::loadSprite(): Opened file 's.txt'.");
    EXPECT_EQ(Lines(log.begin() + 2, log.end()), GetParam().log);
    EXPECT_EQ(resources.getSprite("s") != nullptr, GetParam().result == 0);
}

const Lines UNRECOGNISED = {"  Valid colors are: black, red, green, yellow,",
                            "                    blue, magenta, cyan and white.", NOT_LOADED};

INSTANTIATE_TEST_SUITE_P(
    Files, SpriteFileTest,
    ::testing::Values(
        SpriteFile{"sample", joined(SAMPLE, "\n"), 0, header() + Lines{LOADED}},
        SpriteFile{"crlf", joined(SAMPLE, "\r\n"), 0, header() + Lines{LOADED}},
        SpriteFile{
            "no_final_newline",
            [] {
                std::string text = joined(SAMPLE, "\n");
                text.pop_back();
                return text;
            }(),
            -1,
            header() + Lines{"getLine(): Error! Unexpected end of file.",
                             "readData(): Error! Never encountered '</FOOTER>'.", NOT_LOADED}},
        SpriteFile{
            "blank_between", joined(edited(8, "", true), "\n"), -1,
            header() + Lines{"readData(): Error line 8! Expected '<BODY>', have ''.", NOT_LOADED}},
        SpriteFile{"lower_case_marker",
                   joined(edited(1, "<header>"), "\n"),
                   -1,
                   {"readData(): Error line 1! Expected '<HEADER>', have '<header>'.", NOT_LOADED}},
        SpriteFile{"blank_in_header",
                   joined(edited(4, "", true), "\n"),
                   -1,
                   {"readData(): Error! Never encountered '</HEADER>'.", NOT_LOADED}},
        SpriteFile{"empty_header", "<HEADER>\n</HEADER>\n", -1, {NOT_LOADED}},
        SpriteFile{"colour_case", joined(edited(5, "color Red"), "\n"), -1,
                   header("Red") + Lines{"SRM::loadSprite(): Error! Unrecognized color 'Red'."} +
                       UNRECOGNISED},
        SpriteFile{"colour_space", joined(edited(5, "color red "), "\n"), -1,
                   header("red ") + Lines{"SRM::loadSprite(): Error! Unrecognized color 'red '."} +
                       UNRECOGNISED},
        SpriteFile{"colour_default", joined(edited(5, "color default"), "\n"), 0,
                   header("default") + Lines{LOADED}},
        SpriteFile{"no_colour", joined(edited(5, ""), "\n"), 0,
                   Lines{"SRM::loadSprite(): Warning! No 'color' in header."} + header("default") +
                       Lines{LOADED}},
        SpriteFile{"no_frames",
                   joined(edited(2, "frames -1"), "\n"),
                   -1,
                   {"SRM::loadSprite(): Error! Missing 'frames' in header.", NOT_LOADED}},
        SpriteFile{"no_width",
                   joined(edited(3, ""), "\n"),
                   -1,
                   {"SRM::loadSprite(): Error! Missing 'width' in header.", NOT_LOADED}},
        SpriteFile{"no_height",
                   joined(edited(4, "height -1"), "\n"),
                   -1,
                   {"SRM::loadSprite(): Error! Missing 'height' in header.", NOT_LOADED}},
        SpriteFile{"extra_header", joined(edited(3, "author me\nwidth 5", true), "\n"), 0,
                   Lines{"matchLineInt(): Warning! 'width 3' matches multiple lines.",
                         "SRM::loadSprite(): Warning! Unused HEADER lines:", "\t'author me'"} +
                       header() + Lines{LOADED}},
        SpriteFile{"no_slowdown", joined(edited(6, ""), "\n"), 0,
                   Lines{"SRM::loadSprite(): Warning! No 'slowdown' in header.",
                         "\t      Frames: 2", "\t       Width: 3", "\t      Height: 2",
                         "\t    Slowdown: 0", "\t       Color: red", LOADED}},
        SpriteFile{"wide_row", joined(edited(13, "||||"), "\n"), -1,
                   header() + Lines{"\tError! Line 13: Line length is 4 (frame width is 3).",
                                    "\tLine 13: '||||'", NO_DATA, NOT_LOADED}},
        SpriteFile{
            "width_word", joined(edited(3, "width three"), "\n"), -1,
            header("red", 2, 0) + Lines{"\tError! Line 9: Line length is 3 (frame width is 0).",
                                        "\tLine 9: '/ \\'", NO_DATA, NOT_LOADED}},
        SpriteFile{"no_end", joined(edited(11, "stop"), "\n"), -1,
                   header() + Lines{"\tError! Line 11: Expected 'end'.", "\tLine 11: 'stop'",
                                    NO_DATA, NOT_LOADED}},
        SpriteFile{
            "extra_body", joined(edited(2, "frames 1"), "\n"), -1,
            header("red", 1) + Lines{"SRM::loadSprite(): Error! Extra BODY:", "\tline 12: o-o",
                                     "\tline 13: |||", "\tline 14: end", NOT_LOADED}},
        SpriteFile{
            "short_body", joined(edited(2, "frames 3"), "\n"), -1,
            header("red", 3) + Lines{"\tError! Line 15: No more frame data.", NO_DATA, NOT_LOADED}},
        SpriteFile{"huge_frames", joined(edited(2, "frames 99999999999999999999"), "\n"), -1,
                   header("red", 2147483647) +
                       Lines{"\tError! Line 15: No more frame data.", NO_DATA, NOT_LOADED}},
        SpriteFile{"no_version", joined(edited(17, "author me"), "\n"), -1,
                   header() + Lines{"SRM::loadSprite(): Error! Missing 'version' in FOOTER "
                                    "(line 17).",
                                    NOT_LOADED}},
        SpriteFile{"empty_footer", joined(edited(17, ""), "\n"), -1, header() + Lines{NOT_LOADED}},
        SpriteFile{"extra_footer", joined(edited(18, "author me", true), "\n"), 0,
                   header() + Lines{"SRM::loadSprite(): Warning! Unused FOOTER lines:",
                                    "\t'author me'", LOADED}}),
    [](const ::testing::TestParamInfo<SpriteFile>& file) { return std::string(file.param.what); });

class SpriteTableTest : public lm_test::EngineTest {};

TEST_F(SpriteTableTest, SpritesAreKeptByLabelInLoadOrderUpToTheTablesSize) {
    lm::ResourceManager& resources = lm::ResourceManager::getInstance();
    resources.startUp();
    lm_test::writeFile("red.txt", joined(SAMPLE, "\n"));
    lm_test::writeFile("blue.txt", joined(edited(5, "color blue"), "\n"));
    EXPECT_EQ(resources.loadSprite("nowhere.txt", "a"), -1);
    EXPECT_EQ(logLines().rbegin()[1], "SRM::loadSprite(): Error! Cannot open file 'nowhere.txt'.");
    resources.loadSprite("red.txt", "a");
    resources.loadSprite("blue.txt", "b");
    resources.loadSprite("red.txt", "b");
    const lm::Sprite* p_sprite = resources.getSprite("a");
    ASSERT_NE(p_sprite, nullptr);
    EXPECT_EQ(p_sprite->getLabel(), "a");
    EXPECT_EQ(p_sprite->getFrameCount(), 2);
    EXPECT_EQ(p_sprite->getWidth(), 3);
    EXPECT_EQ(p_sprite->getHeight(), 2);
    EXPECT_EQ(p_sprite->getSlowdown(), 4);
    EXPECT_EQ(p_sprite->getFrame(0).getString(), "/ \\\\_/");
    EXPECT_EQ(p_sprite->getFrame(1).getString(), "o-o|||");
    EXPECT_EQ(resources.getSprite("b")->getColor(), lm::BLUE) << "the first with the label";
    EXPECT_EQ(resources.getSprite("B"), nullptr);
    EXPECT_EQ(resources.unloadSprite("c"), -1);
    EXPECT_EQ(resources.unloadSprite("a"), 0);
    EXPECT_EQ(resources.getSprite("a"), nullptr);
    EXPECT_EQ(resources.unloadSprite("b"), 0);
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
    EXPECT_EQ(lm::Frame().draw(lm::Vector(), lm::RED), -1);
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
