#pragma once

#include "engine/Event.h"

inline constexpr char TURN_EVENT[] = "turn";

/// The hero has acted: the enemy's turn.
class EventTurn : public lm::Event {
public:
    EventTurn();
};
