#include "EventOut.h"

#include "Constants.h"

namespace lm {

EventOut::EventOut() {
    setType(OUT_EVENT);
}

}  // namespace lm
