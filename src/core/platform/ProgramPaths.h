#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace galewarden {

// What decides where the program's files live (texts in the program's code page).
struct PlaceFacts {
    std::string galewardenHome;  // GALEWARDEN_HOME
    std::string executableDirectory;
    bool executableDirectoryWritable = true;
    bool installedResourcesPresent = false;  // <executable dir>/../share/galewarden exists
    std::string xdgConfigHome;
    std::string xdgDataHome;
    std::string home;
};

// Where they live. A portable copy (its directory writable, no installation around it) keeps
// everything beside the executable; an installed program keeps the configuration in
// $XDG_CONFIG_HOME/galewarden and the rest in $XDG_DATA_HOME/galewarden; GALEWARDEN_HOME wins
// over both. No trailing separators.
struct ProgramPlaces {
    bool installed = false;
    std::string configDirectory;  // Galewarden.ini
    std::string dataDirectory;    // Pack/, the report file, downloads, the plug-in library
    // Where read-only files (Guidance.html, Districts.json) are looked for, the user's first.
    std::vector<std::string> resourceDirectories;
};

ProgramPlaces placesFor(const PlaceFacts& facts);

// The places of this process, from its environment and its executable's directory. An
// installed program's directories are made when missing.
ProgramPlaces programPlaces();
std::string configDirectory();
std::string dataDirectory();
// The first of the resource directories' copies of `name` that exists; else the user's path.
std::string findProgramResource(std::string_view name);

// The executable's full path as text; empty when it cannot be determined.
std::string executablePath();

}  // namespace galewarden
