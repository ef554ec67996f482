#include "SignalPictures.h"

#include "core/text/CodePage.h"
#include "core/text/Md5.h"

#include <fstream>
#include <iterator>

namespace galewarden::alertservice {
namespace {

std::string utf8Stem(const std::filesystem::path& file) {
    const std::u8string stem = file.stem().u8string();
    return std::string(stem.begin(), stem.end());
}

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::string pictureByDigest(const std::filesystem::path& folder, std::string_view digest) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path& file = it->path();
        if (file.extension() == ".png" && md5Hex(gbFromUtf8(utf8Stem(file))) == digest) {
            return readBytes(file);
        }
    }
    return {};
}

}  // namespace galewarden::alertservice
