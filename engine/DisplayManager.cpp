#include "DisplayManager.h"

#include "LogManager.h"
#include "WorldManager.h"

#include <algorithm>
#include <locale>

#if defined(__unix__) && !defined(__APPLE__)
#include <X11/Xlib.h>
#endif

namespace lm {

namespace {

constexpr unsigned int BITS_PER_PIXEL = 32;
constexpr unsigned int INITIAL_CHARACTER_SIZE = 30;

/// Every frame starts in this colour.
const sf::Color FRAME_CLEAR_COLOR(0, 0, 0, 255);

/// The glyph colour of each Color from BLACK to WHITE, by value.
const sf::Color GLYPH_COLORS[] = {
    sf::Color::Black, sf::Color::Red,     sf::Color::Green, sf::Color::Yellow,
    sf::Color::Blue,  sf::Color::Magenta, sf::Color::Cyan,  sf::Color::White,
};

/// A connection to the X display named by DISPLAY on X11 systems, held for the life of the object.
/// The windowing library aborts the program when it cannot reach the display, so the window is
/// opened only while one is held: a server that resets when its last client leaves (a virtual
/// one, or one at the end of a session) then cannot do so between the check and the window.
class DisplayConnection {
public:
#if defined(__unix__) && !defined(__APPLE__)
    DisplayConnection() : p_display(XOpenDisplay(nullptr)) {}
    ~DisplayConnection() {
        if (p_display != nullptr) {
            XCloseDisplay(p_display);
        }
    }
    DisplayConnection(const DisplayConnection&) = delete;
    DisplayConnection& operator=(const DisplayConnection&) = delete;
    bool answered() const {
        return p_display != nullptr;
    }

private:
    Display* p_display;
#else
    bool answered() const {
        return true;
    }
#endif
};

}  // namespace

DisplayManager::DisplayManager()
    : p_window(nullptr),
      window_horizontal_pixels(WINDOW_HORIZONTAL_PIXELS_DEFAULT),
      window_vertical_pixels(WINDOW_VERTICAL_PIXELS_DEFAULT),
      window_horizontal_chars(WINDOW_HORIZONTAL_CHARS_DEFAULT),
      window_vertical_chars(WINDOW_VERTICAL_CHARS_DEFAULT),
      glyph_color(sf::Color::White),
      cell_by_cell(false),
      code_points(),
      cell_background(sf::Vector2f(0, 0)),
      cell_glyph(sf::String(), font, INITIAL_CHARACTER_SIZE) {
    setType("DisplayManager");
    // Bytes become characters as a text made from them would take them.
    for (std::size_t byte = 0; byte < code_points.size(); ++byte) {
        const sf::String character(static_cast<char>(byte), std::locale());
        code_points[byte] = character.isEmpty() ? 0 : character[0];
    }
}

DisplayManager& DisplayManager::getInstance() {
    static DisplayManager instance;
    return instance;
}

int DisplayManager::startUp() {
    if (p_window != nullptr) {
        return 0;
    }
    const DisplayConnection display;
    if (!display.answered()) {
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
    p_window->clear(FRAME_CLEAR_COLOR);  // the first frame starts black, as every later one does
    glyph_cover.reset(static_cast<float>(window_horizontal_pixels),
                      static_cast<float>(window_vertical_pixels));
    if (!font.loadFromFile(FONT_FILE_DEFAULT)) {
        LogManager::getInstance().writeLog(
            "DisplayManager: Error! Cannot load the font '%s': cells show no characters.",
            FONT_FILE_DEFAULT);
    }
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
    if (color >= BLACK && color <= WHITE) {
        glyph_color = GLYPH_COLORS[color];
    } else if (color == UNDEFINED_COLOR) {
        LogManager::getInstance().writeLog("DisplayManager: no color specified");
    }
    const Vector pixel = spacesToPixels(worldToView(world_pos));
    // The background reaches from a tenth of a cell left of the glyph; the glyph stands half a
    // cell higher than its cell.
    const sf::Vector2f background_corner(pixel.getX() - charWidth() / 10,
                                         pixel.getY() + charHeight() / 5);
    const sf::Vector2f glyph_position(pixel.getX(), pixel.getY() - charHeight() * 0.5f);

    if (!cell_by_cell) {
        addCell(background_corner, glyph_position, ch);
        return 0;
    }
    cell_background.setSize(sf::Vector2f(charWidth(), charHeight()));
    cell_background.setFillColor(WINDOW_BACKGROUND_COLOR_DEFAULT);
    cell_background.setPosition(background_corner);
    p_window->draw(cell_background);

    cell_glyph.setString(sf::String(ch, std::locale()));
    cell_glyph.setStyle(sf::Text::Bold);
    cell_glyph.setCharacterSize(glyphSize());
    cell_glyph.setFillColor(glyph_color);
    cell_glyph.setPosition(glyph_position);
    p_window->draw(cell_glyph);
    return 0;
}

void DisplayManager::addCell(sf::Vector2f background_corner, sf::Vector2f glyph_position, char ch) {
    // The font page keeps a small opaque white square at its corner: sampled there, the texture
    // leaves the background's colour as it is. Where no glyph has been drawn yet the frame is
    // still as black as the background: only the overlaps with earlier glyphs need drawing.
    const sf::Vector2f white(1, 1);
    const GlyphCover::Edges background{background_corner.x, background_corner.y,
                                       background_corner.x + charWidth(),
                                       background_corner.y + charHeight()};
    const auto draw_background = [&](const GlyphCover::Edges& part) {
        addQuad({part.left, part.top}, {part.right, part.bottom}, WINDOW_BACKGROUND_COLOR_DEFAULT,
                white, white);
    };
    if (WINDOW_BACKGROUND_COLOR_DEFAULT == FRAME_CLEAR_COLOR) {
        glyph_cover.forEachOverlap(background, draw_background);
    } else {
        draw_background(background);
    }

    // As a text lays out its one character: blanks and carriage returns leave no mark, and the
    // glyph's quad, one pixel larger on every side, hangs from the baseline one character size
    // below the position.
    const sf::Uint32 code_point = code_points[static_cast<unsigned char>(ch)];
    if (code_point == U' ' || code_point == U'\t' || code_point == U'\n' || code_point == U'\r') {
        return;
    }
    const unsigned int size = glyphSize();
    const sf::Glyph& glyph = font.getGlyph(code_point, size, true);
    constexpr float PADDING = 1;
    const sf::Vector2f top_left =
        glyph_position + sf::Vector2f(glyph.bounds.left - PADDING,
                                      static_cast<float>(size) + (glyph.bounds.top - PADDING));
    const sf::Vector2f bottom_right =
        glyph_position +
        sf::Vector2f(glyph.bounds.left + glyph.bounds.width + PADDING,
                     static_cast<float>(size) + (glyph.bounds.top + glyph.bounds.height + PADDING));
    const sf::IntRect& rect = glyph.textureRect;
    addQuad(top_left, bottom_right, glyph_color,
            sf::Vector2f(static_cast<float>(rect.left) - PADDING,
                         static_cast<float>(rect.top) - PADDING),
            sf::Vector2f(static_cast<float>(rect.left + rect.width) + PADDING,
                         static_cast<float>(rect.top + rect.height) + PADDING));
    glyph_cover.add({top_left.x, top_left.y, bottom_right.x, bottom_right.y});
}

void DisplayManager::addQuad(sf::Vector2f top_left, sf::Vector2f bottom_right, sf::Color color,
                             sf::Vector2f texture_top_left, sf::Vector2f texture_bottom_right) {
    const sf::Vertex corners[4] = {
        {top_left, color, texture_top_left},
        {{bottom_right.x, top_left.y}, color, {texture_bottom_right.x, texture_top_left.y}},
        {{top_left.x, bottom_right.y}, color, {texture_top_left.x, texture_bottom_right.y}},
        {bottom_right, color, texture_bottom_right},
    };
    frame_vertices.insert(frame_vertices.end(),
                          {corners[0], corners[1], corners[2], corners[2], corners[1], corners[3]});
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

int DisplayManager::drawCells() {
    if (p_window == nullptr) {
        return -1;
    }
    fitPicture();
    if (!frame_vertices.empty()) {
        p_window->draw(frame_vertices.data(), frame_vertices.size(), sf::Triangles,
                       sf::RenderStates(&font.getTexture(glyphSize())));
        frame_vertices.clear();  // keeps its room for the next frame
    }
    // Whatever is drawn on the window next, the backgrounds of later cells must cover it.
    glyph_cover.forget();
    return 0;
}

int DisplayManager::swapBuffers() {
    if (drawCells() != 0) {
        return -1;
    }
    p_window->display();
    p_window->clear(FRAME_CLEAR_COLOR);
    glyph_cover.reset(static_cast<float>(window_horizontal_pixels),
                      static_cast<float>(window_vertical_pixels));
    return 0;
}

void DisplayManager::fitPicture() {
    const sf::Vector2u size = p_window->getSize();
    if (size == fitted_size || size.x == 0 || size.y == 0) {
        return;
    }
    fitted_size = size;
    // The whole picture, as large as the window allows without changing its shape, in the
    // middle; the rest of the window stays black. At the picture's own size nothing changes.
    const float picture_width = static_cast<float>(window_horizontal_pixels);
    const float picture_height = static_cast<float>(window_vertical_pixels);
    const float scale = std::min(static_cast<float>(size.x) / picture_width,
                                 static_cast<float>(size.y) / picture_height);
    const float width = picture_width * scale / static_cast<float>(size.x);
    const float height = picture_height * scale / static_cast<float>(size.y);
    sf::View view(sf::FloatRect(0, 0, picture_width, picture_height));
    view.setViewport(sf::FloatRect((1 - width) / 2, (1 - height) / 2, width, height));
    p_window->setView(view);
}

void DisplayManager::setCellByCell(bool new_cell_by_cell) {
    cell_by_cell = new_cell_by_cell;
}

bool DisplayManager::isCellByCell() const {
    return cell_by_cell;
}

unsigned int DisplayManager::glyphSize() const {
    // Twice the smaller side of a cell.
    return static_cast<unsigned int>(charHeight() > charWidth() ? 2 * charWidth()
                                                                : 2 * charHeight());
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
