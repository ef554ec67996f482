#include "core/platform/ProgramPaths.h"

#include <cstdlib>

#include "core/platform/FileSystem.h"
#include "core/text/CodePage.h"

namespace galewarden {

std::string programDirectory() {
    if (const char* home = std::getenv("GALEWARDEN_HOME"); home != nullptr && *home != '\0') {
        std::string directory = gbFromUtf8(home);
        while (directory.size() > 1 && (directory.back() == '/' || directory.back() == '\\')) {
            directory.pop_back();
        }
        return directory;
    }
    return pathText(nativePath(executablePath()).parent_path());
}

}  // namespace galewarden
