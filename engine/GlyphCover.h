#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace lm {

/// Where the glyphs drawn so far in a frame lie on the window, in tiles for quick lookup.
///
/// A cell's black background only changes pixels that an earlier glyph has drawn on: everywhere
/// else the frame is still black. So instead of the whole background, the display draws only its
/// overlaps with earlier glyphs, which gives the same pixels for a fraction of the work: the
/// pixels a rectangle covers are exactly those its two triangles cover, and the pixels covered by
/// the overlap of two rectangles are exactly those covered by both.
class GlyphCover {
public:
    /// A rectangle of the window by its edges, exactly as its quad is drawn.
    struct Edges {
        float left;
        float top;
        float right;
        float bottom;
    };

    /// Starts a frame on a window of this size in pixels.
    void reset(float window_width, float window_height);

    /// A glyph's quad has been drawn.
    void add(const Edges& glyph);

    /// Something else may be drawn on the window now: until the next frame, areas are covered
    /// whole.
    void forget();

    /// Calls cover(part) for the overlap of the area with every earlier glyph, or once with the
    /// whole area when that cannot be known (a position that is not a number came by).
    template <typename Cover>
    void forEachOverlap(const Edges& area, Cover cover);

private:
    static constexpr float TILE = 32;  // pixels on each side of a tile

    static bool finite(const Edges& rect);
    bool tilesOf(const Edges& rect, int& x0, int& y0, int& x1, int& y1) const;

    float width = 0;
    float height = 0;
    int columns = 0;
    int rows = 0;
    bool unknowable = false;          // a glyph stood at no number, or the window was drawn on
    std::vector<Edges> glyphs;        // this frame's glyph quads
    std::vector<std::uint32_t> seen;  // per glyph: the last area that met it
    std::vector<std::vector<std::uint32_t>> tiles;  // glyph indices per tile
    std::vector<std::uint32_t> used_tiles;          // tiles with something in them
    std::uint32_t areas = 0;                        // areas looked up so far
};

template <typename Cover>
void GlyphCover::forEachOverlap(const Edges& area, Cover cover) {
    if (unknowable || !finite(area)) {
        cover(area);
        return;
    }
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    if (!tilesOf(area, x0, y0, x1, y1)) {
        return;  // off the window: nothing to draw
    }
    ++areas;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            for (const std::uint32_t index : tiles[static_cast<std::size_t>(y * columns + x)]) {
                if (seen[index] == areas) {
                    continue;
                }
                seen[index] = areas;
                const Edges& glyph = glyphs[index];
                const Edges part{std::max(area.left, glyph.left), std::max(area.top, glyph.top),
                                 std::min(area.right, glyph.right),
                                 std::min(area.bottom, glyph.bottom)};
                if (part.left < part.right && part.top < part.bottom) {
                    cover(part);
                }
            }
        }
    }
}

}  // namespace lm
