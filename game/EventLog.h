#pragma once

#include "engine/ViewObject.h"

#include <string>

/// The battle's one-line message at the bottom left, shown until the enemy's next turn or the end
/// of the battle removes it.
class EventLog : public lm::ViewObject {
public:
    explicit EventLog(std::string message);
};
