#pragma once

#include "Box.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace lm {

class Object;

/// A broad-phase index of the world's solid objects for collision searches: a uniform grid of
/// square buckets, each holding the objects whose boxes reach into it. Objects whose boxes span
/// very many buckets, or lie beyond any sensible coordinate, are kept aside and offered to every
/// search. The grid also remembers the order in which objects entered the world, so that a search
/// answers in that order.
class CollisionGrid {
public:
    CollisionGrid() = default;
    CollisionGrid(const CollisionGrid&) = delete;
    CollisionGrid& operator=(const CollisionGrid&) = delete;

    /// Forgets everything.
    void clear();

    /// Takes note of an object entering the world, after all those before it. It is searchable
    /// once filed.
    void add(const Object* p_object);

    /// Files the object under its world box when it is solid, or takes it out of the buckets when
    /// it is not. Unknown objects are ignored.
    void file(const Object* p_object, Box world_box, bool solid);

    /// Forgets the object.
    void remove(const Object* p_object);

    /// The filed objects whose boxes may touch the box, each once, in the order they entered the
    /// world; the exact test is the caller's. False, with nothing found, when the box is too large
    /// or too far out to be searched by buckets: the caller then looks at every object.
    bool search(Box box, std::vector<Object*>& found) const;

private:
    /// The buckets an entry is filed in, inclusive.
    struct Span {
        std::int64_t x0 = 0;
        std::int64_t y0 = 0;
        std::int64_t x1 = -1;
        std::int64_t y1 = -1;
        bool operator==(const Span& other) const;
    };

    struct Entry {
        Object* p_object = nullptr;
        std::uint64_t order = 0;          // entered the world after every smaller order
        bool filed = false;               // solid, in the buckets or aside
        bool aside = false;               // in the list searched every time
        Span span;                        // its buckets while filed and not aside
        mutable std::uint64_t visit = 0;  // the last search that found it
    };

    /// The buckets a box reaches into; false when there are too many or the box is not finite.
    static bool spanOf(Box box, Span& span);
    static std::uint64_t key(std::int64_t x, std::int64_t y);

    void unfile(Entry& entry);

    std::unordered_map<const Object*, Entry> entries;
    std::unordered_map<std::uint64_t, std::vector<Entry*>> buckets;
    std::vector<Entry*> aside;
    std::uint64_t next_order = 0;
    mutable std::uint64_t searches = 0;
    mutable std::vector<Entry*> scratch;  // a search's finds before sorting
};

}  // namespace lm
