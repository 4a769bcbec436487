// What the window shows: colours, justification, frames, displays of values, the one-call drawing
// against the cell-by-cell one, and a resized window.

#include "TestSupport.h"
#include "engine/DisplayManager.h"
#include "engine/Frame.h"
#include "engine/ViewObject.h"
#include "engine/WorldManager.h"

#include <SFML/Graphics/RectangleShape.hpp>

#include <algorithm>
#include <cmath>

namespace {

using lm::Vector;

class DisplayTest : public lm_test::WindowTest {
protected:
    /// Whether two drawings show the same, but for one step of a channel: the one-call drawing
    /// places between pixels a little differently.
    static bool same(const std::function<void()>& draw, const std::function<void()>& other) {
        draw();
        const sf::Image drawn = showFrame();
        other();
        const sf::Uint8* p_drawn = drawn.getPixelsPtr();
        return std::equal(p_drawn, p_drawn + 1024 * 768 * 4, showFrame().getPixelsPtr(),
                          [](int a, int b) { return std::abs(a - b) <= 1; });
    }
    /// The drawing of a string in green.
    std::function<void()> text(float x, float y, std::string str,
                               lm::Justification just = lm::LEFT_JUSTIFIED) {
        return [=] { EXPECT_EQ(display.drawString(Vector(x, y), str, just, lm::GREEN), 0); };
    }

    lm::DisplayManager& display = lm::DisplayManager::getInstance();
};

TEST_F(DisplayTest, GlyphsTakeTheirColourOrKeepThePreviousOneAndStandWhereTheyShould) {
    // From BLACK to WHITE the bits of a colour's value are its red, green and blue.
    const int drawn[] = {0, 1, 2, 3, 4, 5, 6, 7, 2, lm::UNDEFINED_COLOR, 8};
    const int shown[] = {0, 1, 2, 3, 4, 5, 6, 7, 2, 2, 2};
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(display.drawCh(Vector(2, 2), '#', static_cast<lm::Color>(drawn[i])), 0);
        const sf::Image frame = showFrame();
        int full = 0;  // the channels that some pixel shows at full strength
        for (std::size_t at = 0; at < std::size_t{1024} * 768 * 4; ++at) {
            full |= (frame.getPixelsPtr()[at] == 255) << at % 4;
        }
        EXPECT_EQ(full & 7, shown[i]) << drawn[i];
    }
    EXPECT_EQ(logLines(), lm_test::Lines{"DisplayManager: no color specified"});

    EXPECT_FALSE(same(text(7, 4, "abc"), text(9, 4, "abc")));
    EXPECT_TRUE(same(text(10, 4, "abc", lm::CENTER_JUSTIFIED), text(9, 4, "abc")));
    EXPECT_TRUE(same(text(10, 4, "abc", lm::RIGHT_JUSTIFIED), text(7, 4, "abc")));
    // A frame is centred on its position and stops at its string's end.
    EXPECT_TRUE(same([] { lm::Frame(3, 2, "abcdefg").draw(Vector(10, 5), lm::GREEN); },
                     [this] { text(9, 4, "abc")(), text(9, 5, "def")(); }));
    EXPECT_TRUE(
        same([] { lm::Frame(4, 4, "xy").draw(Vector(10, 5), lm::GREEN); }, text(8, 3, "xy")));
    EXPECT_EQ(lm::Frame().draw(Vector(10, 5), lm::GREEN), -1);

    // A display: its label and value between bars, at its place of the view wherever its box is.
    lm::WorldManager& world = lm::WorldManager::getInstance();
    world.setView(lm::Box(Vector(5, 7), 60, 40));
    auto* p_view = new lm::ViewObject;
    p_view->setViewString("Health");
    p_view->setColor(lm::GREEN);
    EXPECT_TRUE(same([&] { world.draw(); }, text(35, 8, "|Health 0 |")));
    p_view->setBorder(false);
    EXPECT_TRUE(same([&] { world.draw(); }, text(35, 7, "Health 0")));
    EXPECT_EQ(display.pixelsToSpaces(Vector(18, 51)), Vector(2, 3));
}

TEST_F(DisplayTest, OneDrawCallShowsWhatDrawingCellByCellShowsAndAResizedWindowShowsItWhole) {
    const auto scene = [this] {
        for (int byte = 0; byte < 256; ++byte) {
            display.drawCh(Vector(static_cast<float>(byte % 60), byte / 60.0f),
                           static_cast<char>(byte), static_cast<lm::Color>((byte + 1) % 10 - 1));
        }
        text(30.5f, 2.25f, "Overlapping", lm::CENTER_JUSTIFIED)();
        text(59.9f, 20.1f, "tab\there", lm::RIGHT_JUSTIFIED)();
        text(-2.5f, 39.7f, "off the left")();
        text(110.5f, 44.6f, "over the far corner")();
        display.drawCells();  // then something else, then cells over it
        display.getWindow()->draw(sf::RectangleShape(sf::Vector2f(200, 120)));
        text(3, 6, "over the overlay")();
        display.drawCh(Vector(NAN, 3), 'x', lm::WHITE);  // a cell at no number changes nothing
    };
    EXPECT_TRUE(same(scene, [&] { display.setCellByCell(true), scene(); }));
    display.setCellByCell(false);  // one call again, which fits the picture to the window first
    // Resized, the window shows the picture whole, centred between black bars.
    scene();
    const lm_test::Bounds full = lm_test::litBounds(showFrame());
    display.getWindow()->setSize({768, 768});  // 768 x 576 of picture, 96 pixels above and below
    scene();
    const lm_test::Bounds resized = lm_test::litBounds(showFrame());
    for (int side = 0; side < 4; ++side) {
        EXPECT_NEAR(resized[side], (side % 2) * 96 + full[side] * 0.75f, 2) << side;
    }
}

}  // namespace
