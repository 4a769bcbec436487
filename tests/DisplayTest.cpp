// What the window shows: the cell grid, glyphs that stay legible, colours, justification,
// frames, displays of values, the one-call drawing against the cell-by-cell one, and resizing.

#include "TestSupport.h"
#include "XServer.h"
#include "engine/DisplayManager.h"
#include "engine/Frame.h"
#include "engine/InputManager.h"
#include "engine/ViewObject.h"
#include "engine/WorldManager.h"
#include "game/Battle.h"
#include "game/Controls.h"
#include "game/GameResource.h"
#include "game/Hero.h"
#include "game/StartScreen.h"
#include "game/Tree.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/System/Sleep.hpp>
#include <SFML/Window/Event.hpp>

#include <cstdlib>
#include <iostream>

namespace {

using lm::Vector;
using lm_test::Bounds;
using lm_test::litBounds;

bool same(const sf::Image& a, const sf::Image& b) {
    return lm_test::sameRows(a, b);
}

class DisplayTest : public lm_test::WindowTest {
protected:
    lm::DisplayManager& display = lm::DisplayManager::getInstance();
};

TEST_F(DisplayTest, CellsStepNinePixelsAcrossAndSeventeenDownFromTheView) {
    sf::RenderWindow* p_window = display.getWindow();
    EXPECT_EQ(p_window->getSize(), sf::Vector2u(1024, 768));
    EXPECT_NE(lm_test::x::findWindow("Lumora"), 0u);
    EXPECT_EQ(display.startUp(), 0);
    EXPECT_EQ(display.getWindow(), p_window) << "one window";
    EXPECT_EQ(display.spacesToPixels(Vector(2, 3)), Vector(18, 51));
    EXPECT_EQ(display.pixelsToSpaces(Vector(18, 51)), Vector(2, 3));

    display.drawCh(Vector(2, 3), '#', lm::WHITE);
    const sf::Image at_2_3 = showFrame();
    const Bounds glyph = litBounds(at_2_3);
    // The glyph stands at pixel (18, 46.5), its size 18 characters a cell of about 9 x 17.
    EXPECT_TRUE(glyph[0] >= 17 && glyph[1] >= 46 && glyph[2] <= 31 && glyph[3] <= 64);
    display.drawCh(Vector(1, 1), '#', lm::WHITE);
    const Bounds at_1_1 = litBounds(showFrame());
    EXPECT_EQ(glyph, (Bounds{at_1_1[0] + 9, at_1_1[1] + 34, at_1_1[2] + 9, at_1_1[3] + 34}));

    lm::WorldManager& world = lm::WorldManager::getInstance();
    world.setBoundary(lm::Box(Vector(0, 0), 100, 100));
    world.setView(lm::Box(Vector(10, 20), 60, 40));
    EXPECT_EQ(display.worldToView(Vector(12, 23)), Vector(2, 3));
    EXPECT_EQ(display.viewToWorld(Vector(2, 3)), Vector(12, 23));
    display.drawCh(Vector(12, 23), '#', lm::WHITE);
    EXPECT_TRUE(same(showFrame(), at_2_3));
}

/// The brightness of every pixel, added up.
double ink(const sf::Image& image) {
    double total = 0;
    for (std::size_t i = 0; i < std::size_t{image.getSize().x} * image.getSize().y * 4; ++i) {
        total += i % 4 == 3 ? 0 : image.getPixelsPtr()[i];
    }
    return total;
}

TEST_F(DisplayTest, TheFollowingCellsLeaveEveryGlyphLegible) {
    // Each cell's background is wider than the column step and drawn after the cells before it,
    // so it may cover the edge of a glyph to its left or above it. With the game's font at most
    // 2% of the printable characters' ink may be lost that way.
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
        EXPECT_GT(alone, 0) << "the font has a glyph for '" << ch << "'";
        whole += alone;
        lost += alone - ink(showFrame());
    }
    RecordProperty("ink_lost_per_mille", static_cast<int>(lost / whole * 1000 + 0.5));
    std::cout << "Ink of the glyphs 33 to 126 lost to the following cells: " << lost / whole * 100
              << "%\n";
    EXPECT_GT(lost, 0) << "the backgrounds are drawn";
    EXPECT_LE(lost / whole, 0.02);
}

