#pragma once

#include <QDialog>
#include <functional>

#include "core/config/ConfigStore.h"
#include "settings/editors/BackgroundCall.h"
#include "settings/editors_model/JsonRuleFields.h"

class QMenu;
class QPushButton;

namespace galewarden {

class HttpClient;
class JsonRuleInputs;
struct DryRunReport;
struct SourcePreset;

// "JSON解析规则": the rules of a custom JSON source, loaded from the configuration, imported from
// another file, reset, saved key by key, or tried once against the source before saving.
class JsonRulesWindow : public QDialog {
    Q_OBJECT

  public:
    JsonRulesWindow(const HttpClient& http, ConfigStore config,
                    std::function<void()> settingsChanged, QWidget* owner = nullptr);

    const JsonRuleFields& fields() const { return fields_; }
    bool dryRunning() const { return dryRun_.running(); }
    // Gone for good: deleted now, or once a dry run still going has stopped.
    void retire();

  private:
    QWidget* buildButtonRow();
    QMenu* buildPresetMenu(QWidget* parent);
    void usePreset(const SourcePreset& preset);
    void importRules();
    void resetRules();
    void saveRules();
    void startDryRun();
    void showDryRun(const DryRunReport& report);
    bool refuseUnusable(const QString& title);

    const HttpClient& http_;
    ConfigStore config_;
    std::function<void()> settingsChanged_;
    JsonRuleFields fields_;
    JsonRuleInputs* inputs_ = nullptr;
    QPushButton* dryRunButton_ = nullptr;
    BackgroundCall dryRun_{this};  // last: its thread ends before the rest goes
};

// Opens the window modally over `owner` on the program's configuration; `settingsChanged` runs
// after a save.
void editJsonRules(QWidget* owner, const HttpClient& http, std::function<void()> settingsChanged);

}  // namespace galewarden
