#pragma once

#include <rapidjson/document.h>

#include <filesystem>
#include <string>

namespace galewarden::alertservice {

// Parses a UTF-8 JSON file whose top level is an object; false when it is missing, unreadable
// or anything else.
bool readJsonFile(const std::filesystem::path& file, rapidjson::Document& document);

// Compact UTF-8 JSON text of a value, non-ASCII characters as they are.
std::string jsonText(const rapidjson::Value& value);

}  // namespace galewarden::alertservice
