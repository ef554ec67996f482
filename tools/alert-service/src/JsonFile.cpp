#include "JsonFile.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <fstream>
#include <iterator>

namespace galewarden::alertservice {

bool readJsonFile(const std::filesystem::path& file, rapidjson::Document& document) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    document.Parse(text.data(), text.size());
    return !document.HasParseError() && document.IsObject();
}

std::string jsonText(const rapidjson::Value& value) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    value.Accept(writer);
    return std::string(buffer.GetString(), buffer.GetSize());
}

}  // namespace galewarden::alertservice
