#include "RequestLog.h"

#include <iostream>

namespace galewarden::alertservice {

RequestLog::RequestLog(bool printToStdout, const std::filesystem::path& file)
    : printToStdout_(printToStdout) {
    if (!file.empty()) {
        file_.open(file, std::ios::binary | std::ios::app);
    }
}

void RequestLog::record(const std::string& line) {
    std::lock_guard lock(mutex_);
    lines_.push_back(line);
    if (printToStdout_) {
        std::cout << line << std::endl;
    }
    if (file_.is_open()) {
        file_ << line << std::endl;
    }
}

void RequestLog::announce(const std::string& line) {
    std::lock_guard lock(mutex_);
    if (printToStdout_) {
        std::cout << line << std::endl;
    }
}

std::vector<std::string> RequestLog::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

}  // namespace galewarden::alertservice
