#include "settings/editors/JsonRulesWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "core/alerts/source/SourcePresets.h"
#include "core/net/HttpClient.h"
#include "core/platform/ProgramPaths.h"
#include "settings/editors/JsonRuleInputs.h"
#include "settings/editors_model/DryRun.h"
#include "ui/InterfaceFont.h"
#include "ui/MessageBox.h"
#include "ui/ModalSession.h"
#include "ui/NamedButton.h"
#include "ui/UiText.h"
#include "ui/WriteFailure.h"

namespace galewarden {
namespace {

constexpr QSize kRulesClientSize(360, 344);

const QString kNote = QStringLiteral(
    "　　注意：请谨慎修改，任意修改其中一项都有可能导致无法正常获取与解析预警数据。"
    "若需导入其他配置文件中的参数请单击“导入”按钮。若需重置请单击“重置”按钮。\n"
    "　　重置后，这些解析规则将完全初始化且无法正常解析。若使用了Corvane数据源，这些设置将不会生效"
    "。");
const QString kDryRunText = QStringLiteral("&T.试运行");

MessageAnswer ask(QWidget* owner, const QString& title, const QString& text,
                  MessageAnswer defaultAnswer) {
    return MessageBox::ask(
        {title, text, MessageIcon::question, MessageButtons::yesNo, defaultAnswer, owner});
}

QString unusableText(const JsonRuleFields& fields) {
    const std::vector<std::string_view> keys = fields.unstorableKeys();
    if (!keys.empty()) {
        QStringList names;
        for (std::string_view key : keys) {
            names << QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
        }
        return QStringLiteral("以下规则含有换行符，无法写入配置文件：%1\n请删除换行符后重试。")
            .arg(names.join(QStringLiteral("、")));
    }
    const std::string headersProblem = fields.headersProblem();
    if (!headersProblem.empty()) {
        return QStringLiteral("Headers中的请求头无法使用：%1\n每行应为“名称: 值”，以\\n分隔。")
            .arg(toQString(headersProblem));
    }
    return {};
}

}  // namespace

JsonRulesWindow::JsonRulesWindow(const HttpClient& http, ConfigStore config,
                                 std::function<void()> settingsChanged, QWidget* owner)
    : QDialog(owner),
      http_(http),
      config_(std::move(config)),
      settingsChanged_(std::move(settingsChanged)) {
    setWindowTitle(QStringLiteral("JSON解析规则"));
    setFont(interfaceFont());
    fields_.loadFrom(config_);
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(kNote, this);
    note->setObjectName(QStringLiteral("note"));
    note->setWordWrap(true);
    layout->addWidget(note);
    inputs_ = new JsonRuleInputs(fields_, this);
    layout->addWidget(inputs_);
    layout->addStretch();
    layout->addWidget(buildButtonRow());
    resize(kRulesClientSize);
}

QWidget* JsonRulesWindow::buildButtonRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    dryRunButton_ = namedButton(kDryRunText, "dryRun", row);
    dryRunButton_->setToolTip(QStringLiteral(
        "用窗口中的规则获取一次数据并显示解析结果，不保存规则，也不影响正在运行的监控。"));
    layout->addWidget(dryRunButton_);
    layout->addStretch();
    auto* cancel = namedButton(QStringLiteral("&C.取消"), "cancel", row);
    auto* reset = namedButton(QStringLiteral("&R.重置"), "reset", row);
    auto* presets = namedButton(QStringLiteral("&P.预设"), "presets", row);
    presets->setToolTip(QStringLiteral("载入随程序提供的公共预警数据源的解析规则，保存后生效。"));
    presets->setMenu(buildPresetMenu(presets));
    auto* import = namedButton(QStringLiteral("&O.导入"), "import", row);
    auto* save = namedButton(QStringLiteral("&S.保存"), "save", row);
    for (QPushButton* each : {cancel, reset, presets, import, save}) {
        layout->addWidget(each);
    }
    connect(dryRunButton_, &QPushButton::clicked, this, &JsonRulesWindow::startDryRun);
    connect(cancel, &QPushButton::clicked, this, &JsonRulesWindow::reject);
    connect(reset, &QPushButton::clicked, this, &JsonRulesWindow::resetRules);
    connect(import, &QPushButton::clicked, this, &JsonRulesWindow::importRules);
    connect(save, &QPushButton::clicked, this, &JsonRulesWindow::saveRules);
    return row;
}

