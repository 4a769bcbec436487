#include "ViewObject.h"

#include "DisplayManager.h"
#include "EventView.h"
#include "WorldManager.h"

#include <string>
#include <utility>

namespace lm {

ViewObject::ViewObject() : value(0), border(true), color(COLOR_DEFAULT), location(TOP_CENTER) {
    setSolidness(INTANGIBLE);
    setAltitude(MAX_ALTITUDE);
    setType("ViewObject");
    setLocation(TOP_CENTER);
}

void ViewObject::setViewString(std::string new_view_string) {
    view_string = std::move(new_view_string);
}

std::string ViewObject::getViewString() const {
    return view_string;
}

void ViewObject::setValue(int new_value) {
    value = new_value;
}

int ViewObject::getValue() const {
    return value;
}

void ViewObject::setBorder(bool new_border) {
    if (new_border != border) {
        border = new_border;
        setLocation(location);
    }
}

bool ViewObject::getBorder() const {
    return border;
}

void ViewObject::setColor(Color new_color) {
    color = new_color;
}

Color ViewObject::getColor() const {
    return color;
}

void ViewObject::setLocation(ViewLocation new_location) {
    location = new_location;
    if (new_location < TOP_LEFT || new_location > BOTTOM_RIGHT) {
        setPosition(Vector(0, 0));
        return;
    }
    const Box view = WorldManager::getInstance().getView();
    const float width = view.getHorizontal();
    const float height = view.getVertical();

    const int column = new_location % 3;
    const float x = width * static_cast<float>(2 * column + 1) / 6;

    // The bottom row is the view's last row with or without the border: one further out would
    // leave the view.
    float y = 0;
    switch (new_location / 3) {
        case 0:
            y = border ? 1 : 0;
            break;
        case 1:
            y = height / 2;
            break;
        default:
            y = height - 1;
            break;
    }
    setPosition(Vector(x, y));
}

ViewLocation ViewObject::getLocation() const {
    return location;
}

int ViewObject::eventHandler(const Event* p_event) {
    if (p_event->getType() != VIEW_EVENT) {
        return 0;
    }
    const auto* p_view_event = static_cast<const EventView*>(p_event);
    if (p_view_event->getTag() != view_string) {
        return 0;
    }
    if (p_view_event->getDelta()) {
        value += p_view_event->getValue();
    } else {
        value = p_view_event->getValue();
    }
    return 1;
}

int ViewObject::draw() {
    const std::string text = view_string + " " + std::to_string(value);
    DisplayManager& display_manager = DisplayManager::getInstance();
    const Vector start = display_manager.viewToWorld(getPosition());
    if (!border) {
        display_manager.drawString(start, text, LEFT_JUSTIFIED, color);
        return 0;
    }
    // " text " between two bars, the bars standing on the blanks. A cell's background reaches
    // into the cell to its right, so the opening bar goes first: drawn after the text, it would
    // cover the left of the label's first letter.
    const Vector after_bar = start + Vector(1, 0);
    display_manager.drawCh(start, '|', color);
    display_manager.drawString(after_bar, text + " ", LEFT_JUSTIFIED, color);
    display_manager.drawCh(after_bar + Vector(static_cast<float>(text.size() + 1), 0), '|', color);
    return 0;
}

}  // namespace lm
