#include "engine/DisplayManager.h"

#include "TestSupport.h"
#include "engine/Frame.h"
#include "engine/InputManager.h"
#include "engine/ViewObject.h"
#include "engine/WorldManager.h"

#include <cstdlib>
#include <iostream>

namespace {

using lm::DisplayManager;
using lm::Vector;

struct PixelBox {
    int left = 0;
    int top = 0;
    int right = -1;  // inclusive; right < left when nothing was found
    int bottom = -1;
};

bool isBlack(sf::Color c) {
    return c.r == 0 && c.g == 0 && c.b == 0;
}

/// The smallest rectangle holding every pixel that is not black.
PixelBox litPixels(const sf::Image& image) {
    PixelBox box{static_cast<int>(image.getSize().x), static_cast<int>(image.getSize().y), -1, -1};
    for (unsigned int y = 0; y < image.getSize().y; ++y) {
        for (unsigned int x = 0; x < image.getSize().x; ++x) {
            if (!isBlack(image.getPixel(x, y))) {
                box.left = std::min(box.left, static_cast<int>(x));
                box.top = std::min(box.top, static_cast<int>(y));
                box.right = std::max(box.right, static_cast<int>(x));
                box.bottom = std::max(box.bottom, static_cast<int>(y));
            }
        }
    }
    return box;
}

/// Pixels of the rectangle [x0, x1) x [y0, y1) that are not black.
int litPixelsIn(const sf::Image& image, int x0, int y0, int x1, int y1) {
    int lit = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            lit +=
                isBlack(image.getPixel(static_cast<unsigned int>(x), static_cast<unsigned int>(y)))
                    ? 0
                    : 1;
        }
    }
    return lit;
}

bool samePixels(const sf::Image& a, const sf::Image& b) {
    return a.getSize() == b.getSize() &&
           std::equal(a.getPixelsPtr(), a.getPixelsPtr() + a.getSize().x * a.getSize().y * 4,
                      b.getPixelsPtr());
}

class DisplayManagerTest : public lm_test::WindowTest {
protected:
    DisplayManager& display = DisplayManager::getInstance();
};

TEST_F(DisplayManagerTest, OpensOneWindowOfTheGridsSize) {
    sf::RenderWindow* p_window = display.getWindow();
    ASSERT_NE(p_window, nullptr);
    EXPECT_EQ(p_window->getSize(), sf::Vector2u(1024, 768));
    EXPECT_EQ(display.charWidth(), 17.0f);
    EXPECT_EQ(display.charHeight(), 9.0f);
    EXPECT_EQ(std::system("xdotool search --onlyvisible --name '^Lumora$' >/dev/null"), 0);

    EXPECT_EQ(display.startUp(), 0);
    EXPECT_EQ(display.getWindow(), p_window);
    display.shutDown();
    EXPECT_FALSE(display.isStarted());
    EXPECT_EQ(display.startUp(), 0);
    EXPECT_EQ(display.getWindow(), p_window);
    EXPECT_FALSE(p_window->isOpen()) << "a start after shut-down opens nothing";
}

TEST_F(DisplayManagerTest, CellsStepNinePixelsAcrossAndSeventeenDown) {
    EXPECT_EQ(display.spacesToPixels(Vector(2, 3)), Vector(18, 51));
    EXPECT_EQ(display.pixelsToSpaces(display.spacesToPixels(Vector(2.5f, 7))), Vector(2.5f, 7));

    display.drawCh(Vector(2, 3), '#', lm::WHITE);
    const sf::Image at_2_3 = showFrame();
    const PixelBox glyph = litPixels(at_2_3);
    // The glyph stands at pixel (18, 46.5), its size 18 characters a cell of about 9 x 17.
    EXPECT_GE(glyph.left, 18 - 1);
    EXPECT_LE(glyph.right, 18 + 13);
    EXPECT_GE(glyph.top, 46);
    EXPECT_LE(glyph.bottom, 46 + 18);

    display.drawCh(Vector(1, 1), '#', lm::WHITE);
    const PixelBox at_1_1 = litPixels(showFrame());
    EXPECT_EQ(glyph.left - at_1_1.left, 9);
    EXPECT_EQ(glyph.top - at_1_1.top, 34);
    EXPECT_EQ(glyph.right - at_1_1.right, 9);
    EXPECT_EQ(glyph.bottom - at_1_1.bottom, 34);
}

