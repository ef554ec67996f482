#pragma once

#include <QLabel>
#include <QString>

namespace galewarden {

// A caption and one web link in the wizard's link style; the link opens in the browser and
// turns teal and underlined under the mouse.
class WizardLinkLine : public QLabel {
    Q_OBJECT

  public:
    WizardLinkLine(const QString& caption, const QString& url, QWidget* parent = nullptr);

  private:
    void showLink(bool hovered);

    QString caption_;
    QString url_;
};

}  // namespace galewarden
