#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace galewarden {

// What the program shows at the moment, for the report (texts in GB18030).
struct ReportContext {
    int currentIndex = 0;      // the 1-based picture the icon window shows; 0 none
    std::size_t pictures = 0;  // the pictures of the current display
    int fadeStep = 1;          // the icon window's fade step
    bool firstCycleDone = false;
    std::string sourceData;  // the last downloaded answer, RefreshState::responseText()

    bool operator==(const ReportContext&) const = default;
};

// What only the crash knows.
struct CrashFacts {
    std::int64_t localSeconds = 0;  // local time as seconds since 1970-01-01 00:00
    std::int64_t runMilliseconds = 0;
    int code = 0;
    std::string_view message;  // GB18030
};

// A number's decimal digits, made without allocating.
class DecimalText {
  public:
    explicit DecimalText(std::int64_t number) noexcept;
    std::string_view view() const { return {digits_.data() + start_, digits_.size() - start_}; }

  private:
    std::array<char, 20> digits_{};
    std::size_t start_ = 0;
};

// "2024/06/01 08:05:09" (four-digit year, the rest two digits), made without allocating.
class ReportTime {
  public:
    explicit ReportTime(std::int64_t localSeconds) noexcept;
    std::string_view view() const { return {text_.data(), length_}; }

  private:
    std::array<char, 40> text_{};
    std::size_t length_ = 0;
};

// One report of the report file, made beforehand up to what only the crash knows, so that a
// crashing process writes it piece by piece without allocating.
class PreparedReport {
  public:
    PreparedReport() = default;
    PreparedReport(std::string_view versionText, const ReportContext& context);

    // Hands the report's pieces in order to `write(std::string_view)`.
    template <typename Write>
    void write(const CrashFacts& facts, Write&& write) const {
        write(std::string_view(kOpening));
        write(ReportTime(facts.localSeconds).view());
        write(std::string_view(heading_));
        write(DecimalText(facts.code).view());
        write(std::string_view(" - "));
        write(facts.message);
        write(std::string_view(versionPart_));
        write(DecimalText(facts.runMilliseconds).view());
        write(std::string_view(contextPart_));
    }

  private:
    static constexpr char kOpening[] = "\r\n====================\r\n\r\n[";
    std::string heading_;
    std::string versionPart_;
    std::string contextPart_;
};

}  // namespace galewarden
