#include "Rock.h"

Rock::Rock() {
    setType("Rock");
    setSolidness(lm::BLOCKING);
    setSprite("rock");
}
