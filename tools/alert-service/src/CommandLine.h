#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace galewarden::alertservice {

struct CommandLine {
    int port = 0;
    std::filesystem::path dataDirectory;
    std::string scenario = "default";
    std::filesystem::path requestsLog;
};

// Reads --port N, --data DIR, --scenario NAME and --requests-log FILE. nullopt, after a message
// on stderr, for --help and for anything it cannot use.
std::optional<CommandLine> readCommandLine(int argc, char** argv,
                                           const std::filesystem::path& defaultData);

}  // namespace galewarden::alertservice
