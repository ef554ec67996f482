#pragma once

#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace galewarden::alertservice {

// The requests received, one line each ("GET /api/alert/c?a=…&v=…", as they arrived), kept for
// the owner and optionally printed to stdout and appended to a file.
class RequestLog {
  public:
    RequestLog(bool printToStdout, const std::filesystem::path& file);

    void record(const std::string& line);
    // A line for stdout only, such as the listening address.
    void announce(const std::string& line);
    std::vector<std::string> lines() const;

  private:
    const bool printToStdout_;
    mutable std::mutex mutex_;
    std::ofstream file_;
    std::vector<std::string> lines_;
};

}  // namespace galewarden::alertservice