TEST_F(DisplayManagerTest, PositionsAreTakenRelativeToTheView) {
    display.drawCh(Vector(2, 3), '@', lm::CYAN);
    const sf::Image without_view = showFrame();

    lm::WorldManager& world = lm::WorldManager::getInstance();
    world.setBoundary(lm::Box(Vector(0, 0), 100, 100));
    world.setView(lm::Box(Vector(10, 20), 60, 40));
    EXPECT_EQ(display.worldToView(Vector(12, 23)), Vector(2, 3));
    EXPECT_EQ(display.viewToWorld(Vector(2, 3)), Vector(12, 23));
    display.drawCh(Vector(12, 23), '@', lm::CYAN);
    EXPECT_TRUE(samePixels(showFrame(), without_view));
}

TEST_F(DisplayManagerTest, EachCellsBackgroundCoversThePreviousGlyphsOverhang) {
    // The background rectangle of cell (6, 5) spans x 52.3 to 69.3 and y 86.8 to 95.8.
    display.drawCh(Vector(5, 5), 'W', lm::WHITE);
    const sf::Image alone = showFrame();
    ASSERT_GT(litPixelsIn(alone, 53, 87, 70, 96), 0) << "the wide glyph reaches into the next cell";

    display.drawCh(Vector(5, 5), 'W', lm::WHITE);
    display.drawCh(Vector(6, 5), ' ', lm::WHITE);
    const sf::Image covered = showFrame();
    EXPECT_EQ(litPixelsIn(covered, 53, 87, 70, 96), 0);
    EXPECT_EQ(litPixelsIn(covered, 45, 70, 52, 100), litPixelsIn(alone, 45, 70, 52, 100));
}

/// The brightness of every pixel, added up.
double ink(const sf::Image& image) {
    double total = 0;
    const sf::Uint8* p_pixel = image.getPixelsPtr();
    for (std::size_t i = 0; i < std::size_t{image.getSize().x} * image.getSize().y; ++i) {
        total += p_pixel[4 * i] + p_pixel[4 * i + 1] + p_pixel[4 * i + 2];
    }
    return total;
}

TEST_F(DisplayManagerTest, TheFollowingCellsLeaveEveryGlyphLegible) {
    // Each cell's background is wider than the column step and is drawn after the cells before
    // it, so it may cover the edge of a glyph to its left or above it. The font must keep its
    // glyphs narrow enough that text stays legible: at most 2% of the printable characters' ink
    // may be lost that way.
    double whole = 0;
    double lost = 0;
    for (int code = 33; code <= 126; ++code) {
        const char ch = static_cast<char>(code);
        display.drawCh(Vector(5, 5), ch, lm::WHITE);
        const double alone = ink(showFrame());
        display.drawCh(Vector(5, 5), ch, lm::WHITE);
        display.drawCh(Vector(6, 5), ' ', lm::WHITE);  // the rest of the row
        for (float x = 4; x <= 6; ++x) {               // the next row, left to right
            display.drawCh(Vector(x, 6), ' ', lm::WHITE);
        }
        const double kept = ink(showFrame());
        EXPECT_GT(alone, 0) << "the font has a glyph for '" << ch << "'";
        whole += alone;
        lost += alone - kept;
    }
    const double lost_share = lost / whole;
    RecordProperty("ink_lost_per_mille", static_cast<int>(lost_share * 1000 + 0.5));
    std::cout << "Ink of the glyphs 33 to 126 lost to the following cells: " << lost_share * 100
              << "%\n";
    EXPECT_LE(lost_share, 0.02);
}

