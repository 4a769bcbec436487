#include "LogManager.h"

#include "Constants.h"

#include <cstdarg>

namespace lm {

LogManager::LogManager() : do_flush(false), log_file(nullptr) {
    setType("LogManager");
}

LogManager& LogManager::getInstance() {
    static LogManager instance;
    return instance;
}

LogManager::~LogManager() {
    if (log_file != nullptr) {
        std::fclose(log_file);
        log_file = nullptr;
    }
}

int LogManager::startUp() {
    Manager::startUp();
    if (log_file != nullptr) {
        std::fclose(log_file);
    }
    log_file = std::fopen(LOGFILE_NAME, "w");
    return log_file != nullptr ? 0 : -1;
}

bool LogManager::isOpen() const {
    return log_file != nullptr;
}

void LogManager::shutDown() {
    Manager::shutDown();
    if (log_file != nullptr) {
        std::fclose(log_file);
        log_file = nullptr;
    }
}

void LogManager::setFlush(bool new_do_flush) {
    do_flush = new_do_flush;
}

int LogManager::writeLog(const char* format, ...) const {
    if (log_file == nullptr || format == nullptr) {
        return -1;
    }
    va_list arguments;
    va_start(arguments, format);
    const int count = std::vfprintf(log_file, format, arguments);
    va_end(arguments);
    std::fputc('\n', log_file);
    if (do_flush) {
        std::fflush(log_file);
    }
    return count;
}

}  // namespace lm
