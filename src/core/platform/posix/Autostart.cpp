#include "core/platform/Autostart.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "core/platform/FileSystem.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

// XDG base directories ignore a relative value; so does this, for HOME as well.
std::filesystem::path absoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value == '/' ? std::filesystem::path(value)
                                             : std::filesystem::path();
}

std::filesystem::path entryPath() {
    std::filesystem::path folder = absoluteFromEnvironment("XDG_CONFIG_HOME");
    if (folder.empty()) {
        const std::filesystem::path home = absoluteFromEnvironment("HOME");
        if (home.empty()) {
            return {};
        }
        folder = home / ".config";
    }
    return folder / "autostart" / "galewarden.desktop";
}

// A string value holds no control characters, and a line break would end the entry.
bool fitsAnExecValue(const std::string& path) {
    return std::none_of(path.begin(), path.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
}

// The Exec key quotes the path as one argument (escaping its quote, backquote, dollar and
// backslash), doubles a percent sign, and is then a string value whose backslashes double again.
std::string execValue(const std::string& path) {
    std::string argument = "\"";
    for (const char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            argument += '\\';
        }
        argument += c;
        if (c == '%') {
            argument += '%';
        }
    }
    argument += '"';
    std::string value;
    for (const char c : argument) {
        value += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return value;
}

}  // namespace

bool registerAutostart(std::string_view executablePath) {
    const std::filesystem::path entry = entryPath();
    const std::string utf8Path = utf8FromGb(executablePath);
    if (entry.empty() || utf8Path.empty() || utf8Path.front() != '/' ||
        !fitsAnExecValue(utf8Path)) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(entry.parent_path(), error);
    const std::string text =
        std::string(
            "[Desktop Entry]\nType=Application\nName=Galewarden\n"
            "Comment[zh_CN]=监视所关注地区的气象灾害预警信号\nIcon=cn.galewarden.Galewarden\n"
            "Exec=") +
        execValue(utf8Path) + "\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
    return replaceFile(pathText(entry), text);
}

bool removeAutostart() {
    const std::filesystem::path entry = entryPath();
    std::error_code error;
    return !entry.empty() && (std::filesystem::remove(entry, error) || !error);
}

}  // namespace galewarden