QMenu* JsonRulesWindow::buildPresetMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    for (const SourcePreset& preset : sourcePresets()) {
        QAction* action = menu->addAction(toQString(preset.name));
        action->setToolTip(toQString(preset.description));
        connect(action, &QAction::triggered, this, [this, &preset] { usePreset(preset); });
    }
    menu->setToolTipsVisible(true);
    return menu;
}

void JsonRulesWindow::usePreset(const SourcePreset& preset) {
    fields_.useRules(presetRulesInUse(preset));
    inputs_->showFields();
}

void JsonRulesWindow::retire() {
    dryRun_.abandon([this] { deleteLater(); });
}

void JsonRulesWindow::importRules() {
    FileRequest request;
    request.title = QStringLiteral("导入配置");
    request.directory = toQString(configDirectory());
    request.filter = QStringLiteral("配置文件（*.ini）|*.ini|所有文件（*.*）|*.*|");
    request.defaultSuffix = QStringLiteral("ini");
    request.owner = this;
    const std::optional<QString> file = MessageBox::chooseFile(request);
    if (!file) {
        return;
    }
    fields_.loadFrom(ConfigStore(fromQString(*file)));
    inputs_->showFields();
}

void JsonRulesWindow::resetRules() {
    if (ask(this, QStringLiteral("重置"), QStringLiteral("重置所有参数？"), MessageAnswer::no) !=
        MessageAnswer::yes) {
        return;
    }
    fields_.reset();
    inputs_->showFields();
}

void JsonRulesWindow::saveRules() {
    if (refuseUnusable(QStringLiteral("保存"))) {
        return;
    }
    if (ask(this, QStringLiteral("保存"), QStringLiteral("确定保存？"), MessageAnswer::yes) !=
        MessageAnswer::yes) {
        return;
    }
    if (!fields_.saveTo(config_)) {
        showWriteFailure(config_, QStringLiteral("保存"), this);
        return;
    }
    if (settingsChanged_) {
        settingsChanged_();
    }
    accept();
}

// A pasted line break would end the value early and put the rest on a line of its own; bad
// header lines would make every request fail.
bool JsonRulesWindow::refuseUnusable(const QString& title) {
    const QString problem = unusableText(fields_);
    if (problem.isEmpty()) {
        return false;
    }
    MessageBox::ask(
        {title, problem, MessageIcon::exclamation, MessageButtons::ok, MessageAnswer::ok, this});
    return true;
}

void JsonRulesWindow::startDryRun() {
    if (refuseUnusable(QStringLiteral("试运行"))) {
        return;
    }
    const std::string configPath = config_.filePath();
    const bool started =
        dryRun_.start([this, &http = http_, configPath, rules = fields_](std::stop_token stop) {
            auto report =
                std::make_shared<const DryRunReport>(runDryRun(http, configPath, rules, stop));
            return [this, report] { showDryRun(*report); };
        });
    if (!started) {
        return;
    }
    dryRunButton_->setEnabled(false);
    dryRunButton_->setText(QStringLiteral("试运行中…"));
    setCursor(Qt::BusyCursor);
}

void JsonRulesWindow::showDryRun(const DryRunReport& report) {
    unsetCursor();
    dryRunButton_->setText(kDryRunText);
    dryRunButton_->setEnabled(true);
    const bool processed = report.result == DryRunReport::Result::processed;
    MessageBox::ask({QStringLiteral("试运行"), shownText(dryRunReportText(report)),
                     processed ? MessageIcon::information : MessageIcon::exclamation,
                     MessageButtons::ok, MessageAnswer::ok, this});
}

void editJsonRules(QWidget* owner, const HttpClient& http, std::function<void()> settingsChanged) {
    auto* window = new JsonRulesWindow(http, ConfigStore(), std::move(settingsChanged), owner);
    ModalSession::exec(*window);
    window->retire();
}

}  // namespace galewarden
