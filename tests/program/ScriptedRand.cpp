// Loaded into the real game with LD_PRELOAD, this library takes the place of the C library's
// rand(), so that a test decides when an encounter happens, which enemy comes and what it does,
// whatever the timing of its key presses.
//
// rand() returns the numbers of the file named by LUMORA_RAND_FILE, in order, and then the last
// one again and again. Replacing the file (write a new one, rename it over the old) starts its
// numbers from the beginning at the next call. Without the file, rand() returns 0.

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <vector>

namespace {

std::vector<int> values;
std::size_t next = 0;
struct stat script_file {};

/// Reads the file again when it has been replaced since the last call: by a new file, or by one
/// that takes a freed file's place with a later time.
void refresh() {
    const char* path = std::getenv("LUMORA_RAND_FILE");
    struct stat status {};
    if (path == nullptr || stat(path, &status) != 0 ||
        (status.st_ino == script_file.st_ino &&
         status.st_mtim.tv_nsec == script_file.st_mtim.tv_nsec &&
         status.st_mtim.tv_sec == script_file.st_mtim.tv_sec)) {
        return;
    }
    script_file = status;
    values.clear();
    next = 0;
    if (FILE* file = std::fopen(path, "r")) {
        for (int value = 0; std::fscanf(file, "%d", &value) == 1;) {
            values.push_back(value);
        }
        std::fclose(file);
    }
}

}  // namespace

extern "C" int rand() noexcept {
    refresh();
    if (values.empty()) {
        return 0;
    }
    const int value = values[next];
    next += next + 1 < values.size() ? 1 : 0;
    return value;
}
