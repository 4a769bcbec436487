#include "GlyphCover.h"

#include <algorithm>

namespace lm {

void GlyphCover::reset(float window_width, float window_height) {
    for (const std::uint32_t tile : used_tiles) {
        tiles[tile].clear();
    }
    used_tiles.clear();
    glyphs.clear();
    seen.clear();
    unknowable = false;
    if (window_width != width || window_height != height) {
        width = window_width;
        height = window_height;
        columns = static_cast<int>(std::ceil(width / TILE));
        rows = static_cast<int>(std::ceil(height / TILE));
        tiles.assign(static_cast<std::size_t>(std::max(columns * rows, 0)), {});
    }
}

void GlyphCover::add(const Edges& glyph) {
    if (!finite(glyph)) {
        unknowable = true;
        return;
    }
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    if (!tilesOf(glyph, x0, y0, x1, y1)) {
        return;  // drawn off the window: it changed no pixel
    }
    const auto index = static_cast<std::uint32_t>(glyphs.size());
    glyphs.push_back(glyph);
    seen.push_back(areas);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const auto tile = static_cast<std::uint32_t>(y * columns + x);
            if (tiles[tile].empty()) {
                used_tiles.push_back(tile);
            }
            tiles[tile].push_back(index);
        }
    }
}

void GlyphCover::forget() {
    unknowable = true;
}

bool GlyphCover::finite(const Edges& rect) {
    return std::isfinite(rect.left) && std::isfinite(rect.top) && std::isfinite(rect.right) &&
           std::isfinite(rect.bottom);
}

bool GlyphCover::tilesOf(const Edges& rect, int& x0, int& y0, int& x1, int& y1) const {
    if (columns <= 0 || rows <= 0 || rect.right < 0 || rect.bottom < 0 || rect.left > width ||
        rect.top > height) {
        return false;
    }
    // Clamped before the conversion, which could not hold a far coordinate.
    const auto tile = [](float pixel, int count) {
        return static_cast<int>(std::clamp(pixel / TILE, 0.0f, static_cast<float>(count - 1)));
    };
    x0 = tile(rect.left, columns);
    y0 = tile(rect.top, rows);
    x1 = tile(rect.right, columns);
    y1 = tile(rect.bottom, rows);
    return true;
}

}  // namespace lm
