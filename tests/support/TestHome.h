#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace galewarden::test {

// A fresh program directory for one test: created empty, set as GALEWARDEN_HOME, removed
// again afterwards.
class TestHome {
  public:
    TestHome();
    ~TestHome();
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The directory as program text (GB18030).
    std::string text() const;
    std::filesystem::path file(std::string_view utf8Name) const { return path_ / utf8Name; }

    void write(std::string_view utf8Name, std::string_view bytes) const;
    std::string read(std::string_view utf8Name) const;

  private:
    std::filesystem::path path_;
};

// Program text (GB18030) from a UTF-8 literal, and back.
std::string gb(std::string_view utf8);
std::string utf8(std::string_view gbText);

}  // namespace galewarden::test
