#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace lm {

/// A fixed-capacity table of loaded resources found by label, such as the sound effects or the
/// music tracks. Entries are filled densely from index 0 in load order; a lookup gives the first
/// entry with the label; removing an entry frees what it holds and moves every later entry one
/// place down, keeping their order. An Entry is default-constructible (empty) and movable, and
/// has a label.
template <typename Entry, int CAPACITY>
class ResourceTable {
public:
    bool isFull() const { return count == CAPACITY; }

    /// The free entry that the next load fills; only while the table is not full.
    Entry& next() { return entries[static_cast<std::size_t>(count)]; }

    /// The next entry now holds a resource, under this label.
    void add(std::string label) {
        next().setLabel(std::move(label));
        ++count;
    }

    /// The first entry with that label, or null.
    Entry* find(const std::string& label) {
        Entry* const end = entries.data() + count;
        Entry* const found = std::find_if(entries.data(), end, [&label](const Entry& entry) {
            return entry.getLabel() == label;
        });
        return found != end ? found : nullptr;
    }

    /// Removes the first entry with that label; false when none has it.
    bool remove(const std::string& label) {
        Entry* const p_found = find(label);
        if (p_found == nullptr) {
            return false;
        }
        Entry* const end = entries.data() + count;
        std::move(p_found + 1, end, p_found);
        *(end - 1) = Entry();
        --count;
        return true;
    }

    /// Removes every entry.
    void clear() {
        for (; count > 0; --count) {
            entries[static_cast<std::size_t>(count - 1)] = Entry();
        }
    }

private:
    std::array<Entry, CAPACITY> entries;  // the first count hold resources
    int count = 0;                        // entries in use
};

}  // namespace lm
