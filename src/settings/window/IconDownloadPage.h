#pragma once

#include <QWidget>

#include "settings/window/PageContext.h"

class QCheckBox;
class QLineEdit;

namespace galewarden {

// Page "5. 图标下载": automatic download of signal pictures and their address; below them the
// icon-pack part the services make. Object names: signAuto, signUrl.
class IconDownloadPage : public QWidget {
    Q_OBJECT

  public:
    IconDownloadPage(PageContext context, QWidget* parent);

    void showValues();

  private:
    PageContext context_;
    QCheckBox* auto_ = nullptr;
    QLineEdit* url_ = nullptr;
};

}  // namespace galewarden
