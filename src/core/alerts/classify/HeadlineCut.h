#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace galewarden {

struct ClassifierWords;

// A headline cut into the issuing body and the rest, where the keyword (or the lift word) and
// the signal name are found: 北京市 | 气象台 | 发布暴雨蓝色预警信号.
struct HeadlineCut {
    std::string region;
    std::string office;
    std::string rest;
    int keywordAt = -1;  // 1-based position in `rest` of the keyword or lift word
    int keywordLength = 0;
    bool lift = false;

    bool hasKeyword() const { return keywordLength > 0; }
    // The text between the keyword and "色" (or "预警", then with 无 for the missing colour).
    std::string signalNameText() const;
    // For a lift: between the lift word and "色" or "预警"; empty when neither follows.
    std::string liftedNameText() const;

  private:
    std::string textAfterKeyword(int endAt) const;
};

// Cuts headlines with the sender, keyword and lift words of a pass.
class HeadlineCutter {
  public:
    explicit HeadlineCutter(const ClassifierWords& words);

    HeadlineCut cut(std::string_view headline, std::string_view sender,
                    std::string_view district) const;

  private:
    void findIssuer(std::string_view headline, HeadlineCut& cut) const;
    void findKeyword(HeadlineCut& cut) const;

    const ClassifierWords& words_;
    // Each sender word, and the same without its "~" as it is searched for.
    std::vector<std::pair<std::string, std::string>> senderWords_;
};

}  // namespace galewarden
