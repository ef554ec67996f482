#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/alerts/DisplaySnapshot.h"
#include "ui/DetailPictureRule.h"
#include "ui/EntryPictures.h"

class QAction;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace galewarden {

class IconDisplay;
struct StatusLine;

// The program's main window, "预警信息": the full warning texts beside up to three signal
// pictures, and the status line of the refresh below. Its close box only hides it. Controls
// carry object names: picture1..3, switchButton (inside picture3), detailsText, statusLine,
// and the timer switchButtonTimer.
class DetailsWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kSwitchButtonMilliseconds = 3000;
    // Beyond this many UTF-16 units the details text is cut where it is shown.
    static constexpr int kShownTextLimit = 1 << 20;

    // GB18030 text of the server's last unusable answer; empty when there is none.
    using UnexpectedDataSource = std::function<std::string()>;

    // `display` is read on the interface thread whenever the pictures change.
    explicit DetailsWindow(const IconDisplay& display, UnexpectedDataSource unexpectedData = {});
    ~DetailsWindow() override;

    // Visible, restored, raised and activated; asks for attention when it stays inactive.
    void showDetailsWindow();
    // The current entry of the display and the next two, or all of up to three; while the
    // window is hidden, at its next show.
    void showDetailPictures();
    void clearDetailPictures();
    // Replaces the details text (GB18030) when it differs from the one shown; true when it
    // did. Starts as "未获取到预警信息。".
    bool setDetailsText(const std::string& text);
    void setStatus(const StatusLine& status);
    // Lets the window really close, at the end of the program, and closes it.
    void closeForGood();

  signals:
    // The "切换" button: the program steps the pictures and restarts the cycle's interval.
    void switchRequested();
    // "历史预警" from the details text's menu or Ctrl+H.
    void historyRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildPictures();
    void buildSwitchButton();
    void buildDetailsText();
    void buildStatusLine();
    void buildHistoryAction();
    void showTextMenu(const QPoint& position);
    void offerSwitchButton();
    void onSwitchClicked();
    void showUnexpectedData();
    const QPixmap& pictureOf(int entryIndex);

    const IconDisplay& display_;
    UnexpectedDataSource unexpectedData_;
    std::array<QLabel*, kDetailPictureCount> pictures_{};
    QPushButton* switchButton_ = nullptr;
    QTimer* switchButtonTimer_ = nullptr;
    QPlainTextEdit* detailsText_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QAction* historyAction_ = nullptr;
    std::string shownText_;
    bool closingForGood_ = false;
    // Decoded and scaled pictures of one snapshot, filled as entries are first shown.
    EntryPictures<QPixmap> entryPictures_;
};

}  // namespace galewarden
