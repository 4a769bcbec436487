#pragma once

#include <SFML/Graphics/Color.hpp>

/// Engine-wide constants and enumerations. Every size, rate, file name and key of the engine is one
/// of these; there is no configuration file.
namespace lm {

// Game loop.
inline constexpr int FRAME_TIME_DEFAULT = 33;  // milliseconds per pass of the game loop

// Log file, made in the working directory.
inline constexpr char LOGFILE_NAME[] = "lumora.log";

// Event type strings; receivers compare against these with string equality.
inline constexpr char UNDEFINED_EVENT[] = "lm::undefined";
inline constexpr char COLLISION_EVENT[] = "lm::collision";
inline constexpr char KEYBOARD_EVENT[] = "lm::keyboard";
inline constexpr char MOUSE_EVENT[] = "lm::mouse";
inline constexpr char OUT_EVENT[] = "lm::out";
inline constexpr char STEP_EVENT[] = "lm::step";
inline constexpr char VIEW_EVENT[] = "lm::view";

// Window and cell grid. The grid is 60 cells across and 80 down.
inline constexpr int WINDOW_HORIZONTAL_PIXELS_DEFAULT = 1024;
inline constexpr int WINDOW_VERTICAL_PIXELS_DEFAULT = 768;
inline constexpr int WINDOW_HORIZONTAL_CHARS_DEFAULT = 60;
inline constexpr int WINDOW_VERTICAL_CHARS_DEFAULT = 80;
inline constexpr int WINDOW_STYLE_DEFAULT = 7;  // title bar, resize and close (sf::Style::Default)
inline constexpr char WINDOW_TITLE_DEFAULT[] = "Lumora";
inline const sf::Color WINDOW_BACKGROUND_COLOR_DEFAULT{0, 0, 0};  // black, behind every cell
inline constexpr char FONT_FILE_DEFAULT[] = "lm-font.ttf";

// World.
inline constexpr int MAX_ALTITUDE = 4;  // altitudes 0 to MAX_ALTITUDE are drawn, 0 first

// Resource store.
inline constexpr int MAX_SPRITES = 1000;
inline constexpr int MAX_SOUNDS = 128;
inline constexpr int MAX_MUSICS = 128;

/// Colour of a character cell's glyph.
enum Color : int {
    UNDEFINED_COLOR = -1,  // keeps the colour of the previous cell drawn
    BLACK = 0,
    RED,
    GREEN,
    YELLOW,
    BLUE,
    MAGENTA,
    CYAN,
    WHITE,
};
inline constexpr Color COLOR_DEFAULT = WHITE;

/// Where a string stands relative to the position it is drawn at.
enum Justification : int {
    LEFT_JUSTIFIED = 0,
    CENTER_JUSTIFIED,
    RIGHT_JUSTIFIED,
};

/// Where a view object stands on the screen: a 3 x 3 grid, row by row.
enum ViewLocation : int {
    TOP_LEFT = 0,
    TOP_CENTER,
    TOP_RIGHT,
    MIDDLE_LEFT,
    MIDDLE_CENTER,
    MIDDLE_RIGHT,
    BOTTOM_LEFT,
    BOTTOM_CENTER,
    BOTTOM_RIGHT,
};

/// How an object takes part in collisions.
enum Solidness : int {
    BLOCKING = 0,     // collides; two blocking objects never move into each other
    NONBLOCKING = 1,  // collides and gets collision events, but never stops a move
    INTANGIBLE = 2,   // never collides
};

enum EventKeyboardAction : int {
    UNDEFINED_KEYBOARD_ACTION = -1,
    KEY_PRESSED = 0,   // held down during this step; sent again every step while it stays down
    KEY_RELEASED = 1,  // went up
};

namespace Keyboard {
/// The keys the engine reads. NUM0 comes after NUM9.
enum Key : int {
    UNDEFINED_KEY = -1,
    SPACE = 0,
    RETURN,
    ESCAPE,
    TAB,
    LEFTARROW,
    RIGHTARROW,
    UPARROW,
    DOWNARROW,
    PAUSE,
    MINUS,  // keypad minus
    PLUS,   // keypad plus
    TILDE,
    PERIOD,
    COMMA,
    SLASH,
    LEFTCONTROL,
    RIGHTCONTROL,
    LEFTSHIFT,
    RIGHTSHIFT,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    A,
    B,
    C,
    D,
    E,
    F,
    G,
    H,
    I,
    J,
    K,
    L,
    M,
    N,
    O,
    P,
    Q,
    R,
    S,
    T,
    U,
    V,
    W,
    X,
    Y,
    Z,
    NUM1,
    NUM2,
    NUM3,
    NUM4,
    NUM5,
    NUM6,
    NUM7,
    NUM8,
    NUM9,
    NUM0,
};
}  // namespace Keyboard

enum EventMouseAction : int {
    UNDEFINED_MOUSE_ACTION = -1,
    CLICKED = 0,  // part of the enumeration, never produced by the engine
    PRESSED = 1,  // a button went down, or is held down during this step
    MOVED = 2,
};

namespace Mouse {
enum Button : int {
    UNDEFINED_MOUSE_BUTTON = -1,
    LEFT = 0,
    RIGHT,
    MIDDLE,
};
}  // namespace Mouse

}  // namespace lm
