#include <iostream>

#include "cli/Commands.h"
#include "cli/TerminalText.h"
#include "core/json/JsonDocument.h"
#include "core/platform/FileSystem.h"
#include "core/text/CodePage.h"

namespace galewarden::cli {

// json FILE PATH...: what each path of a downloaded answer reads, one line per path.
int runJsonCommand(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        return usage();
    }
    const std::string& file = args.front();
    std::string bytes;
    if (readFile(gbFromUtf8(file), bytes) != FileState::Read) {
        std::cerr << "galewarden-cli: cannot read " << file << '\n';
        return kFailure;
    }
    // The same escaped form the refresh parses.
    JsonDocument document;
    if (!document.parse(convertText(bytes, Encoding::Utf8, Encoding::Java))) {
        std::cerr << "galewarden-cli: " << file << " is not a JSON document\n";
        return kFailure;
    }
    for (auto path = args.begin() + 1; path != args.end(); ++path) {
        std::cout << terminalText(document.getText(gbFromUtf8(*path))) << '\n';
    }
    return kSuccess;
}

}  // namespace galewarden::cli
