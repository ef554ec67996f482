#include "core/json/JsonWriter.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace galewarden {
namespace {

rapidjson::SizeType sizeOf(std::string_view text) {
    return static_cast<rapidjson::SizeType>(text.size());
}

}  // namespace

struct JsonWriter::Impl {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer{buffer};
};

JsonWriter::JsonWriter() : impl_(std::make_unique<Impl>()) {}

JsonWriter::~JsonWriter() = default;

void JsonWriter::reserve(std::size_t bytes) {
    impl_->buffer.Reserve(bytes);
}

void JsonWriter::startArray() {
    impl_->writer.StartArray();
}

void JsonWriter::endArray() {
    impl_->writer.EndArray();
}

void JsonWriter::startObject() {
    impl_->writer.StartObject();
}

void JsonWriter::endObject() {
    impl_->writer.EndObject();
}

void JsonWriter::key(std::string_view utf8) {
    impl_->writer.Key(utf8.data(), sizeOf(utf8));
}

void JsonWriter::string(std::string_view utf8) {
    impl_->writer.String(utf8.data(), sizeOf(utf8));
}

void JsonWriter::integer(long long value) {
    impl_->writer.Int64(value);
}

void JsonWriter::null() {
    impl_->writer.Null();
}

std::string_view JsonWriter::text() const {
    return {impl_->buffer.GetString(), impl_->buffer.GetSize()};
}

}  // namespace galewarden
