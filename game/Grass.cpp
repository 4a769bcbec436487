#include "Grass.h"

Grass::Grass() {
    setType("Grass");
    setSolidness(lm::NONBLOCKING);
    setSprite("grass");
}
