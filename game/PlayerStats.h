#pragma once

#include "engine/ViewObject.h"

inline constexpr char PLAYER_HEALTH[] = "Player Health";

/// The hero's health in battle, at the top left; the hero's hits arrive as view events.
class PlayerStats : public lm::ViewObject {
public:
    PlayerStats();
};
