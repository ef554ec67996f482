#pragma once

#include <QWidget>

#include "settings/window/PageContext.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace galewarden {

// Page "3. 解析设置": the watched districts, the skip words, the issuing-office words and the
// JSON rules editor. Object names: resetButton, districtList, districtCount, addButton,
// deleteButton, skip, sender, jsonRulesButton.
class ParsingPage : public QWidget {
    Q_OBJECT

  public:
    ParsingPage(PageContext context, QWidget* parent);

    void showValues();
    void showDistrictCount();
    // The JSON rules only matter while the vendor's own source is not used.
    void setJsonRulesEnabled(bool enabled);

  signals:
    void districtsChanged();

  private:
    void buildDistrictGroup();
    void buildWordRows();
    void showDistricts();
    void addDistricts();
    void deleteDistricts();
    void resetPage();
    void showLimitMessage();
    void showLengthLimitMessage();

    PageContext context_;
    QListWidget* districtList_ = nullptr;
    QLabel* districtCount_ = nullptr;
    QLineEdit* skip_ = nullptr;
    QLineEdit* sender_ = nullptr;
    QPushButton* jsonRules_ = nullptr;
};

}  // namespace galewarden
