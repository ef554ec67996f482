#include "core/platform/ProgramPaths.h"

#include <algorithm>
#include <cstdlib>

#include "core/platform/FileSystem.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

constexpr std::string_view kSubdirectory = "/galewarden";
constexpr std::string_view kInstalledResources = "/../share/galewarden";

std::string withoutTrailingSeparators(std::string directory) {
    while (directory.size() > 1 && (directory.back() == '/' || directory.back() == '\\')) {
        directory.pop_back();
    }
    return directory;
}

std::string environmentText(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? gbFromUtf8(value) : std::string();
}

// A relative XDG directory is to be ignored, as an unset one is.
std::string xdgDirectory(const std::string& value, const std::string& home,
                         std::string_view fallback) {
    if (!value.empty() && value.front() == '/') {
        return withoutTrailingSeparators(value);
    }
    return withoutTrailingSeparators(home) + std::string(fallback);
}

std::string executableDirectory() {
    return pathText(nativePath(executablePath()).parent_path());
}

// Decided once: an executable's directory does not become writable or installed while it runs.
const PlaceFacts& executableFacts() {
    static const PlaceFacts facts = [] {
        PlaceFacts found;
        found.executableDirectory = executableDirectory();
        found.executableDirectoryWritable = isWritableDirectory(found.executableDirectory);
        found.installedResourcesPresent =
            isDirectory(found.executableDirectory + std::string(kInstalledResources));
        return found;
    }();
    return facts;
}

}  // namespace

ProgramPlaces placesFor(const PlaceFacts& facts) {
    ProgramPlaces places;
    if (!facts.galewardenHome.empty()) {
        places.configDirectory = withoutTrailingSeparators(facts.galewardenHome);
        places.dataDirectory = places.configDirectory;
    } else if (facts.executableDirectoryWritable && !facts.installedResourcesPresent) {
        places.configDirectory = facts.executableDirectory;
        places.dataDirectory = facts.executableDirectory;
    } else {
        places.installed = true;
        places.configDirectory =
            xdgDirectory(facts.xdgConfigHome, facts.home, "/.config") + std::string(kSubdirectory);
        places.dataDirectory = xdgDirectory(facts.xdgDataHome, facts.home, "/.local/share") +
                               std::string(kSubdirectory);
    }
    for (const std::string& directory :
         {places.dataDirectory, facts.executableDirectory,
          facts.executableDirectory + std::string(kInstalledResources)}) {
        auto& list = places.resourceDirectories;
        if (std::find(list.begin(), list.end(), directory) == list.end()) {
            list.push_back(directory);
        }
    }
    return places;
}

ProgramPlaces programPlaces() {
    PlaceFacts facts = executableFacts();
    facts.galewardenHome = environmentText("GALEWARDEN_HOME");
    facts.xdgConfigHome = environmentText("XDG_CONFIG_HOME");
    facts.xdgDataHome = environmentText("XDG_DATA_HOME");
    facts.home = environmentText("HOME");
    ProgramPlaces places = placesFor(facts);
    if (places.installed) {
        createDirectory(places.configDirectory);
        createDirectory(places.dataDirectory);
    }
    return places;
}

std::string configDirectory() {
    return programPlaces().configDirectory;
}

std::string dataDirectory() {
    return programPlaces().dataDirectory;
}

std::string findProgramResource(std::string_view name) {
    const ProgramPlaces places = programPlaces();
    for (const std::string& directory : places.resourceDirectories) {
        std::string path = directory + "/" + std::string(name);
        if (fileExists(path)) {
            return path;
        }
    }
    return places.dataDirectory + "/" + std::string(name);
}

}  // namespace galewarden
