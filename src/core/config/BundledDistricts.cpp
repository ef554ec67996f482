#include "core/config/BundledDistricts.h"

#include "core/platform/FileSystem.h"
#include "core/platform/ProgramPaths.h"

namespace galewarden {

std::string readBundledDistrictList() {
    std::string bytes;
    (void)readFile(findProgramResource("Districts.json"), bytes);
    return bytes;
}

}  // namespace galewarden
