#pragma once

#include <QSize>
#include <cstddef>
#include <vector>

#include "core/alerts/DisplaySnapshot.h"

namespace galewarden {

// The decoded pictures of one display snapshot's entries at one size, each made when first
// asked for: a picture cycle decodes each picture once, and a new snapshot or size forgets the
// old ones, so only the pictures in use stay decoded.
template <class Picture>
class EntryPictures {
  public:
    // `make(entry, size)` makes a picture that is not there yet.
    template <class Make>
    const Picture& of(const SharedDisplay& display, std::size_t index, QSize size, Make make) {
        if (display_ != display || size_ != size) {
            display_ = display;
            size_ = size;
            pictures_.assign(display->entries.size(), Picture());
        }
        Picture& picture = pictures_.at(index);
        if (picture.isNull()) {
            picture = make(display->entries[index], size);
        }
        return picture;
    }

  private:
    SharedDisplay display_;
    QSize size_;
    std::vector<Picture> pictures_;
};

}  // namespace galewarden
