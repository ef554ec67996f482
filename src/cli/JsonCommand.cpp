#include "cli/Commands.h"

namespace galewarden::cli {

int runJsonCommand(const std::vector<std::string>&) {
    return usage();
}

}  // namespace galewarden::cli
