#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace galewarden {

// The defence guidance of Guidance.html (UTF-8): for a signal name such as 暴雨蓝, the last cell
// of the first table row that names 暴雨蓝色预警信号, with each "<br>" turned into a CR LF.
// Empty when the file, the row or the cell is missing. The file is read again whenever it
// changes. Safe to use from several threads.
class Guidance {
  public:
    // The user's Guidance.html, else the one that came with the program.
    Guidance();
    explicit Guidance(std::string filePath);
    ~Guidance();
    Guidance(const Guidance&) = delete;
    Guidance& operator=(const Guidance&) = delete;

    std::string lookup(std::string_view signalName) const;
    bool fileExists() const;

  private:
    class Cache;
    std::vector<std::string> paths_;  // in order of preference
    std::unique_ptr<Cache> cache_;
};

}  // namespace galewarden
