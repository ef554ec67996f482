#pragma once

#include <string>

namespace galewarden {

// What a history write has to tell the status line, once.
struct HistoryNotice {
    enum class Kind { none, renamedAside, locked, turnedOff };
    Kind kind = Kind::none;
    std::string asideName;  // the damaged file's new name (GB18030), for renamedAside

    explicit operator bool() const { return kind != Kind::none; }
};

// The notice as the status line shows it (GB18030); empty for none.
std::string historyNoticeText(const HistoryNotice& notice);

}  // namespace galewarden
