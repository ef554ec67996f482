#include "ui/HistoryColourSwatch.h"

#include <array>

#include "core/history/HistoryWarning.h"

namespace galewarden {

QColor historySwatchColour(int colour) {
    static const std::array<QColor, kHistoryColours> swatches{
        QColor(160, 160, 160), QColor(236, 236, 236), QColor(30, 110, 230),
        QColor(245, 205, 20),  QColor(250, 130, 20),  QColor(220, 30, 30)};
    return colour >= 0 && colour < kHistoryColours ? swatches[static_cast<std::size_t>(colour)]
                                                   : swatches[0];
}

}  // namespace galewarden