TEST_F(DisplayManagerTest, GlyphsTakeTheirColourOrKeepThePreviousOne) {
    const sf::Color expected[] = {sf::Color::Black,  sf::Color::Red,  sf::Color::Green,
                                  sf::Color::Yellow, sf::Color::Blue, sf::Color::Magenta,
                                  sf::Color::Cyan,   sf::Color::White};
    for (int color = lm::BLACK; color <= lm::WHITE; ++color) {
        display.drawCh(Vector(static_cast<float>(2 * color), 1), '#',
                       static_cast<lm::Color>(color));
    }
    display.drawCh(Vector(2, 5), '#', lm::RED);
    display.drawCh(Vector(4, 5), '#', lm::UNDEFINED_COLOR);
    display.drawCh(Vector(6, 5), '#', static_cast<lm::Color>(8));
    const sf::Image frame = showFrame();

    // Every lit pixel of a cell has the hue of its colour; the glyph's inside has it exactly.
    auto cellShows = [&frame](int column, int row, sf::Color color) {
        bool exact = false;
        for (int y = row * 17 - 5; y < row * 17 + 17; ++y) {
            for (int x = column * 9; x < column * 9 + 11; ++x) {
                const sf::Color c =
                    frame.getPixel(static_cast<unsigned int>(x), static_cast<unsigned int>(y));
                if ((c.r > 0 && color.r == 0) || (c.g > 0 && color.g == 0) ||
                    (c.b > 0 && color.b == 0)) {
                    return false;
                }
                exact = exact || c == color;
            }
        }
        return exact;
    };
    for (int color = lm::RED; color <= lm::WHITE; ++color) {
        EXPECT_TRUE(cellShows(2 * color, 1, expected[color])) << "colour " << color;
    }
    EXPECT_EQ(litPixelsIn(frame, 0, 0, 9, 34), 0) << "black on black";
    EXPECT_TRUE(cellShows(2, 5, sf::Color::Red));
    EXPECT_TRUE(cellShows(4, 5, sf::Color::Red)) << "undefined keeps the previous colour";
    EXPECT_TRUE(cellShows(6, 5, sf::Color::Red)) << "out of range keeps it too";
    EXPECT_EQ(logLines(), std::vector<std::string>{"DisplayManager: no color specified"});
}

TEST_F(DisplayManagerTest, StringsAreJustifiedAroundTheirPosition) {
    auto drawn = [this](float x, const std::string& text, lm::Justification just) {
        EXPECT_EQ(display.drawString(Vector(x, 4), text, just, lm::GREEN), 0);
        return showFrame();
    };
    const sf::Image from_7 = drawn(7, "abc", lm::LEFT_JUSTIFIED);
    const sf::Image from_9 = drawn(9, "abc", lm::LEFT_JUSTIFIED);
    EXPECT_FALSE(samePixels(from_7, from_9));
    EXPECT_TRUE(samePixels(drawn(10, "abc", lm::CENTER_JUSTIFIED), from_9));
    EXPECT_TRUE(samePixels(drawn(10, "abc", lm::RIGHT_JUSTIFIED), from_7));
    EXPECT_TRUE(
        samePixels(drawn(10, "abcd", lm::CENTER_JUSTIFIED), drawn(8, "abcd", lm::LEFT_JUSTIFIED)));
    EXPECT_EQ(litPixels(drawn(10, "", lm::CENTER_JUSTIFIED)).right, -1);
}

