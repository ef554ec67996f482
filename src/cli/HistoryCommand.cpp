#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "cli/TerminalText.h"
#include "core/history/HistoryColours.h"
#include "core/history/HistoryCsv.h"
#include "core/history/HistoryDays.h"
#include "core/history/HistoryReader.h"
#include "core/history/HistoryStore.h"
#include "core/json/JsonWriter.h"
#include "core/text/CodePage.h"

namespace galewarden::cli {
namespace {

enum class Format { text, json, csv };

struct HistoryOptions {
    HistoryQuery query;
    Format format = Format::text;
};

std::optional<unsigned> colourMask(std::string_view list) {
    unsigned mask = 0;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::optional<int> colour = historyColourOfKey(list.substr(start, comma - start));
        if (!colour) {
            return std::nullopt;
        }
        mask |= 1u << static_cast<unsigned>(*colour);
        start = comma + 1;
    }
    return mask;
}

std::optional<HistoryOptions> parseOptions(const std::vector<std::string>& args) {
    HistoryOptions options;
    options.query.withGuidance = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json" || arg == "--csv") {
            if (options.format != Format::text) {
                return std::nullopt;
            }
            options.format = arg == "--json" ? Format::json : Format::csv;
            continue;
        }
        if (i + 1 >= args.size()) {
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (arg == "--colour" || arg == "--color") {
            const std::optional<unsigned> mask = colourMask(value);
            if (!mask) {
                return std::nullopt;
            }
            options.query.colours = *mask;
            continue;
        }
        const std::optional<HistoryDay> day = parseDay(value);
        if (!day || (arg != "--since" && arg != "--until")) {
            return std::nullopt;
        }
        if (arg == "--since") {
            options.query.from = startOfDay(*day);
        } else {
            options.query.until = startOfDay(*day + 1);
        }
    }
    return options;
}

// A row's object with a description of a few sentences; room for a long history is made once,
// but never more than a modest machine lends without a thought.
constexpr std::size_t kTypicalRowBytes = 640;
constexpr std::size_t kLargestReservation = 64u << 20;

// Rows are written as they are read: a long history never sits in memory twice.
bool printJson(HistoryReader& reader, HistoryQuery query) {
    // The file's UTF-8 goes out as it is, never through GB18030 and back.
    query.utf8Texts = true;
    query.withGuidance = false;  // not part of the output
    JsonWriter writer;
    const auto text = [&](const char* name, std::string_view utf8) {
        writer.key(name);
        writer.string(utf8);
    };
    const auto time = [&](const char* name, std::optional<HistoryTime> value) {
        writer.key(name);
        if (value) {
            writer.string(isoLocalTime(*value));
        } else {
            writer.null();
        }
    };
    writer.startArray();
    const bool read = reader.forEach(
        query,
        [&](HistoryWarning&& w) {
            writer.startObject();
            writer.key("id");
            writer.integer(w.rowId);
            text("headline", w.headline);
            text("name", w.name);
            writer.key("colour");
            writer.string(historyColourKey(w.colour));
            text("type", w.type);
            text("sender", w.sender);
            text("district", w.district);
            text("region", w.region);
            text("description", w.description);
            time("publishTime", w.publishTime);
            text("source", w.source);
            time("firstSeen", w.firstSeen);
            time("lastSeen", w.lastSeen);
            time("endedAt", w.endedAt);
            writer.endObject();
        },
        [&](std::size_t expected) {
            writer.reserve(std::min(expected, kLargestReservation / kTypicalRowBytes) *
                           kTypicalRowBytes);
        });
    writer.endArray();
    if (read) {
        std::cout << writer.text() << "\n";
    }
    return read;
}

void printText(const std::vector<HistoryWarning>& warnings) {
    for (const HistoryWarning& w : warnings) {
        const std::string end = w.endedAt ? shownLocalTime(*w.endedAt) : gbFromUtf8("生效中");
        std::cout << terminalText(shownLocalTime(w.firstSeen) + " ~ " + end + "  " + w.name + "  " +
                                  w.district + "  " + w.sender)
                  << "\n";
    }
}

void printCsv(const std::vector<HistoryWarning>& warnings) {
    std::vector<const HistoryWarning*> rows;
    rows.reserve(warnings.size());
    for (const HistoryWarning& w : warnings) {
        rows.push_back(&w);
    }
    std::cout << historyCsv(rows);
}

}  // namespace

int runHistoryCommand(const std::vector<std::string>& args) {
    const std::optional<HistoryOptions> options = parseOptions(args);
    if (!options) {
        return usage();
    }
    HistoryReader reader(historyPath());
    std::optional<std::vector<HistoryWarning>> warnings;
    if (options->format != Format::json) {
        warnings = reader.read(options->query);
    }
    if (options->format == Format::json ? !printJson(reader, options->query) : !warnings) {
        std::cerr << "galewarden-cli: the history file cannot be read\n";
        return kFailure;
    }
    switch (options->format) {
        case Format::json:
            break;
        case Format::csv:
            printCsv(*warnings);
            break;
        case Format::text:
            printText(*warnings);
            break;
    }
    return kSuccess;
}

}  // namespace galewarden::cli
