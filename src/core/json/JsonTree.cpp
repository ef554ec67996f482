#include "core/json/JsonTree.h"

#include <rapidjson/error/error.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <cstring>

#include "core/json/JsonTextRepair.h"

namespace galewarden::json {
namespace {

// Numbers as text keep every digit; the iterative parser keeps deep nesting off the stack.
constexpr unsigned kParseFlags = rapidjson::kParseInsituFlag | rapidjson::kParseIterativeFlag |
                                 rapidjson::kParseNumbersAsStringsFlag;

using rapidjson::SizeType;

// Builds the document, notes where each number's text starts, and gives up on a document of
// more values than any list of warnings holds: a few megabytes of "[1,1,1," would otherwise
// take hundreds of megabytes as a tree.
class NumberNotingHandler {
  public:
    NumberNotingHandler(rapidjson::Document& document, std::vector<const char*>& numberStarts)
        : document_(document), numberStarts_(numberStarts) {}

    bool RawNumber(const char* text, SizeType length, bool copy) {
        numberStarts_.push_back(text);
        return counted() && document_.RawNumber(text, length, copy);
    }
    bool Null() { return counted() && document_.Null(); }
    bool Bool(bool b) { return counted() && document_.Bool(b); }
    bool Int(int i) { return counted() && document_.Int(i); }
    bool Uint(unsigned i) { return counted() && document_.Uint(i); }
    bool Int64(std::int64_t i) { return counted() && document_.Int64(i); }
    bool Uint64(std::uint64_t i) { return counted() && document_.Uint64(i); }
    bool Double(double d) { return counted() && document_.Double(d); }
    bool String(const char* text, SizeType length, bool copy) {
        return counted() && document_.String(text, length, copy);
    }
    bool StartObject() { return counted() && document_.StartObject(); }
    bool Key(const char* text, SizeType length, bool copy) {
        return counted() && document_.Key(text, length, copy);
    }
    bool EndObject(SizeType count) { return document_.EndObject(count); }
    bool StartArray() { return counted() && document_.StartArray(); }
    bool EndArray(SizeType count) { return document_.EndArray(count); }

  private:
    bool counted() { return ++values_ <= JsonTree::kMaxValues; }

    rapidjson::Document& document_;
    std::vector<const char*>& numberStarts_;
    std::size_t values_ = 0;
};

// A BOM arrives raw, or as \ufeff when the download was first turned into escapes.
std::string_view withoutByteOrderMark(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        return text.substr(3);
    }
    if (text.size() >= 6 && text.starts_with("\\u") &&
        (text.substr(2, 4) == "feff" || text.substr(2, 4) == "FEFF")) {
        return text.substr(6);
    }
    return text;
}

bool isRewritable(rapidjson::ParseErrorCode error) {
    return error == rapidjson::kParseErrorStringUnicodeSurrogateInvalid ||
           error == rapidjson::kParseErrorNumberTooBig;
}

constexpr std::size_t kScanPadding = 16;

}  // namespace

JsonTree::JsonTree() {
    document_.SetObject();
}

bool JsonTree::parse(std::string_view text) {
    const std::string_view json = withoutByteOrderMark(text);
    // A NUL ends the text for RapidJSON, which would then accept what stands before it.
    rapidjson::ParseErrorCode error = rapidjson::kParseErrorTermination;
    if (json.find('\0') == std::string_view::npos) {
        error = parseCopyOf(json, false);
        if (isRewritable(error)) {
            error = parseCopyOf(json, true);
        }
    }
    if (error != rapidjson::kParseErrorNone || document_.IsNull()) {
        clear();
        return false;
    }
    return true;
}

rapidjson::ParseErrorCode JsonTree::parseCopyOf(std::string_view text, bool rewrite) {
    clear();
    text_ = {};
    // Sized once: answers run to tens of megabytes, and a grown copy would double that.
    text_.reserve(text.size() + kScanPadding);
    text_.assign(text);
    const std::vector<RewrittenSpan> rewritten =
        rewrite ? rewriteForRapidJson(text_) : std::vector<RewrittenSpan>{};
    // RapidJSON's SSE2 scanning reads whole 16-byte blocks, which may reach past the text.
    text_.append(kScanPadding, '\0');
    NumberNotingHandler handler(document_, numberStarts_);
    rapidjson::ParseResult result;
    const auto generate = [&](rapidjson::Document&) {
        rapidjson::InsituStringStream stream(text_.data());
        rapidjson::Reader reader;
        result = reader.Parse<kParseFlags>(stream, handler);
        return !result.IsError();
    };
    document_.Populate(generate);
    // Parsing in place leaves number texts where they were: put the rewritten ones back.
    for (const RewrittenSpan& span : rewritten) {
        std::memcpy(text_.data() + span.offset, text.data() + span.offset, span.length);
    }
    return result.Code();
}

void JsonTree::reset() {
    clear();
    text_ = {};
    document_.SetObject();
}

void JsonTree::clear() {
    document_.SetNull();
    document_.GetAllocator().Clear();
    numberStarts_ = {};
}

bool JsonTree::isNumber(const JsonValue& value) const {
    return value.IsString() &&
           std::binary_search(numberStarts_.begin(), numberStarts_.end(), value.GetString());
}

}  // namespace galewarden::json
