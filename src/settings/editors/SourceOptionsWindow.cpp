#include "settings/editors/SourceOptionsWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "ui/InterfaceFont.h"
#include "ui/MessageBox.h"
#include "ui/ModalSession.h"
#include "ui/UiText.h"
#include "ui/WriteFailure.h"

namespace galewarden {
namespace {

constexpr QSize kOptionsClientSize(360, 176);

QComboBox* choice(const QStringList& items, const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItems(items);
    box->setObjectName(QLatin1String(name));
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setMinimumWidth(box->sizeHint().width());
    return box;
}

QLineEdit* number(const QString& pattern, const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    return edit;
}

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

SourceOptionsWindow::SourceOptionsWindow(ConfigStore config, QWidget* owner)
    : QDialog(owner), config_(std::move(config)) {
    setWindowTitle(QStringLiteral("Corvane数据源选项"));
    setFont(interfaceFont());
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(
        QStringLiteral(
            "　　注意：这些设置仅在启用了Corvane数据源之后生效。\n"
            "　　通常情况下使用“0”即为使用默认值。“显示天数”默认值为2，“显示条数”默认为不限制。"),
        this);
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addWidget(buildInputs());
    layout->addStretch();
    layout->addWidget(buildButtonRow());
    showOptions(loadSourceOptions(config_));
    resize(kOptionsClientSize);
}

QWidget* SourceOptionsWindow::buildInputs() {
    auto* inputs = new QWidget(this);
    auto* grid = new QGridLayout(inputs);
    grid->setContentsMargins(0, 0, 0, 0);
    matchMode_ = choice({QStringLiteral("0 - 右侧匹配"), QStringLiteral("1 - 左侧匹配"),
                         QStringLiteral("2 - 完全匹配"), QStringLiteral("3 - 包含")},
                        "matchMode", inputs);
    days_ = number(QStringLiteral("\\d*\\.?\\d*"), "days", inputs);
    order_ = choice({QStringLiteral("0 - 降序"), QStringLiteral("1 - 升序")}, "order", inputs);
    limit_ = number(QStringLiteral("\\d*"), "limit", inputs);
    nonMeteorological_ = choice({QStringLiteral("0 - 不显示"), QStringLiteral("1 - 显示")},
                                "nonMeteorological", inputs);
    hint_ = new QLabel(QStringLiteral("← 需清除屏蔽词列表才能生效。"), inputs);
    hint_->setObjectName(QStringLiteral("hint"));
    grid->addWidget(caption(QStringLiteral("&I.匹配方式"), matchMode_, inputs), 0, 0);
    grid->addWidget(matchMode_, 0, 1);
    grid->addWidget(caption(QStringLiteral("&E.显示天数"), days_, inputs), 0, 2);
    grid->addWidget(days_, 0, 3);
    grid->addWidget(caption(QStringLiteral("&O.数据排序"), order_, inputs), 1, 0);
    grid->addWidget(order_, 1, 1);
    grid->addWidget(caption(QStringLiteral("&L.显示条数"), limit_, inputs), 1, 2);
    grid->addWidget(limit_, 1, 3);
    grid->addWidget(caption(QStringLiteral("&N.非气象预警"), nonMeteorological_, inputs), 2, 0);
    grid->addWidget(nonMeteorological_, 2, 1);
    grid->addWidget(hint_, 2, 2, 1, 2);
    connect(nonMeteorological_, &QComboBox::currentIndexChanged, this,
            &SourceOptionsWindow::applyHint);
    return inputs;
}

QWidget* SourceOptionsWindow::buildButtonRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    auto* cancel = new QPushButton(QStringLiteral("&C.取消"), row);
    cancel->setObjectName(QStringLiteral("cancel"));
    auto* save = new QPushButton(QStringLiteral("&S.保存"), row);
    save->setObjectName(QStringLiteral("save"));
    layout->addWidget(cancel);
    layout->addWidget(save);
    connect(cancel, &QPushButton::clicked, this, &SourceOptionsWindow::reject);
    connect(save, &QPushButton::clicked, this, &SourceOptionsWindow::save);
    return row;
}

void SourceOptionsWindow::showOptions(const SourceOptions& options) {
    matchMode_->setCurrentIndex(options.matchMode);
    days_->setText(toQString(options.days));
    order_->setCurrentIndex(options.order);
    limit_->setText(toQString(options.limit));
    nonMeteorological_->setCurrentIndex(options.nonMeteorological);
    applyHint();
}

SourceOptions SourceOptionsWindow::options() const {
    return {matchMode_->currentIndex(), fromQString(days_->text()), order_->currentIndex(),
            fromQString(limit_->text()), nonMeteorological_->currentIndex()};
}

void SourceOptionsWindow::applyHint() {
    hint_->setVisible(nonMeteorologicalHintShown(options()));
}

void SourceOptionsWindow::save() {
    if (!storableSourceOptions(options())) {
        MessageBox::ask({QStringLiteral("保存"),
                         QStringLiteral("“显示天数”或“显示条数”含有换行符，无法写入配置文件。"),
                         MessageIcon::exclamation, MessageButtons::ok, MessageAnswer::ok, this});
        return;
    }
    if (!saveSourceOptions(config_, options())) {
        showWriteFailure(config_, QStringLiteral("保存"), this);
        return;
    }
    accept();
}

void editSourceOptions(QWidget* owner) {
    SourceOptionsWindow window(ConfigStore(), owner);
    ModalSession::exec(window);
}

}  // namespace galewarden