TEST_F(DisplayManagerTest, FramesAreCentredOnTheirPosition) {
    const lm::Frame frame(3, 2, "abcdef");
    EXPECT_EQ(frame.draw(Vector(10, 5), lm::YELLOW), 0);
    const sf::Image framed = showFrame();

    display.drawString(Vector(9, 4), "abc", lm::LEFT_JUSTIFIED, lm::YELLOW);
    display.drawString(Vector(9, 5), "def", lm::LEFT_JUSTIFIED, lm::YELLOW);
    EXPECT_TRUE(samePixels(framed, showFrame()));

    // A frame whose size claims more characters than its string holds stops at the string's end.
    EXPECT_EQ(lm::Frame(4, 4, "xy").draw(Vector(10, 5), lm::YELLOW), 0);
    const sf::Image short_string = showFrame();
    display.drawString(Vector(8, 3), "xy", lm::LEFT_JUSTIFIED, lm::YELLOW);
    EXPECT_TRUE(samePixels(short_string, showFrame()));
}

class NoWindowTest : public lm_test::EngineTest {};

TEST_F(NoWindowTest, NothingIsDrawnBeforeStartUp) {
    DisplayManager& display = DisplayManager::getInstance();
    EXPECT_EQ(display.getWindow(), nullptr);
    EXPECT_EQ(display.drawCh(Vector(1, 1), 'x', lm::WHITE), -1);
    EXPECT_EQ(display.drawString(Vector(1, 1), "xyz", lm::LEFT_JUSTIFIED, lm::WHITE), 0);
    EXPECT_EQ(display.swapBuffers(), -1);
}

TEST_F(NoWindowTest, WithoutADisplayStartUpFailsInsteadOfAborting) {
    unsetenv("DISPLAY");
    DisplayManager& display = DisplayManager::getInstance();
    EXPECT_EQ(display.startUp(), -1);
    EXPECT_FALSE(display.isStarted());
    EXPECT_EQ(display.getWindow(), nullptr);
    EXPECT_EQ(lm::InputManager::getInstance().startUp(), -1);
    lm::InputManager::getInstance().getInput();  // reads nothing, and does not abort either
    EXPECT_EQ(logLines(),
              std::vector<std::string>{
                  "DisplayManager: Error! No display available: cannot open the window."});
}

}  // namespace

class ViewObjectDrawingTest : public DisplayManagerTest {};

TEST_F(ViewObjectDrawingTest, ShowsLabelAndValueBetweenBarsAtItsPlaceOnTheScreen) {
    lm::WorldManager& world = lm::WorldManager::getInstance();
    world.setView(lm::Box(Vector(5, 7), 60, 40));
    // Its box lies outside the view: it is drawn all the same.
    auto* p_view = new lm::ViewObject;
    p_view->setViewString("Enemy Health");
    p_view->setValue(10);
    p_view->setLocation(lm::TOP_LEFT);
    world.draw();
    const sf::Image drawn = showFrame();

    display.drawCh(Vector(15, 8), '|', lm::WHITE);
    display.drawString(Vector(16, 8), "Enemy Health 10 ", lm::LEFT_JUSTIFIED, lm::WHITE);
    display.drawCh(Vector(32, 8), '|', lm::WHITE);
    EXPECT_TRUE(samePixels(drawn, showFrame()));
    // The opening bar leaves the label's first letter whole.
    display.drawString(Vector(16, 8), "E", lm::LEFT_JUSTIFIED, lm::WHITE);
    const sf::Image first_letter = showFrame();
    EXPECT_EQ(litPixelsIn(drawn, 16 * 9 - 2, 8 * 17 - 5, 16 * 9 + 7, 9 * 17),
              litPixelsIn(first_letter, 16 * 9 - 2, 8 * 17 - 5, 16 * 9 + 7, 9 * 17));

    p_view->setBorder(false);
    p_view->setValue(-7);
    p_view->setColor(lm::RED);
    world.draw();
    const sf::Image plain = showFrame();
    display.drawString(Vector(15, 7), "Enemy Health -7", lm::LEFT_JUSTIFIED, lm::RED);
    EXPECT_TRUE(samePixels(plain, showFrame()));
}