TEST_F(DisplayTest, GlyphsTakeTheirColourOrKeepThePreviousOne) {
    const sf::Color expected[] = {sf::Color::Black,  sf::Color::Red,  sf::Color::Green,
                                  sf::Color::Yellow, sf::Color::Blue, sf::Color::Magenta,
                                  sf::Color::Cyan,   sf::Color::White};
    for (int color = lm::BLACK; color <= lm::WHITE; ++color) {
        display.drawCh(Vector(static_cast<float>(2 * color), 1), '#',
                       static_cast<lm::Color>(color));
    }
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
    for (int color = lm::BLACK; color <= lm::WHITE; ++color) {
        EXPECT_TRUE(cellShows(2 * color, 1, expected[color])) << "colour " << color;
    }
    EXPECT_TRUE(cellShows(4, 5, sf::Color::White)) << "undefined keeps the previous colour";
    EXPECT_TRUE(cellShows(6, 5, sf::Color::White)) << "out of range keeps it too";
    EXPECT_EQ(logLines(), lm_test::Lines{"DisplayManager: no color specified"});
}

TEST_F(DisplayTest, StringsFramesAndDisplaysStandWhereTheyShould) {
    const auto drawn = [this](float x, float y, const std::string& text, lm::Justification just) {
        EXPECT_EQ(display.drawString(Vector(x, y), text, just, lm::GREEN), 0);
        return showFrame();
    };
    const sf::Image from_7 = drawn(7, 4, "abc", lm::LEFT_JUSTIFIED);
    const sf::Image from_9 = drawn(9, 4, "abc", lm::LEFT_JUSTIFIED);
    EXPECT_FALSE(same(from_7, from_9));
    EXPECT_TRUE(same(drawn(10, 4, "abc", lm::CENTER_JUSTIFIED), from_9));
    EXPECT_TRUE(same(drawn(10, 4, "abc", lm::RIGHT_JUSTIFIED), from_7));
    EXPECT_TRUE(
        same(drawn(10, 4, "abcd", lm::CENTER_JUSTIFIED), drawn(8, 4, "abcd", lm::LEFT_JUSTIFIED)));
    EXPECT_EQ(litBounds(drawn(10, 4, "", lm::CENTER_JUSTIFIED))[2], -1);

    // A frame is centred on its position and stops at its string's end.
    EXPECT_EQ(lm::Frame(3, 2, "abcdefg").draw(Vector(10, 5), lm::GREEN), 0);
    const sf::Image framed = showFrame();
    display.drawString(Vector(9, 4), "abc", lm::LEFT_JUSTIFIED, lm::GREEN);
    EXPECT_TRUE(same(framed, drawn(9, 5, "def", lm::LEFT_JUSTIFIED)));
    EXPECT_EQ(lm::Frame(4, 4, "xy").draw(Vector(10, 5), lm::GREEN), 0);
    const sf::Image short_string = showFrame();
    EXPECT_TRUE(same(short_string, drawn(8, 3, "xy", lm::LEFT_JUSTIFIED)));
    EXPECT_EQ(lm::Frame().draw(Vector(10, 5), lm::GREEN), -1);

    // A display: its label and value between bars, at its place of the view wherever its box is.
    lm::WorldManager& world = lm::WorldManager::getInstance();
    world.setView(lm::Box(Vector(5, 7), 60, 40));
    auto* p_view = new lm::ViewObject;
    EXPECT_EQ(p_view->getPosition(), Vector(30, 1)) << "in the view's cells";
    p_view->setViewString("Enemy Health");
    p_view->setValue(10);
    p_view->setLocation(lm::TOP_LEFT);
    world.draw();
    const sf::Image shown = showFrame();
    display.drawCh(Vector(15, 8), '|', lm::WHITE);
    display.drawString(Vector(16, 8), "Enemy Health 10 ", lm::LEFT_JUSTIFIED, lm::WHITE);
    display.drawCh(Vector(32, 8), '|', lm::WHITE);
    EXPECT_TRUE(same(shown, showFrame()));
    p_view->setBorder(false);
    p_view->setValue(-7);
    p_view->setColor(lm::RED);
    world.draw();
    const sf::Image plain = showFrame();
    display.drawString(Vector(15, 7), "Enemy Health -7", lm::LEFT_JUSTIFIED, lm::RED);
    EXPECT_TRUE(same(plain, showFrame()));
}

