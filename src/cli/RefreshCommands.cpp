#include "cli/Commands.h"

namespace galewarden::cli {

int runOnceCommand(const std::vector<std::string>&) {
    return usage();
}
int runCheckCommand(const std::vector<std::string>&) {
    return usage();
}

}  // namespace galewarden::cli
