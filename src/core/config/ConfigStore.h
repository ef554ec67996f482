#pragma once

#include <string>
#include <string_view>

#include "core/config/ConfigKeys.h"

namespace galewarden {

// The INI file Galewarden.ini: every read passes its own default and sees the file as it is
// (parsed again only when it changed), every write goes straight to the file. Texts are
// GB18030, as on disk. Safe to use from several threads at once.
class ConfigStore {
  public:
    // The configuration of the program directory.
    ConfigStore();
    // A configuration file elsewhere (program text).
    explicit ConfigStore(std::string filePath);

    // The program directory + "/Galewarden.ini".
    static std::string path();
    const std::string& filePath() const { return filePath_; }

    std::string readText(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
    bool readFlag(std::string_view section, std::string_view key,
                  std::string_view defaultValue) const;
    int readNumber(std::string_view section, std::string_view key,
                   std::string_view defaultValue) const;

    // Writes report whether the file now holds the value; callers may ignore it.
    bool writeText(std::string_view section, std::string_view key, std::string_view value);
    bool writeQuoted(std::string_view section, std::string_view key, std::string_view value);
    bool writeFlag(std::string_view section, std::string_view key, bool value);
    bool writeNumber(std::string_view section, std::string_view key, int value);
    bool deleteKey(std::string_view section, std::string_view key);

    // The same through the key table: its default, and quoting where the table says so.
    std::string read(const ConfigKey& key) const;
    bool readFlag(const ConfigKey& key) const;
    int readNumber(const ConfigKey& key) const;
    bool write(const ConfigKey& key, std::string_view value);
    bool write(const ConfigKey& key, int value);
    bool writeFlag(const ConfigKey& key, bool value);
    bool deleteKey(const ConfigKey& key);

    bool exists() const;

    // While one lives, reads of its store's file on this thread look at the file once: a pass
    // that reads a dozen keys a second costs one look, and sees one state of the file
    // throughout. A write of this thread to the file makes the next read look again.
    class ReadPass {
      public:
        explicit ReadPass(const ConfigStore& store);
        ~ReadPass();
        ReadPass(const ReadPass&) = delete;
        ReadPass& operator=(const ReadPass&) = delete;

      private:
        bool outermost_ = false;
    };

  private:
    std::string filePath_;
};

// The escaping of the [Label] Text value and its exact inverse.
std::string encodeLabelText(std::string_view text);
std::string decodeLabelText(std::string_view stored);

// Start-up steps: the "~reset" rename to the ".bak" name, and the repair after a version
// change.
void resetConfiguration(const ConfigStore& store);
void migrateConfiguration(ConfigStore& store);

}  // namespace galewarden
