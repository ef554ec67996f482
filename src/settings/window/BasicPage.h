#pragma once

#include <QWidget>

#include "settings/window/PageContext.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace galewarden {

// Page "1. 基本设置": the icon window, the refresh times, the data source, notices, the update
// check with the version line, and automatic start. Object names: wizardButton,
// placementButton, iconWidth, iconHeight, iconTop, iconRight, mouseOver, reshowTime, interval,
// animate, districtSummary, editDistrictsButton, refreshTime, retryTime, useVendor,
// sourceOptionsButton, notice, autoCheck, checkButton, autoRun, versionLine.
class BasicPage : public QWidget {
    Q_OBJECT

  public:
    BasicPage(PageContext context, QWidget* parent);

    void showValues();
    void showDistrictSummary();
    // The line under the check boxes, and the check a window opening asks for.
    void startVersionLine();
    bool refreshTimesBelowMinimum() const;
    // False, after the warning and with the edit focused and set to the minimum, when a
    // refresh time reads below it.
    bool refreshTimesAccepted();

  signals:
    void wizardRequested();
    void editDistrictsRequested();
    void useVendorChanged(bool ticked);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildIconGroup();
    void buildDistrictRow();
    void buildRefreshGroup();
    void buildSourceGroup();
    void buildLastRows();
    void exchangePlacement();
    bool acceptRefreshTime(QLineEdit* edit);
    void showAutoRunNotice();
    void checkForUpdates();

    PageContext context_;
    QLineEdit* iconWidth_ = nullptr;
    QLineEdit* iconHeight_ = nullptr;
    QLineEdit* iconTop_ = nullptr;
    QLineEdit* iconRight_ = nullptr;
    QCheckBox* mouseOver_ = nullptr;
    QLineEdit* reshowTime_ = nullptr;
    QLineEdit* interval_ = nullptr;
    QCheckBox* animate_ = nullptr;
    QLineEdit* districtSummary_ = nullptr;
    QLineEdit* refreshTime_ = nullptr;
    QLineEdit* retryTime_ = nullptr;
    QCheckBox* useVendor_ = nullptr;
    QCheckBox* notice_ = nullptr;
    QCheckBox* autoCheck_ = nullptr;
    QCheckBox* autoRun_ = nullptr;
    QLabel* versionLine_ = nullptr;
};

}  // namespace galewarden
