#include "app/ErrorReportText.h"

#include "core/text/CodePage.h"

namespace galewarden {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

struct CivilDate {
    std::int64_t year;
    int month;
    int day;
};

// Days since 1970-01-01 to a date of the proleptic Gregorian calendar, in whole 400-year
// eras of 146097 days, with years that start in March so that the leap day comes last.
CivilDate civilDate(std::int64_t days) {
    days += 719468;  // from 0000-03-01
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // 0 = March
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

class Cursor {
  public:
    explicit Cursor(std::array<char, 40>& text) : text_(text) {}
    void put(std::string_view piece) {
        for (const char c : piece) {
            text_[length_++] = c;
        }
    }
    void putTwoDigits(std::int64_t value) {
        text_[length_++] = static_cast<char>('0' + value / 10);
        text_[length_++] = static_cast<char>('0' + value % 10);
    }
    std::size_t length() const { return length_; }

  private:
    std::array<char, 40>& text_;
    std::size_t length_ = 0;
};

}  // namespace

DecimalText::DecimalText(std::int64_t number) noexcept {
    const bool negative = number < 0;
    // In unsigned arithmetic, where the most negative number has a magnitude too.
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    start_ = digits_.size();
    do {
        digits_[--start_] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) {
        digits_[--start_] = '-';
    }
}

ReportTime::ReportTime(std::int64_t localSeconds) noexcept {
    const std::int64_t days =
        (localSeconds >= 0 ? localSeconds : localSeconds - (kSecondsPerDay - 1)) / kSecondsPerDay;
    const std::int64_t secondOfDay = localSeconds - days * kSecondsPerDay;
    const CivilDate date = civilDate(days);
    Cursor cursor(text_);
    if (date.year >= 0 && date.year < 1000) {
        cursor.put(std::string_view("000").substr(0, date.year < 10 ? 3 : date.year < 100 ? 2 : 1));
    }
    cursor.put(DecimalText(date.year).view());
    cursor.put("/");
    cursor.putTwoDigits(date.month);
    cursor.put("/");
    cursor.putTwoDigits(date.day);
    cursor.put(" ");
    cursor.putTwoDigits(secondOfDay / 3600);
    cursor.put(":");
    cursor.putTwoDigits(secondOfDay / 60 % 60);
    cursor.put(":");
    cursor.putTwoDigits(secondOfDay % 60);
    length_ = cursor.length();
}

PreparedReport::PreparedReport(std::string_view versionText, const ReportContext& context)
    : heading_("]\r\n" + gbFromUtf8("错误：软件运行时出错，请检查软件工作环境及配置文件。") +
               "\r\n"),
      versionPart_("\r\n**********\r\nVersion: " + std::string(versionText) + "\r\nRunTime: "),
      contextPart_("ms\r\nImg: " + std::to_string(context.currentIndex) + " / " +
                   std::to_string(context.pictures) +
                   "\r\nOpacityRate: " + std::to_string(context.fadeStep) +
                   "\r\n**********\r\nSourceData:\r\n" + context.sourceData) {}

}  // namespace galewarden
