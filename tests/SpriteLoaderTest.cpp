#include "TestSupport.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

/// A two-frame, 3 x 2 red sprite that changes frame every 4 draws; line n of the file is
/// SAMPLE[n - 1].
const Lines SAMPLE = {
    "<HEADER>",  "frames 2", "width 3", "height 2", "color red", "slowdown 4",
    "</HEADER>", "<BODY>",   "/ \\",    "\\_/",     "end",       "o-o",
    "|||",       "end",      "</BODY>", "<FOOTER>", "version 1", "</FOOTER>",
};

class SpriteLoaderTest : public lm_test::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        resources.startUp();
    }

    void TearDown() override {
        resources.shutDown();
        EngineTest::TearDown();
    }

    /// Writes the lines as a sprite file, each ended by line_end, the last one optionally not.
    static void writeSprite(const std::string& path, const Lines& lines,
                            const std::string& line_end = "\n", bool final_line_end = true) {
        std::string text;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            text += lines[i];
            if (i + 1 < lines.size() || final_line_end) {
                text += line_end;
            }
        }
        lm_test::writeFile(path, text);
    }

    /// Loads the lines as the sprite "s" and returns what the load wrote to the log.
    Lines load(const Lines& lines, int expected_result) {
        writeSprite("s.txt", lines);
        return logOfLoad("s.txt", expected_result);
    }

    Lines logOfLoad(const std::string& path, int expected_result) {
        const std::size_t before = logLines().size();
        EXPECT_EQ(resources.loadSprite(path, "s"), expected_result);
        const Lines after = logLines();
        return Lines(after.begin() + static_cast<std::ptrdiff_t>(before), after.end());
    }

    /// The log of a load that read the sample's header, up to and including its summary.
    static Lines headerRead(const std::string& color = "red", int frames = 2) {
        return {
            "SRM::loadSprite(): Loading sprite 's.txt'.",
            "SRM::loadSprite(): Opened file 's.txt'.",
            "\t      Frames: " + std::to_string(frames),
            "\t       Width: 3",
            "\t      Height: 2",
            "\t    Slowdown: 4",
            "\t       Color: " + color,
        };
    }

    static Lines with(Lines lines, const Lines& more) {
        lines.insert(lines.end(), more.begin(), more.end());
        return lines;
    }

    /// The sample with line n replaced, or removed when the text is empty.
    static Lines sampleWithLine(std::size_t n, const std::string& text) {
        Lines lines = SAMPLE;
        if (text.empty()) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(n - 1));
        } else {
            lines[n - 1] = text;
        }
        return lines;
    }

    lm::ResourceManager& resources = lm::ResourceManager::getInstance();
};

const std::string NOT_LOADED = "SRM::loadSprite(): Sprite 's' not loaded.";
const std::string LOADED = "SRM::loadSprite(): Sprite 's' loaded.";

TEST_F(SpriteLoaderTest, SampleFileLoadsWithEveryFrame) {
    EXPECT_EQ(load(SAMPLE, 0), with(headerRead(), {LOADED}));
    const lm::Sprite* p_sprite = resources.getSprite("s");
    ASSERT_NE(p_sprite, nullptr);
    EXPECT_EQ(p_sprite->getFrameCount(), 2);
    EXPECT_EQ(p_sprite->getWidth(), 3);
    EXPECT_EQ(p_sprite->getHeight(), 2);
    EXPECT_EQ(p_sprite->getColor(), lm::RED);
    EXPECT_EQ(p_sprite->getSlowdown(), 4);
    EXPECT_EQ(p_sprite->getLabel(), "s");
    EXPECT_EQ(p_sprite->getFrame(0).getString(), "/ \\\\_/");
    EXPECT_EQ(p_sprite->getFrame(1).getString(), "o-o|||");
}

TEST_F(SpriteLoaderTest, CarriageReturnsBeforeNewlinesAreIgnored) {
    writeSprite("s.txt", SAMPLE, "\r\n");
    EXPECT_EQ(logOfLoad("s.txt", 0), with(headerRead(), {LOADED}));
    EXPECT_EQ(resources.getSprite("s")->getFrame(1).getString(), "o-o|||");
}

TEST_F(SpriteLoaderTest, FileMustEndWithANewline) {
    writeSprite("s.txt", SAMPLE, "\n", false);
    EXPECT_EQ(logOfLoad("s.txt", -1),
              with(headerRead(), {
                                     "getLine(): Error! Unexpected end of file.",
                                     "readData(): Error! Never encountered '</FOOTER>'.",
                                     NOT_LOADED,
                                 }));
    EXPECT_EQ(resources.getSprite("s"), nullptr);
}

