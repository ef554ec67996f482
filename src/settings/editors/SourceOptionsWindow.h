#pragma once

#include <QDialog>

#include "core/config/ConfigStore.h"
#include "settings/editors_model/SourceOptions.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace galewarden {

// "Corvane数据源选项": the vendor service's query options, saved without a question; the next
// pass reads them.
class SourceOptionsWindow : public QDialog {
    Q_OBJECT

  public:
    explicit SourceOptionsWindow(ConfigStore config, QWidget* owner = nullptr);

    // The options as the inputs hold them.
    SourceOptions options() const;

  private:
    QWidget* buildInputs();
    QWidget* buildButtonRow();
    void showOptions(const SourceOptions& options);
    void applyHint();
    void save();

    ConfigStore config_;
    QComboBox* matchMode_ = nullptr;
    QLineEdit* days_ = nullptr;
    QComboBox* order_ = nullptr;
    QLineEdit* limit_ = nullptr;
    QComboBox* nonMeteorological_ = nullptr;
    QLabel* hint_ = nullptr;
};

// Opens the window modally over `owner` on the program's configuration.
void editSourceOptions(QWidget* owner);

}  // namespace galewarden
