#pragma once

#include <QLabel>
#include <QPixmap>
#include <array>

class QTimer;

namespace galewarden {

inline constexpr int kWizardPreviewPictures = 6;
inline constexpr int kWizardPreviewMs = 2000;

// The wizard's 100 × 82 preview of the icon: the built-in pictures in white, blue, yellow,
// orange, red and all four colours, one after the other every two seconds. The place in the
// cycle is kept for the life of the process, so a wizard opened again goes on from there.
class WizardPreview : public QLabel {
    Q_OBJECT

  public:
    explicit WizardPreview(QWidget* parent = nullptr);

    // 0 to 5 in the order above.
    int shownPicture() const { return shown_; }
    void showNextPicture();

  private:
    std::array<QPixmap, kWizardPreviewPictures> pictures_;
    QTimer* timer_ = nullptr;
    int shown_ = 0;
};

}  // namespace galewarden
