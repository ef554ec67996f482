#pragma once

#include <string>
#include <vector>

namespace galewarden::cli {

// Exit statuses of galewarden-cli.
inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1;
inline constexpr int kUsage = 2;

// Each command takes the arguments after its own name (UTF-8) and returns the exit status.
int runConfigCommand(const std::vector<std::string>& args);
int runJsonCommand(const std::vector<std::string>& args);
int runOnceCommand(const std::vector<std::string>& args);
int runCheckCommand(const std::vector<std::string>& args);
int runSourceCommand(const std::vector<std::string>& args);
int runHistoryCommand(const std::vector<std::string>& args);

// Prints the usage to standard error and returns kUsage.
int usage();

}  // namespace galewarden::cli
