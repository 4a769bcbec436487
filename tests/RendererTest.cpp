// The frame drawn with one draw call must show exactly the pixels of the cell-by-cell method.

#include "TestSupport.h"
#include "engine/DisplayManager.h"
#include "engine/ResourceManager.h"
#include "engine/WorldManager.h"
#include "game/Battle.h"
#include "game/Bush.h"
#include "game/Controls.h"
#include "game/GameResource.h"
#include "game/Grass.h"
#include "game/Hero.h"
#include "game/Rock.h"
#include "game/StartScreen.h"
#include "game/Tree.h"

#include <SFML/Graphics/RectangleShape.hpp>

#include <cstdlib>
#include <functional>

namespace {

using lm::Vector;

class RendererTest : public lm_test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        lm::WorldManager& world = lm::WorldManager::getInstance();
        world.setBoundary(lm::Box(Vector(0, 0), 60, 80));
        world.setView(lm::Box(Vector(0, 0), 60, 40));
        for (const GameResource& resource : GAME_RESOURCES) {
            if (resource.kind == GameResource::SPRITE) {
                ASSERT_EQ(resource.load(lm_test::sourcePath("")), 0) << resource.file;
            }
        }
    }
    void TearDown() override {
        display.setCellByCell(false);
        WindowTest::TearDown();
    }

    /// Whether two pixels differ by more than one step of a colour channel. A glyph's quad is
    /// moved to its place by the vertex array and by the text's transform in the other, and at
    /// places between pixels the two roundings may shade an edge pixel one step apart.
    static bool differ(sf::Color a, sf::Color b) {
        return std::abs(a.r - b.r) > 1 || std::abs(a.g - b.g) > 1 || std::abs(a.b - b.b) > 1;
    }

    /// Draws a scene both ways; the number of pixels that differ.
    int pixelsDifferingBetweenMethods(const std::function<void()>& draw_scene) {
        display.setCellByCell(false);
        draw_scene();
        const sf::Image one_call = showFrame();
        display.setCellByCell(true);
        draw_scene();
        const sf::Image cell_by_cell = showFrame();
        display.setCellByCell(false);

        int differing = 0;
        for (unsigned int y = 0; y < one_call.getSize().y; ++y) {
            for (unsigned int x = 0; x < one_call.getSize().x; ++x) {
                differing += differ(one_call.getPixel(x, y), cell_by_cell.getPixel(x, y)) ? 1 : 0;
            }
        }
        EXPECT_GT(litPixels(one_call), 0) << "the scene shows something";
        return differing;
    }

    static int litPixels(const sf::Image& image) {
        int lit = 0;
        for (unsigned int y = 0; y < image.getSize().y; ++y) {
            for (unsigned int x = 0; x < image.getSize().x; ++x) {
                lit += image.getPixel(x, y) != sf::Color::Black ? 1 : 0;
            }
        }
        return lit;
    }

    static void drawWorld() { lm::WorldManager::getInstance().draw(); }

    lm::DisplayManager& display = lm::DisplayManager::getInstance();
};

TEST_F(RendererTest, TheTitleAndTheControlsLookTheSame) {
    new StartScreen;
    EXPECT_EQ(pixelsDifferingBetweenMethods(drawWorld), 0);
    new Controls;
    EXPECT_EQ(pixelsDifferingBetweenMethods(drawWorld), 0);
}

TEST_F(RendererTest, TheOverworldAndABattleLookTheSame) {
    for (int y = 0; y <= 40; y += 5) {
        (new Tree)->setPosition(Vector(5, static_cast<float>(y)));
        (new Tree)->setPosition(Vector(60, static_cast<float>(y)));
    }
    (new Bush)->setPosition(Vector(20, 20));
    (new Rock)->setPosition(Vector(30, 10));
    (new Grass)->setPosition(Vector(20, 40));
    Hero* p_hero = new Hero;
    p_hero->setPosition(Vector(20, 47));
    lm::WorldManager::getInstance().setViewFollowing(p_hero);
    EXPECT_EQ(pixelsDifferingBetweenMethods(drawWorld), 0);

    (new Battle)->spawnKnight();
    EXPECT_EQ(pixelsDifferingBetweenMethods(drawWorld), 0);
}

TEST_F(RendererTest, EveryColourCharacterOverlapAndFractionalPlaceLooksTheSame) {
    EXPECT_EQ(pixelsDifferingBetweenMethods([this] {
                  // Every byte, in every colour, undefined and out-of-range colours keeping the
                  // colour before them.
                  for (int byte = 0; byte < 256; ++byte) {
                      const auto color = static_cast<lm::Color>((byte + 1) % 10 - 1);
                      display.drawCh(
                          Vector(static_cast<float>(byte % 60), static_cast<float>(byte / 60)),
                          static_cast<char>(byte), color);
                  }
                  // Strings over strings, at places between cells.
                  display.drawString(Vector(30.5f, 10.25f), "Overlapping strings",
                                     lm::CENTER_JUSTIFIED, lm::YELLOW);
                  display.drawString(Vector(28.3f, 10.6f), "and again, tab\there",
                                     lm::LEFT_JUSTIFIED, lm::UNDEFINED_COLOR);
                  display.drawString(Vector(59.9f, 20.1f), "right-justified", lm::RIGHT_JUSTIFIED,
                                     lm::CYAN);
                  display.drawString(Vector(-2.5f, 39.7f), "off the left edge and below",
                                     lm::LEFT_JUSTIFIED, lm::MAGENTA);
              }),
              0);
}

TEST_F(RendererTest, CellsDrawnAfterSomethingElseCoverItAsTheyWouldCellByCell) {
    EXPECT_EQ(pixelsDifferingBetweenMethods([this] {
                  display.drawString(Vector(2, 2), "under", lm::LEFT_JUSTIFIED, lm::GREEN);
                  display.drawCells();
                  sf::RectangleShape overlay(sf::Vector2f(200, 120));
                  overlay.setFillColor(sf::Color::White);
                  display.getWindow()->draw(overlay);
                  display.drawString(Vector(3, 3), "over the overlay", lm::LEFT_JUSTIFIED, lm::RED);
              }),
              0);
}

}  // namespace
