#pragma once

#include "Constants.h"
#include "GlyphCover.h"
#include "Manager.h"
#include "Vector.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <array>
#include <string>
#include <vector>

namespace lm {

/// Owns the game's window and draws the world as a grid of character cells: each cell is a black
/// background rectangle with one bold glyph of the font "lm-font.ttf" on top of it.
///
/// The cells of a frame are gathered into one list of triangles and drawn with a single call when
/// the frame is shown. Drawing each cell at once, as a rectangle and a text of its own, gives the
/// same pixels at two draw calls per cell; tests and benchmarks can ask for that with
/// setCellByCell.
///
/// Positions handed in are world positions in cells. A cell at view position (x, y) lands at pixel
/// (x * charHeight(), y * charWidth()) of the 1024 x 768 picture: columns are 9 pixels apart and
/// rows 17. A window resized by the player shows the whole picture as large as fits, centred,
/// with black bars where the shapes differ.
class DisplayManager : public Manager {
public:
    static DisplayManager& getInstance();

    /// Opens the window and loads the font (a missing font only leaves the glyphs out). 0, also
    /// when the window is open already; -1 when no window could be made, for instance because no
    /// display is available.
    int startUp() override;

    /// Closes the window. The window object is kept, so a later startUp opens nothing.
    void shutDown() override;

    /// Draws one cell at a world position; -1 when there is no window. A glyph drawn with a colour
    /// outside BLACK to WHITE keeps the colour of the previous glyph (UNDEFINED_COLOR also writes
    /// "DisplayManager: no color specified" to the log).
    int drawCh(Vector world_pos, char ch, Color color);

    /// Draws one cell per character, starting at world_pos, centred on it or ending just before
    /// it. Always 0.
    int drawString(Vector world_pos, std::string str, Justification just, Color color);

    /// Draws the cells gathered so far onto the window, without showing it, so that something
    /// drawn on the window directly next stands over them; swapBuffers does it first. -1 when
    /// there is no window.
    int drawCells();

    /// Shows the finished frame and clears the next to black; -1 when there is no window.
    int swapBuffers();

    /// Whether each cell is drawn at once, with its own draw calls, rather than with the frame.
    void setCellByCell(bool new_cell_by_cell);
    bool isCellByCell() const;

    /// Size of the cell grid: 60 across, 80 down.
    int getHorizontal() const;
    int getVertical() const;

    /// Size of the window: 1024 x 768 pixels.
    int getHorizontalPixels() const;
    int getVerticalPixels() const;

    /// The window, or null before startUp.
    sf::RenderWindow* getWindow() const;

    /// Window pixels divided by cells, in integer division: 1024 / 60 = 17 and 768 / 80 = 9.
    float charWidth() const;
    float charHeight() const;

    /// View cells to window pixels, (x * charHeight(), y * charWidth()), and back.
    Vector spacesToPixels(Vector spaces) const;
    Vector pixelsToSpaces(Vector pixels) const;

    /// A world position relative to the view's corner, and back.
    Vector worldToView(Vector world_pos) const;
    Vector viewToWorld(Vector view_pos) const;

private:
    DisplayManager();

    /// The character size of every glyph.
    unsigned int glyphSize() const;
    /// Scales the picture to the window's size, when that has changed, keeping its shape.
    void fitPicture();
    /// Adds the two triangles of an axis-aligned quad to the frame.
    void addQuad(sf::Vector2f top_left, sf::Vector2f bottom_right, sf::Color color,
                 sf::Vector2f texture_top_left, sf::Vector2f texture_bottom_right);
    /// Adds a cell's background and glyph to the frame, as the rectangle and the text of the
    /// cell-by-cell method would draw them.
    void addCell(sf::Vector2f background_corner, sf::Vector2f glyph_position, char ch);

    sf::Font font;                 // glyphs of every cell
    sf::RenderWindow* p_window;    // owned; null until startUp, kept after shutDown
    int window_horizontal_pixels;  // window width
    int window_vertical_pixels;    // window height
    int window_horizontal_chars;   // width of the cell grid
    int window_vertical_chars;     // height of the cell grid

    sf::Vector2u fitted_size;  // of the window, when the picture was last fitted to it
    sf::Color glyph_color;     // of the last glyph drawn: an undefined colour keeps it
    bool cell_by_cell;         // draw each cell at once instead of with the frame
    std::vector<sf::Vertex> frame_vertices;   // the frame's triangles so far; reused every frame
    GlyphCover glyph_cover;                   // where the frame's glyphs so far lie
    std::array<sf::Uint32, 256> code_points;  // the font's character for each byte

    // For the cell-by-cell method, one background and one glyph serve every cell.
    sf::RectangleShape cell_background;
    sf::Text cell_glyph;
};

}  // namespace lm
