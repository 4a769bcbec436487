#include "Sprite.h"

#include <utility>

namespace lm {

Sprite::Sprite(int max_frames)
    : width(0),
      height(0),
      max_frame_count(max_frames > 0 ? max_frames : 0),
      frame_count(0),
      color(COLOR_DEFAULT),
      slowdown(0),
      frame(static_cast<std::size_t>(max_frame_count)) {}

int Sprite::getWidth() const {
    return width;
}

void Sprite::setWidth(int new_width) {
    width = new_width;
}

int Sprite::getHeight() const {
    return height;
}

void Sprite::setHeight(int new_height) {
    height = new_height;
}

Color Sprite::getColor() const {
    return color;
}

void Sprite::setColor(Color new_color) {
    color = new_color;
}

int Sprite::getSlowdown() const {
    return slowdown;
}

void Sprite::setSlowdown(int new_slowdown) {
    slowdown = new_slowdown;
}

std::string Sprite::getLabel() const {
    return label;
}

void Sprite::setLabel(std::string new_label) {
    label = std::move(new_label);
}

int Sprite::getFrameCount() const {
    return frame_count;
}

int Sprite::pushFrame(Frame new_frame) {
    if (frame_count == max_frame_count) {
        return -1;
    }
    frame[static_cast<std::size_t>(frame_count)] = std::move(new_frame);
    ++frame_count;
    return 0;
}

Frame Sprite::getFrame(int frame_index) const {
    if (frame_index < 0 || frame_index >= frame_count) {
        return Frame();
    }
    return frame[static_cast<std::size_t>(frame_index)];
}

int Sprite::draw(int frame_index, Vector position) const {
    if (frame_index < 0 || frame_index >= frame_count) {
        return -1;
    }
    return frame[static_cast<std::size_t>(frame_index)].draw(position, color);
}

}  // namespace lm
