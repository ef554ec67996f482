#pragma once

#include <QDialog>
#include <QPixmap>
#include <array>
#include <chrono>
#include <optional>

#include "core/config/IconPlacement.h"
#include "ui/PlacementGeometry.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace galewarden {

// Lets the user place the warning icon on a still picture of the primary screen: the picture
// covers that screen, the icon's rectangle follows the pointer while the left button is held,
// and a small box of edits and buttons follows the pointer.
class PositionPicker : public QDialog {
    Q_OBJECT

  public:
    explicit PositionPicker(IconPlacement current, QWidget* owner = nullptr);
    ~PositionPicker() override;

    // How long the caller's own window is given to leave the screen before the capture.
    static constexpr std::chrono::milliseconds kCaptureDelay{500};

    // After `delay`, once the caller's own window has left the screen: the screen is captured
    // and the picker covers it, modal.
    void start(std::chrono::milliseconds delay = kCaptureDelay);
    // The working placement after "确定"; −1 in every field otherwise.
    IconPlacement result() const { return result_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void buildControlBox();
    void addEdit(PlacementField field, const QString& caption, int top);
    void captureAndCover();
    void fillEdits();
    void onEditChanged(PlacementField field, const QString& text);
    void showDraggedPlace();
    void showControlBox();
    void confirm();

    IconPlacement incoming_;
    IconPlacement result_{-1, -1, -1, -1};
    std::optional<PlacementGeometry> geometry_;
    QPixmap screenPicture_;
    QWidget* box_ = nullptr;
    QLabel* instruction_ = nullptr;
    std::array<QLineEdit*, 4> edits_{};
    QPushButton* okButton_ = nullptr;
};

// Opens the picker modally over `owner` and waits for it; what the caller receives (all −1
// after "取消").
IconPlacement pickPosition(QWidget* owner, IconPlacement current,
                           std::chrono::milliseconds captureDelay = PositionPicker::kCaptureDelay);

}  // namespace galewarden
