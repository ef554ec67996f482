#include <iostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "core/platform/ProcessMemory.h"

namespace galewarden::cli {

int usage() {
    std::cerr
        << "usage: galewarden-cli COMMAND ...\n"
           "  once [--json]                     one refresh pass against the configured source\n"
           "  check FILE [--json]               classify a saved answer without network\n"
           "  json FILE PATH...                 what each path of a JSON file reads\n"
           "  config get SECTION KEY            read a configuration value\n"
           "  config set SECTION KEY VALUE [--quoted]\n"
           "  config delete SECTION KEY\n"
           "  source list                       the sources to choose from, * the current one\n"
           "  source use NAME                   make a source the current one\n"
           "  source show                       the current source and its rules\n"
           "  history [--since YYYY-MM-DD] [--until YYYY-MM-DD] [--colour red,orange,...]\n"
           "          [--json | --csv]          the warnings of the history, newest first\n"
           "Texts are UTF-8; the program directory is GALEWARDEN_HOME or the executable's.\n";
    return kUsage;
}

}  // namespace galewarden::cli

int main(int argc, char** argv) {
    using namespace galewarden::cli;
    galewarden::reuseLargeBuffers();
    if (argc < 2) {
        return usage();
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "config") {
        return runConfigCommand(args);
    }
    if (command == "json") {
        return runJsonCommand(args);
    }
    if (command == "source") {
        return runSourceCommand(args);
    }
    if (command == "history") {
        return runHistoryCommand(args);
    }
    if (command == "once") {
        return runOnceCommand(args);
    }
    if (command == "check") {
        return runCheckCommand(args);
    }
    return usage();
}