TEST_F(SpriteLoaderTest, SectionMarkersAndBlankLinesAreStrict) {
    Lines blank_between = SAMPLE;
    blank_between.insert(blank_between.begin() + 7, "");
    EXPECT_EQ(
        load(blank_between, -1),
        with(headerRead(), {"readData(): Error line 8! Expected '<BODY>', have ''.", NOT_LOADED}));

    EXPECT_EQ(
        load(sampleWithLine(1, "<header>"), -1),
        (Lines{"SRM::loadSprite(): Loading sprite 's.txt'.",
               "SRM::loadSprite(): Opened file 's.txt'.",
               "readData(): Error line 1! Expected '<HEADER>', have '<header>'.", NOT_LOADED}));

    Lines blank_inside = SAMPLE;
    blank_inside.insert(blank_inside.begin() + 3, "");
    EXPECT_EQ(load(blank_inside, -1)[2], "readData(): Error! Never encountered '</HEADER>'.");

    EXPECT_EQ(load({"<HEADER>", "</HEADER>"}, -1),
              (Lines{"SRM::loadSprite(): Loading sprite 's.txt'.",
                     "SRM::loadSprite(): Opened file 's.txt'.", NOT_LOADED}));
}

TEST_F(SpriteLoaderTest, ColourWordsAreExact) {
    const Lines unrecognised = {
        "SRM::loadSprite(): Error! Unrecognized color 'Red'.",
        "  Valid colors are: black, red, green, yellow,",
        "                    blue, magenta, cyan and white.",
        NOT_LOADED,
    };
    EXPECT_EQ(load(sampleWithLine(5, "color Red"), -1), with(headerRead("Red"), unrecognised));
    EXPECT_EQ(load(sampleWithLine(5, "color red "), -1)[7],
              "SRM::loadSprite(): Error! Unrecognized color 'red '.");

    EXPECT_EQ(load(sampleWithLine(5, "color default"), 0), with(headerRead("default"), {LOADED}));
    EXPECT_EQ(resources.getSprite("s")->getColor(), lm::WHITE);
    resources.unloadSprite("s");

    Lines no_colour = sampleWithLine(5, "");
    EXPECT_EQ(load(no_colour, 0)[2], "SRM::loadSprite(): Warning! No 'color' in header.");
    EXPECT_EQ(resources.getSprite("s")->getColor(), lm::WHITE);
    EXPECT_EQ(logLines().back(), LOADED);
}

TEST_F(SpriteLoaderTest, RequiredHeaderValuesStopTheLoadWhenMissing) {
    for (const char* keyword : {"frames", "width", "height"}) {
        Lines lines = SAMPLE;
        for (std::string& line : lines) {
            if (line.rfind(keyword, 0) == 0) {
                line = std::string(keyword) + " -1";  // -1 counts as missing
            }
        }
        EXPECT_EQ(load(lines, -1), (Lines{"SRM::loadSprite(): Loading sprite 's.txt'.",
                                          "SRM::loadSprite(): Opened file 's.txt'.",
                                          std::string("SRM::loadSprite(): Error! Missing '") +
                                              keyword + "' in header.",
                                          NOT_LOADED}));
    }
}

TEST_F(SpriteLoaderTest, OptionalAndRepeatedHeaderLinesAreWarnings) {
    Lines lines = sampleWithLine(6, "");  // no slowdown
    lines.insert(lines.begin() + 2, "width 5");
    lines.insert(lines.begin() + 1, "author me");
    const Lines log = load(lines, 0);
    EXPECT_EQ(log[2], "matchLineInt(): Warning! 'width 3' matches multiple lines.");
    EXPECT_EQ(log[3], "SRM::loadSprite(): Warning! No 'slowdown' in header.");
    EXPECT_EQ(log[4], "SRM::loadSprite(): Warning! Unused HEADER lines:");
    EXPECT_EQ(log[5], "\t'author me'");
    EXPECT_EQ(log[7], "\t       Width: 3") << "the last value wins";
    EXPECT_EQ(log[9], "\t    Slowdown: 0");
    EXPECT_EQ(log.back(), LOADED);
    EXPECT_EQ(resources.getSprite("s")->getSlowdown(), 0);
}

TEST_F(SpriteLoaderTest, FrameRowsMustHaveTheWidth) {
    EXPECT_EQ(load(sampleWithLine(13, "||||"), -1),
              with(headerRead(), {
                                     "\tError! Line 13: Line length is 4 (frame width is 3).",
                                     "\tLine 13: '||||'",
                                     "SRM::loadSprite(): Error! No frame data to add.",
                                     NOT_LOADED,
                                 }));

    const Lines log = load(sampleWithLine(3, "width three"), -1);
    EXPECT_EQ(log[3], "\t       Width: 0");
    EXPECT_EQ(log[7], "\tError! Line 9: Line length is 3 (frame width is 0).");
}

