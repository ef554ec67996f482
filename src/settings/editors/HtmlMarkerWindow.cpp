#include "settings/editors/HtmlMarkerWindow.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/editors_model/EditorValues.h"
#include "settings/editors_model/HtmlMarker.h"
#include "ui/InterfaceFont.h"
#include "ui/MessageBox.h"
#include "ui/ModalSession.h"
#include "ui/NamedButton.h"
#include "ui/UiText.h"
#include "ui/WriteFailure.h"

namespace galewarden {
namespace {

constexpr QSize kMarkerClientSize(264, 144);

}  // namespace

HtmlMarkerWindow::HtmlMarkerWindow(ConfigStore config, std::function<void()> settingsChanged)
    : config_(std::move(config)),
      settingsChanged_(std::move(settingsChanged)),
      centreOver_(QApplication::activeWindow()) {
    setWindowTitle(QStringLiteral("HTML预警标记"));
    setWindowModality(Qt::ApplicationModal);
    setFont(interfaceFont());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFileRow());
    layout->addWidget(buildMarkerGroup(), 1);
    layout->addWidget(buildButtonRow());
    fileName_->setText(toQString(loadHtmlLocation(config_)));
    resize(kMarkerClientSize);
}

QWidget* HtmlMarkerWindow::buildFileRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("文件名："), row));
    fileName_ = new QLineEdit(row);
    fileName_->setObjectName(QStringLiteral("fileName"));
    fileName_->installEventFilter(this);
    layout->addWidget(fileName_, 1);
    auto* browse = namedButton(QStringLiteral("浏览"), "browse", row);
    layout->addWidget(browse);
    connect(browse, &QPushButton::clicked, this, &HtmlMarkerWindow::browse);
    return row;
}

QWidget* HtmlMarkerWindow::buildMarkerGroup() {
    auto* group = new QGroupBox(QStringLiteral("启动后，以下变量会被修改："), this);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(
        new QLabel(QStringLiteral("1. “/* Alert Start */”至“/* Alert End */”之间的内容。\n"
                                  "2. “/* Stage Start */”至“/* Stage End */”之间的内容。"),
                   group));
    return group;
}

QWidget* HtmlMarkerWindow::buildButtonRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    auto* cancel = namedButton(QStringLiteral("取消"), "cancel", row);
    auto* ok = namedButton(QStringLiteral("确定"), "ok", row);
    layout->addWidget(cancel);
    layout->addWidget(ok);
    connect(cancel, &QPushButton::clicked, this, &HtmlMarkerWindow::reject);
    connect(ok, &QPushButton::clicked, this, &HtmlMarkerWindow::confirm);
    return row;
}

// Delete empties the whole name, wherever the caret is.
bool HtmlMarkerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fileName_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        fileName_->clear();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void HtmlMarkerWindow::showEvent(QShowEvent* event) {
    if (centreOver_ != nullptr) {
        move(centreOver_->frameGeometry().center() - rect().center());
    }
    QDialog::showEvent(event);
}

void HtmlMarkerWindow::browse() {
    FileRequest request;
    request.title = QStringLiteral("选择HTML文件");
    request.filter = QStringLiteral("所有文件（*.*）|*.*|");
    request.owner = this;
    if (const std::optional<QString> file = MessageBox::chooseFile(request)) {
        fileName_->setText(*file);
    }
}

void HtmlMarkerWindow::confirm() {
    const std::string path = fromQString(fileName_->text());
    if (!storableValue(path)) {
        MessageBox::ask({QStringLiteral("HTML预警标记"),
                         QStringLiteral("文件名含有换行符，无法写入配置文件。请删除换行符后重试。"),
                         MessageIcon::exclamation, MessageButtons::ok, MessageAnswer::ok, this});
        return;
    }
    if (!saveHtmlLocation(config_, path)) {
        showWriteFailure(config_, QStringLiteral("HTML预警标记"), this);
        return;
    }
    if (settingsChanged_) {
        settingsChanged_();
    }
    accept();
}

void editHtmlMarker(std::function<void()> settingsChanged) {
    HtmlMarkerWindow window(ConfigStore(), std::move(settingsChanged));
    ModalSession::exec(window);
}

}  // namespace galewarden
