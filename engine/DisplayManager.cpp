#include "DisplayManager.h"

#include "LogManager.h"
#include "Platform.h"
#include "WorldManager.h"

#include <locale>

namespace lm {

namespace {

constexpr unsigned int BITS_PER_PIXEL = 32;
constexpr unsigned int INITIAL_CHARACTER_SIZE = 30;

/// The glyph colour of each Color from BLACK to WHITE, by value.
const sf::Color GLYPH_COLORS[] = {
    sf::Color::Black, sf::Color::Red,     sf::Color::Green, sf::Color::Yellow,
    sf::Color::Blue,  sf::Color::Magenta, sf::Color::Cyan,  sf::Color::White,
};

}  // namespace

DisplayManager::DisplayManager()
    : p_window(nullptr),
      window_horizontal_pixels(WINDOW_HORIZONTAL_PIXELS_DEFAULT),
      window_vertical_pixels(WINDOW_VERTICAL_PIXELS_DEFAULT),
      window_horizontal_chars(WINDOW_HORIZONTAL_CHARS_DEFAULT),
      window_vertical_chars(WINDOW_VERTICAL_CHARS_DEFAULT),
      cell_background(sf::Vector2f(0, 0)),
      cell_glyph(sf::String(), font, INITIAL_CHARACTER_SIZE) {
    setType("DisplayManager");
}

DisplayManager& DisplayManager::getInstance() {
    static DisplayManager instance;
    return instance;
}

int DisplayManager::startUp() {
    if (p_window != nullptr) {
        return 0;
    }
    // Without a display the windowing library would abort the whole program.
    if (!platform::displayAvailable()) {
        LogManager::getInstance().writeLog(
            "DisplayManager: Error! No display available: cannot open the window.");
        return -1;
    }
    p_window = new sf::RenderWindow(
        sf::VideoMode(static_cast<unsigned int>(window_horizontal_pixels),
                      static_cast<unsigned int>(window_vertical_pixels), BITS_PER_PIXEL),
        WINDOW_TITLE_DEFAULT, WINDOW_STYLE_DEFAULT, sf::ContextSettings());
    p_window->setMouseCursorVisible(false);
    p_window->setVerticalSyncEnabled(true);
    p_window->clear(sf::Color::Black);     // the first frame starts black, as every later one does
    font.loadFromFile(FONT_FILE_DEFAULT);  // without it cells show their backgrounds only
    return Manager::startUp();
}

void DisplayManager::shutDown() {
    if (p_window == nullptr) {
        return;
    }
    p_window->close();
    Manager::shutDown();
}

int DisplayManager::drawCh(Vector world_pos, char ch, Color color) {
    if (p_window == nullptr) {
        return -1;
    }
    const Vector pixel = spacesToPixels(worldToView(world_pos));

    cell_background.setSize(sf::Vector2f(charWidth(), charHeight()));
    cell_background.setFillColor(WINDOW_BACKGROUND_COLOR_DEFAULT);
    cell_background.setPosition(pixel.getX() - charWidth() / 10, pixel.getY() + charHeight() / 5);
    p_window->draw(cell_background);

    cell_glyph.setString(sf::String(ch, std::locale()));
    cell_glyph.setStyle(sf::Text::Bold);
    const float glyph_size = charHeight() > charWidth() ? 2 * charWidth() : 2 * charHeight();
    cell_glyph.setCharacterSize(static_cast<unsigned int>(glyph_size));
    if (color >= BLACK && color <= WHITE) {
        cell_glyph.setFillColor(GLYPH_COLORS[color]);
    } else if (color == UNDEFINED_COLOR) {
        LogManager::getInstance().writeLog("DisplayManager: no color specified");
    }
    cell_glyph.setPosition(pixel.getX(), pixel.getY() - charHeight() * 0.5f);
    p_window->draw(cell_glyph);
    return 0;
}

int DisplayManager::drawString(Vector world_pos, std::string str, Justification just, Color color) {
    const int length = static_cast<int>(str.size());
    float x = world_pos.getX();
    if (just == CENTER_JUSTIFIED) {
        x -= static_cast<float>(length / 2);
    } else if (just == RIGHT_JUSTIFIED) {
        x -= static_cast<float>(length);
    }
    for (int i = 0; i < length; ++i) {
        drawCh(Vector(x + static_cast<float>(i), world_pos.getY()),
               str[static_cast<std::size_t>(i)], color);
    }
    return 0;
}

int DisplayManager::swapBuffers() {
    if (p_window == nullptr) {
        return -1;
    }
    p_window->display();
    p_window->clear(sf::Color(0, 0, 0, 255));
    return 0;
}

int DisplayManager::getHorizontal() const {
    return window_horizontal_chars;
}

int DisplayManager::getVertical() const {
    return window_vertical_chars;
}

int DisplayManager::getHorizontalPixels() const {
    return window_horizontal_pixels;
}

int DisplayManager::getVerticalPixels() const {
    return window_vertical_pixels;
}

sf::RenderWindow* DisplayManager::getWindow() const {
    return p_window;
}

float DisplayManager::charWidth() const {
    return static_cast<float>(window_horizontal_pixels / window_horizontal_chars);
}

float DisplayManager::charHeight() const {
    return static_cast<float>(window_vertical_pixels / window_vertical_chars);
}

Vector DisplayManager::spacesToPixels(Vector spaces) const {
    return Vector(spaces.getX() * charHeight(), spaces.getY() * charWidth());
}

Vector DisplayManager::pixelsToSpaces(Vector pixels) const {
    return Vector(pixels.getX() / charHeight(), pixels.getY() / charWidth());
}

Vector DisplayManager::worldToView(Vector world_pos) const {
    const Vector corner = WorldManager::getInstance().getView().getCorner();
    return Vector(world_pos.getX() - corner.getX(), world_pos.getY() - corner.getY());
}

Vector DisplayManager::viewToWorld(Vector view_pos) const {
    return view_pos + WorldManager::getInstance().getView().getCorner();
}

}  // namespace lm
