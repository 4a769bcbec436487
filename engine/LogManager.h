#pragma once

#include "Manager.h"

#include <cstdio>

namespace lm {

/// Writes the engine's and the game's messages, one line each, to LOGFILE_NAME in the working
/// directory. Started first and stopped last, so every other manager can write to it.
class LogManager : public Manager {
public:
    static LogManager& getInstance();
    ~LogManager() override;

    /// Creates or empties the log file. -1 when it cannot be opened (the manager still counts as
    /// started, and lines are then dropped).
    int startUp() override;

    /// Closes the file.
    void shutDown() override;

    /// Whether the log file is open, so that lines reach it.
    bool isOpen() const;

    /// When true, every line is flushed to the file as soon as it is written.
    void setFlush(bool new_do_flush = true);

    /// Writes one line formatted by the printf conventions, then a newline. Returns the number of
    /// characters of the message without the newline; negative when the stream reports an error or
    /// no file is open, in which case the line is dropped.
    [[gnu::format(printf, 2, 3)]] int writeLog(const char* format, ...) const;

private:
    LogManager();

    bool do_flush;        // flush after every line
    std::FILE* log_file;  // null while no file is open
};

}  // namespace lm
