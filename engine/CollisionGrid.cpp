#include "CollisionGrid.h"

#include "Object.h"

#include <algorithm>
#include <cmath>

namespace lm {

namespace {

constexpr float BUCKET_SIZE = 8;           // cells on each side of a bucket
constexpr std::int64_t MOST_BUCKETS = 64;  // an object reaching into more is kept aside
constexpr float FARTHEST = 1e12f;          // coordinates beyond this are kept aside

}  // namespace

bool CollisionGrid::Span::operator==(const Span& other) const {
    return x0 == other.x0 && y0 == other.y0 && x1 == other.x1 && y1 == other.y1;
}

void CollisionGrid::clear() {
    entries.clear();
    buckets.clear();
    aside.clear();
    next_order = 0;
}

void CollisionGrid::add(const Object* p_object) {
    Entry& entry = entries[p_object];
    unfile(entry);
    entry.p_object = const_cast<Object*>(p_object);
    entry.order = next_order++;
}

void CollisionGrid::file(const Object* p_object, Box world_box, bool solid) {
    const auto found = entries.find(p_object);
    if (found == entries.end()) {
        return;
    }
    Entry& entry = found->second;
    Span span;
    const bool in_buckets = solid && spanOf(world_box, span);
    // Most changes leave an object in the buckets it was in.
    if (entry.filed == solid && !entry.aside && in_buckets && entry.span == span) {
        return;
    }
    unfile(entry);
    if (!solid) {
        return;
    }
    entry.filed = true;
    if (!in_buckets) {
        entry.aside = true;
        aside.push_back(&entry);
        return;
    }
    entry.span = span;
    for (std::int64_t y = span.y0; y <= span.y1; ++y) {
        for (std::int64_t x = span.x0; x <= span.x1; ++x) {
            buckets[key(x, y)].push_back(&entry);
        }
    }
}

void CollisionGrid::remove(const Object* p_object) {
    const auto found = entries.find(p_object);
    if (found != entries.end()) {
        unfile(found->second);
        entries.erase(found);
    }
}

bool CollisionGrid::search(Box box, std::vector<Object*>& found) const {
    found.clear();
    Span span;
    if (!spanOf(box, span)) {
        return false;
    }
    const std::uint64_t search = ++searches;
    scratch.clear();
    const auto take = [&](Entry* p_entry) {
        if (p_entry->visit != search) {
            p_entry->visit = search;
            scratch.push_back(p_entry);
        }
    };
    for (std::int64_t y = span.y0; y <= span.y1; ++y) {
        for (std::int64_t x = span.x0; x <= span.x1; ++x) {
            const auto bucket = buckets.find(key(x, y));
            if (bucket != buckets.end()) {
                std::for_each(bucket->second.begin(), bucket->second.end(), take);
            }
        }
    }
    std::for_each(aside.begin(), aside.end(), take);
    std::sort(scratch.begin(), scratch.end(),
              [](const Entry* a, const Entry* b) { return a->order < b->order; });
    for (const Entry* p_entry : scratch) {
        found.push_back(p_entry->p_object);
    }
    return true;
}

bool CollisionGrid::spanOf(Box box, Span& span) {
    const float left = box.getCorner().getX();
    const float top = box.getCorner().getY();
    const float right = left + box.getHorizontal();
    const float bottom = top + box.getVertical();
    for (float edge : {left, top, right, bottom}) {
        if (!(std::fabs(edge) < FARTHEST)) {  // also false for NaN
            return false;
        }
    }
    // Touching boxes share a bucket: a point on the edge of both falls into one bucket.
    span.x0 = static_cast<std::int64_t>(std::floor(std::min(left, right) / BUCKET_SIZE));
    span.x1 = static_cast<std::int64_t>(std::floor(std::max(left, right) / BUCKET_SIZE));
    span.y0 = static_cast<std::int64_t>(std::floor(std::min(top, bottom) / BUCKET_SIZE));
    span.y1 = static_cast<std::int64_t>(std::floor(std::max(top, bottom) / BUCKET_SIZE));
    return (span.x1 - span.x0 + 1) * (span.y1 - span.y0 + 1) <= MOST_BUCKETS;
}

std::uint64_t CollisionGrid::key(std::int64_t x, std::int64_t y) {
    return (static_cast<std::uint64_t>(x) << 32) ^ (static_cast<std::uint64_t>(y) & 0xffffffffu);
}

void CollisionGrid::unfile(Entry& entry) {
    if (!entry.filed) {
        return;
    }
    const auto drop = [&entry](std::vector<Entry*>& list) {
        const auto place = std::find(list.begin(), list.end(), &entry);
        if (place != list.end()) {
            *place = list.back();
            list.pop_back();
        }
    };
    if (entry.aside) {
        drop(aside);
    } else {
        for (std::int64_t y = entry.span.y0; y <= entry.span.y1; ++y) {
            for (std::int64_t x = entry.span.x0; x <= entry.span.x1; ++x) {
                drop(buckets[key(x, y)]);
            }
        }
    }
    entry.filed = false;
    entry.aside = false;
}

}  // namespace lm
