#include "CommandLine.h"

#include <charconv>
#include <iostream>
#include <string_view>

namespace galewarden::alertservice {
namespace {

constexpr char kUsage[] =
    "usage: galewarden-alert-service [--port N] [--data DIR] [--scenario NAME]\n"
    "                                [--requests-log FILE]\n"
    "  --port N            port on 127.0.0.1; 0 (the default) picks a free one\n"
    "  --data DIR          the data folder (default: the one beside the sources)\n"
    "  --scenario NAME     default, alternate, empty-list, another data set in DIR/alerts,\n"
    "                      or a failure: http500, html-error, empty, stall, drop\n"
    "  --requests-log FILE append every request received to FILE\n"
    "While running, POST /control/scenario with a scenario name as the body switches to it.\n";

std::optional<int> portNumber(std::string_view text) {
    int port = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc() || end != text.data() + text.size() || port < 0 || port > 65535) {
        return std::nullopt;
    }
    return port;
}

bool refuse(const std::string& message) {
    std::cerr << "galewarden-alert-service: " << message << "\n" << kUsage;
    return false;
}

bool applyOption(CommandLine& line, std::string_view option, std::string_view value) {
    if (option == "--port") {
        const auto port = portNumber(value);
        if (!port) {
            return refuse("not a port: " + std::string(value));
        }
        line.port = *port;
        return true;
    }
    if (option == "--data") {
        line.dataDirectory = std::filesystem::path(value);
    } else if (option == "--scenario") {
        line.scenario = value;
    } else if (option == "--requests-log") {
        line.requestsLog = std::filesystem::path(value);
    } else {
        return refuse("unknown option " + std::string(option));
    }
    return true;
}

}  // namespace

std::optional<CommandLine> readCommandLine(int argc, char** argv,
                                           const std::filesystem::path& defaultData) {
    CommandLine line;
    line.dataDirectory = defaultData;
    for (int i = 1; i < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            std::cerr << kUsage;
            return std::nullopt;
        }
        if (i + 1 >= argc) {
            refuse(std::string(option) + " needs a value");
            return std::nullopt;
        }
        if (!applyOption(line, option, argv[i + 1])) {
            return std::nullopt;
        }
    }
    return line;
}

}  // namespace galewarden::alertservice
