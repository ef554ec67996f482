#include "core/config/ConfigStore.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "core/config/IniDocument.h"
#include "core/platform/FileLock.h"
#include "core/platform/FileSystem.h"
#include "core/platform/ProgramPaths.h"
#include "core/text/TextToNumber.h"

namespace galewarden {
namespace {

// Each write rewrites the whole file, so two writers at once (the interface thread and the
// refresh worker, or two processes) would lose each other's keys without one lock around read,
// edit and write. The lock file keeps processes apart; this mutex keeps the threads of this one
// apart even where no lock file can be made.
std::mutex& fileLock() {
    static std::mutex lock;
    return lock;
}

// Readers ask many times a second (the icon window's pass twice a second), so each file is
// parsed again only when its stamp changes; a write of this process forgets its file's entry.
// File times are coarse (a few milliseconds), so a file rewritten in place with the same size
// just after a read could keep its stamp: a copy is trusted only once the file's modification
// lies a moment in the past. Guarded by fileLock().
struct ParsedFile {
    FileStamp stamp;
    std::shared_ptr<const IniDocument> document;
    bool settled = false;
};
constexpr std::size_t kMaxParsedFiles = 8;
constexpr std::int64_t kSettledNanoseconds = 2'000'000'000;

bool isSettled(const FileStamp& stamp) {
    const std::int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
    return now - stamp.modifiedNanoseconds > kSettledNanoseconds;
}

std::map<std::string, ParsedFile>& parsedFiles() {
    static std::map<std::string, ParsedFile> files;
    return files;
}

// The parsed file, or null when it cannot be read. Called with fileLock() held.
std::shared_ptr<const IniDocument> parsedFile(const std::string& path) {
    auto& files = parsedFiles();
    const FileStamp stamp = fileStamp(path);
    const auto known = files.find(path);
    if (known != files.end() && known->second.settled && stamp.regularFile &&
        known->second.stamp == stamp) {
        return known->second.document;
    }
    std::string bytes;
    if (!stamp.regularFile || readFile(path, bytes) != FileState::Read) {
        files.erase(path);
        return nullptr;
    }
    if (files.size() >= kMaxParsedFiles) {
        files.clear();
    }
    // A change between the stamp and the read shows as another stamp at the next read.
    auto document = std::make_shared<const IniDocument>(bytes);
    files[path] = {stamp, document, isSettled(stamp)};
    return document;
}

// The file a ReadPass of this thread holds, once its first read has looked at it.
struct PinnedFile {
    bool active = false;
    std::string path;
    std::shared_ptr<const IniDocument> document;
};
thread_local PinnedFile pinned;

bool pinnedHere(const std::string& path) {
    return pinned.active && pinned.path == path;
}

// One lock for every name of the file: a link and its target lock alike.
std::string lockFileOf(const std::string& path) {
    return resolvedPath(path) + ".lock";
}

// An unreadable file is never replaced: that would throw away every setting in it. Without the
// lock file (a folder that takes no new file, where the file is rewritten in place) the write
// still goes on: refusing it would leave such a configuration unchangeable.
bool editFile(const std::string& path, const std::function<bool(IniDocument&)>& edit) {
    const std::lock_guard guard(fileLock());
    const FileLock processes(lockFileOf(path));
    if (processes.held()) {
        // Every writer writes and renames its temporary file while it holds both locks, so a
        // temporary found now belongs to a writer that died before its rename. A process-id
        // test would be weaker: ids are reused, and mean nothing on a shared folder.
        removeReplacementLeftovers(path);
    }
    std::string bytes;
    if (readFile(path, bytes) == FileState::Unreadable) {
        return false;
    }
    IniDocument document(bytes);
    if (!edit(document)) {
        return false;
    }
    const std::string edited = document.bytes();
    if (edited == bytes) {
        return true;
    }
    parsedFiles().erase(path);
    if (pinnedHere(path)) {
        pinned.document.reset();
    }
    return replaceFile(path, edited);
}

std::string quoted(std::string_view value) {
    std::string text = "\"";
    text += value;
    text += '"';
    return text;
}

}  // namespace

ConfigStore::ConfigStore() : filePath_(path()) {}

ConfigStore::ConfigStore(std::string filePath) : filePath_(std::move(filePath)) {}

ConfigStore::ReadPass::ReadPass(const ConfigStore& store) : outermost_(!pinned.active) {
    if (outermost_) {
        pinned = {true, store.filePath(), nullptr};
    }
}

ConfigStore::ReadPass::~ReadPass() {
    if (outermost_) {
        pinned = {};
    }
}

std::string ConfigStore::path() {
    return configDirectory() + "/Galewarden.ini";
}

std::string ConfigStore::readText(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
    std::shared_ptr<const IniDocument> document = pinnedHere(filePath_) ? pinned.document : nullptr;
    if (!document) {
        const std::lock_guard guard(fileLock());
        document = parsedFile(filePath_);
    }
    if (pinnedHere(filePath_)) {
        pinned.document = document;
    }
    const auto value = document ? document->read(section, key) : std::nullopt;
    return value ? *value : std::string(defaultValue);
}

bool ConfigStore::readFlag(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const {
    return readText(section, key, defaultValue) == "1";
}

int ConfigStore::readNumber(std::string_view section, std::string_view key,
                            std::string_view defaultValue) const {
    return textToInteger(readText(section, key, defaultValue));
}

bool ConfigStore::writeText(std::string_view section, std::string_view key,
                            std::string_view value) {
    return editFile(filePath_,
                    [&](IniDocument& document) { return document.write(section, key, value); });
}

bool ConfigStore::writeQuoted(std::string_view section, std::string_view key,
                              std::string_view value) {
    return writeText(section, key, quoted(value));
}

bool ConfigStore::writeFlag(std::string_view section, std::string_view key, bool value) {
    return writeText(section, key, value ? "1" : "0");
}

bool ConfigStore::writeNumber(std::string_view section, std::string_view key, int value) {
    return writeText(section, key, std::to_string(value));
}

bool ConfigStore::deleteKey(std::string_view section, std::string_view key) {
    return editFile(filePath_, [&](IniDocument& document) {
        document.remove(section, key);
        return true;
    });
}

std::string ConfigStore::read(const ConfigKey& key) const {
    return readText(key.section, key.name, defaultOf(key));
}

bool ConfigStore::readFlag(const ConfigKey& key) const {
    return read(key) == "1";
}

int ConfigStore::readNumber(const ConfigKey& key) const {
    return textToInteger(read(key));
}

bool ConfigStore::write(const ConfigKey& key, std::string_view value) {
    return key.quoted ? writeQuoted(key.section, key.name, value)
                      : writeText(key.section, key.name, value);
}

bool ConfigStore::write(const ConfigKey& key, int value) {
    return write(key, std::string_view(std::to_string(value)));
}

bool ConfigStore::writeFlag(const ConfigKey& key, bool value) {
    return write(key, std::string_view(value ? "1" : "0"));
}

bool ConfigStore::deleteKey(const ConfigKey& key) {
    return deleteKey(key.section, key.name);
}

bool ConfigStore::exists() const {
    return fileExists(filePath_);
}

}  // namespace galewarden
