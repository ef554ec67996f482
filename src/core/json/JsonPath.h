#pragma once

#include <cstddef>
#include <string_view>

#include "core/json/JsonTree.h"

namespace galewarden::json {

// What a path leads to: a value of the tree, the `length` of an array or a string, or
// nothing (undefined).
struct PathTarget {
    const JsonValue* value = nullptr;
    std::size_t length = 0;
    bool isLength = false;
};

// Resolves a UTF-8 path such as data[0].title, [1], a["b c"] or a['b'].length. A path is read
// relative to the root; only "da", and paths that begin with "da." or "da[", are first tried
// with "da" standing for the root itself (so da.x reads root.x when present, else
// root.da.x), and the empty path is the root. Steps are names, integer indexes and quoted
// keys in brackets, with spaces allowed between them; anything else leads to nothing.
PathTarget resolvePath(const JsonTree& tree, std::string_view path);

}  // namespace galewarden::json
