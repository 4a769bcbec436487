// Loaded into the real game with LD_PRELOAD, this library takes the place of the C library's
// rand(), so that a test decides when an encounter happens, which enemy comes and what it does,
// whatever the timing of its key presses.
//
// rand() returns the numbers of the file named by LUMORA_RAND_FILE, in order, and then the last
// one again and again. Replacing the file (write a new one, rename it over the old) starts its
// numbers from the beginning at the next call. Without the file, rand() returns 0.

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/stat.h>
#include <vector>

namespace {

struct Script {
    std::vector<int> values;
    std::size_t next = 0;
    ino_t inode = 0;
    timespec modified{};
};

Script script;

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

/// Reads the file again when it has been replaced or changed since the last call.
void refresh() {
    const char* path = std::getenv("LUMORA_RAND_FILE");
    struct stat status {};
    if (path == nullptr || stat(path, &status) != 0) {
        return;
    }
    if (status.st_ino == script.inode && sameTime(status.st_mtim, script.modified)) {
        return;
    }
    script = Script{};
    script.inode = status.st_ino;
    script.modified = status.st_mtim;
    if (FILE* file = std::fopen(path, "r")) {
        for (int value = 0; std::fscanf(file, "%d", &value) == 1;) {
            script.values.push_back(value);
        }
        std::fclose(file);
    }
}

}  // namespace

extern "C" int rand() noexcept {
    refresh();
    if (script.values.empty()) {
        return 0;
    }
    const int value = script.values[script.next];
    if (script.next + 1 < script.values.size()) {
        ++script.next;
    }
    return value;
}
