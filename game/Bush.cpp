#include "Bush.h"

Bush::Bush() {
    setType("Bush");
    setSolidness(lm::NONBLOCKING);
    setSprite("bush");
}
