#pragma once

#include "Constants.h"
#include "Object.h"

#include <string>

namespace lm {

/// A heads-up display item: a label and a number at one of nine fixed places on the screen,
/// staying there however the view scrolls. A view event whose tag equals the label changes the
/// number, so any object can update a display without holding a pointer to it.
class ViewObject : public Object {
public:
    /// Label empty, value 0, border on, white, at the top centre of the current view.
    ViewObject();

    void setViewString(std::string new_view_string);
    std::string getViewString() const;
    void setValue(int new_value);
    int getValue() const;

    /// With the border, the text has a space and a bar on each side and stands one row further
    /// from the top or bottom edge. Changing it places the object again.
    void setBorder(bool new_border);
    bool getBorder() const;

    void setColor(Color new_color);
    Color getColor() const;

    /// Places the object at a column of one sixth, one half or five sixths of the view's width
    /// (where its text starts) and at the top, middle or bottom row, from the view's size now.
    /// Locations outside the nine place it at the view's corner.
    void setLocation(ViewLocation new_location);
    ViewLocation getLocation() const;

    /// Takes the value of view events tagged with its label: adds it when the event is a change,
    /// replaces its own otherwise.
    int eventHandler(const Event* p_event) override;

    /// Draws the label and the value at its place on the screen.
    int draw() override;

private:
    std::string view_string;  // label, and the tag of the view events it takes
    int value;
    bool border;
    Color color;
    ViewLocation location;
};

}  // namespace lm
