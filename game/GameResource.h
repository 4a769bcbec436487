#pragma once

#include <array>
#include <string>

/// One of the files the game loads at start-up, and the label by which the game asks for it.
struct GameResource {
    enum Kind { SPRITE, MUSIC, SOUND };

    Kind kind;
    const char* label;
    const char* file;  // relative to the game's data folder

    /// Loads it through the resource manager, from the data folder given (the working folder
    /// when empty); the manager's result, 0 or -1.
    int load(const std::string& folder = std::string()) const;
};

/// Every file of the game, in the order it is loaded.
extern const std::array<GameResource, 15> GAME_RESOURCES;