TEST_F(DisplayTest, OneDrawCallShowsWhatDrawingCellByCellShows) {
    lm::WorldManager& world = lm::WorldManager::getInstance();
    world.setBoundary(lm::Box(Vector(0, 0), 60, 80));
    world.setView(lm::Box(Vector(0, 0), 60, 40));
    for (const GameResource& resource : GAME_RESOURCES) {
        if (resource.kind == GameResource::SPRITE) {
            ASSERT_EQ(resource.load(lm_test::sourcePath("")), 0) << resource.file;
        }
    }
    // Whether two pixels differ by more than one step of a colour channel: the two ways round
    // places between pixels differently.
    const auto differing = [this](const std::function<void()>& draw_scene) {
        draw_scene();
        const sf::Image one_call = showFrame();
        display.setCellByCell(true);
        draw_scene();
        const sf::Image cell_by_cell = showFrame();
        display.setCellByCell(false);
        EXPECT_GT(lm_test::litPixels(one_call), 0) << "the scene shows something";
        int count = 0;
        for (std::size_t i = 0; i < std::size_t{one_call.getSize().x} * one_call.getSize().y * 4;
             ++i) {
            count += std::abs(one_call.getPixelsPtr()[i] - cell_by_cell.getPixelsPtr()[i]) > 1;
        }
        return count;
    };
    const auto draw_world = [&world] { world.draw(); };
    new StartScreen;
    EXPECT_EQ(differing(draw_world), 0);
    new Controls;
    (new Tree)->setPosition(Vector(5, 20));
    Hero* p_hero = new Hero;
    p_hero->setPosition(Vector(20, 47));
    world.setViewFollowing(p_hero);
    (new Battle)->spawnKnight();
    EXPECT_EQ(differing(draw_world), 0);
    EXPECT_EQ(differing([this] {
                  for (int byte = 0; byte < 256; ++byte) {
                      display.drawCh(Vector(static_cast<float>(byte % 60), byte / 60.0f),
                                     static_cast<char>(byte),
                                     static_cast<lm::Color>((byte + 1) % 10 - 1));
                  }
                  display.drawString(Vector(30.5f, 10.25f), "Overlapping strings",
                                     lm::CENTER_JUSTIFIED, lm::YELLOW);
                  display.drawString(Vector(59.9f, 20.1f), "tab\there", lm::RIGHT_JUSTIFIED,
                                     lm::CYAN);
                  display.drawString(Vector(-2.5f, 39.7f), "off the left edge and below",
                                     lm::LEFT_JUSTIFIED, lm::MAGENTA);
                  display.drawCells();  // then something else, then cells over it
                  sf::RectangleShape overlay(sf::Vector2f(200, 120));
                  display.getWindow()->draw(overlay);
                  display.drawString(Vector(3, 3), "over the overlay", lm::LEFT_JUSTIFIED, lm::RED);
              }),
              0);
}

TEST_F(DisplayTest, AResizedWindowShowsThePictureWholeCentredBetweenBlackBars) {
    display.drawString(Vector(0, 0), std::string(60, '#'), lm::LEFT_JUSTIFIED, lm::WHITE);
    display.drawString(Vector(0, 44), std::string(60, '#'), lm::LEFT_JUSTIFIED, lm::WHITE);
    const Bounds full = litBounds(showFrame());
    sf::RenderWindow& window = *display.getWindow();
    const struct {
        unsigned int width, height;
        Bounds picture;  // where the 1024 x 768 picture lands
    } sizes[] = {{1280, 768, {128, 0, 1152, 768}}, {512, 768, {0, 192, 512, 576}}};
    for (const auto& size : sizes) {
        window.setSize({size.width, size.height});
        for (int tries = 0; tries < 100 && window.getSize().x != size.width; ++tries) {
            sf::sleep(sf::milliseconds(20));
            for (sf::Event event; window.pollEvent(event);) {
            }
        }
        display.drawString(Vector(0, 0), std::string(60, '#'), lm::LEFT_JUSTIFIED, lm::WHITE);
        display.drawString(Vector(0, 44), std::string(60, '#'), lm::LEFT_JUSTIFIED, lm::WHITE);
        const Bounds lit = litBounds(showFrame());
        const float scale = static_cast<float>(size.picture[2] - size.picture[0]) / 1024;
        for (int side = 0; side < 4; ++side) {
            EXPECT_NEAR(lit[side], size.picture[side % 2] + full[side] * scale, 2) << size.width;
        }
    }
}

class NoDisplayTest : public lm_test::EngineTest {};

TEST_F(NoDisplayTest, WithoutADisplayNothingIsDrawnNothingReadAndNothingAborts) {
    unsetenv("DISPLAY");
    lm::DisplayManager& display = lm::DisplayManager::getInstance();
    EXPECT_EQ(display.drawCh(Vector(1, 1), 'x', lm::WHITE), -1);
    EXPECT_EQ(display.swapBuffers(), -1);
    EXPECT_EQ(display.startUp(), -1);
    EXPECT_FALSE(display.isStarted());
    EXPECT_EQ(display.getWindow(), nullptr);
    EXPECT_EQ(lm::InputManager::getInstance().startUp(), -1);
    lm::InputManager::getInstance().getInput();
    EXPECT_EQ(
        logLines(),
        lm_test::Lines{"DisplayManager: Error! No display available: cannot open the window."});
}

}  // namespace
