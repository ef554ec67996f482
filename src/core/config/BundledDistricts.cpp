#include "core/config/BundledDistricts.h"

#include "core/platform/FileSystem.h"
#include "core/platform/ProgramPaths.h"

namespace galewarden {
namespace {

constexpr char kFileName[] = "/Districts.json";

std::string executableDirectory() {
    const std::string executable = executablePath();
    return pathText(nativePath(executable).parent_path());
}

}  // namespace

std::string readBundledDistrictList() {
    std::string bytes;
    for (const std::string& directory : {executableDirectory(), programDirectory()}) {
        if (readFile(directory + kFileName, bytes) == FileState::Read && !bytes.empty()) {
            return bytes;
        }
    }
    return {};
}

}  // namespace galewarden
