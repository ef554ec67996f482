#pragma once

#include <string>
#include <vector>

namespace galewarden::test {

struct ProcessResult {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// Runs a program with arguments (no shell) and collects its output and exit status.
ProcessResult runProcess(const std::string& program, const std::vector<std::string>& args);

}  // namespace galewarden::test
