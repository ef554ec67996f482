#include "cli/Commands.h"

namespace galewarden::cli {

int runConfigCommand(const std::vector<std::string>&) {
    return usage();
}

}  // namespace galewarden::cli
