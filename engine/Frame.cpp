#include "Frame.h"

#include "DisplayManager.h"

#include <utility>

namespace lm {

Frame::Frame() : width(0), height(0) {}

Frame::Frame(int init_width, int init_height, std::string init_frame_str)
    : width(init_width), height(init_height), frame_str(std::move(init_frame_str)) {}

int Frame::getWidth() const {
    return width;
}

void Frame::setWidth(int new_width) {
    width = new_width;
}

int Frame::getHeight() const {
    return height;
}

void Frame::setHeight(int new_height) {
    height = new_height;
}

std::string Frame::getString() const {
    return frame_str;
}

void Frame::setString(std::string new_frame_str) {
    frame_str = std::move(new_frame_str);
}

int Frame::draw(Vector position, Color color) const {
    if (frame_str.empty()) {
        return -1;
    }
    if (width <= 0 || height <= 0) {
        return 0;
    }
    DisplayManager& display_manager = DisplayManager::getInstance();
    const int x_offset = width / 2;
    const int y_offset = height / 2;
    const std::size_t length = frame_str.size();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Computed in size_t: a frame's fields may disagree with its string, never overflow.
            const std::size_t index =
                static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x);
            if (index >= length) {
                return 0;
            }
            const Vector cell(position.getX() + static_cast<float>(x - x_offset),
                              position.getY() + static_cast<float>(y - y_offset));
            display_manager.drawCh(cell, frame_str[index], color);
        }
    }
    return 0;
}

}  // namespace lm
