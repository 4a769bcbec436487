#include "EventTurn.h"

EventTurn::EventTurn() {
    setType(TURN_EVENT);
}
