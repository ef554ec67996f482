#include "support/TestHome.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "core/platform/FileSystem.h"
#include "core/text/CodePage.h"

namespace galewarden::test {

TestHome::TestHome() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("galewarden-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    ::setenv("GALEWARDEN_HOME", path_.c_str(), 1);
}

TestHome::~TestHome() {
    ::unsetenv("GALEWARDEN_HOME");
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TestHome::text() const {
    return pathText(path_);
}

void TestHome::write(std::string_view utf8Name, std::string_view bytes) const {
    std::filesystem::create_directories(file(utf8Name).parent_path());
    std::ofstream out(file(utf8Name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TestHome::read(std::string_view utf8Name) const {
    std::ifstream in(file(utf8Name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string gb(std::string_view utf8Text) {
    return gbFromUtf8(utf8Text);
}
std::string utf8(std::string_view gbText) {
    return utf8FromGb(gbText);
}

}  // namespace galewarden::test