TEST_F(SpriteLoaderTest, EveryFrameEndsWithAnEndLine) {
    EXPECT_EQ(load(sampleWithLine(11, "stop"), -1),
              with(headerRead(), {
                                     "\tError! Line 11: Expected 'end'.",
                                     "\tLine 11: 'stop'",
                                     "SRM::loadSprite(): Error! No frame data to add.",
                                     NOT_LOADED,
                                 }));
}

TEST_F(SpriteLoaderTest, BodyMustHoldExactlyTheFrames) {
    EXPECT_EQ(load(sampleWithLine(2, "frames 1"), -1),
              with(headerRead("red", 1), {
                                             "SRM::loadSprite(): Error! Extra BODY:",
                                             "\tline 12: o-o",
                                             "\tline 13: |||",
                                             "\tline 14: end",
                                             NOT_LOADED,
                                         }));

    EXPECT_EQ(load(sampleWithLine(2, "frames 3"), -1),
              with(headerRead("red", 3), {
                                             "\tError! Line 15: No more frame data.",
                                             "SRM::loadSprite(): Error! No frame data to add.",
                                             NOT_LOADED,
                                         }));
}

TEST_F(SpriteLoaderTest, HugeFrameCountsFailWithoutReservingRoomForThem) {
    for (const char* frames : {"frames 2147483647", "frames 99999999999999999999"}) {
        const Lines log = load(sampleWithLine(2, frames), -1);
        EXPECT_EQ(log[2], "\t      Frames: 2147483647");
        EXPECT_EQ(log[7], "\tError! Line 15: No more frame data.");
        EXPECT_EQ(log.back(), NOT_LOADED);
    }
}

TEST_F(SpriteLoaderTest, FooterNeedsAVersion) {
    EXPECT_EQ(
        load(sampleWithLine(17, "author me"), -1),
        with(headerRead(),
             {"SRM::loadSprite(): Error! Missing 'version' in FOOTER (line 17).", NOT_LOADED}));
    EXPECT_EQ(load(sampleWithLine(17, ""), -1), with(headerRead(), {NOT_LOADED}));

    Lines extra = SAMPLE;
    extra.insert(extra.begin() + 17, "author me");
    EXPECT_EQ(load(extra, 0),
              with(headerRead(),
                   {"SRM::loadSprite(): Warning! Unused FOOTER lines:", "\t'author me'", LOADED}));
}

TEST_F(SpriteLoaderTest, MissingFileAndFullTableAreReported) {
    EXPECT_EQ(logOfLoad("nowhere.txt", -1),
              (Lines{"SRM::loadSprite(): Loading sprite 'nowhere.txt'.",
                     "SRM::loadSprite(): Error! Cannot open file 'nowhere.txt'.", NOT_LOADED}));

    writeSprite("s.txt", SAMPLE);
    for (int i = 0; i < lm::MAX_SPRITES; ++i) {
        ASSERT_EQ(resources.loadSprite("s.txt", std::to_string(i)), 0);
    }
    EXPECT_EQ(
        logOfLoad("s.txt", -1),
        (Lines{"SRM::loadSprite(): Error! Cannot add more Sprites (max is 1000).", NOT_LOADED}));
    EXPECT_EQ(resources.getSprite("s"), nullptr);
    EXPECT_NE(resources.getSprite("999"), nullptr);
}

TEST_F(SpriteLoaderTest, SpritesAreFoundAndUnloadedByLabelInLoadOrder) {
    writeSprite("red.txt", SAMPLE);
    writeSprite("blue.txt", sampleWithLine(5, "color blue"));
    writeSprite("green.txt", sampleWithLine(5, "color green"));
    resources.loadSprite("red.txt", "a");
    resources.loadSprite("blue.txt", "b");
    resources.loadSprite("green.txt", "b");
    EXPECT_EQ(resources.getSprite("b")->getColor(), lm::BLUE) << "the first with the label";
    EXPECT_EQ(resources.getSprite("B"), nullptr);
    EXPECT_EQ(resources.unloadSprite("c"), -1);

    EXPECT_EQ(resources.unloadSprite("a"), 0);
    EXPECT_EQ(resources.getSprite("a"), nullptr);
    EXPECT_EQ(resources.getSprite("b")->getColor(), lm::BLUE) << "the order is kept";
    EXPECT_EQ(resources.unloadSprite("b"), 0);
    EXPECT_EQ(resources.getSprite("b")->getColor(), lm::GREEN);

    EXPECT_EQ(resources.startUp(), 0);
    EXPECT_EQ(logLines().back(), "SRM::startUp(): Already started.");
    EXPECT_NE(resources.getSprite("b"), nullptr);
}

}  // namespace
