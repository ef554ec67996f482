#include "settings/wizard/SetupWizard.h"

#include <galewarden/Version.h>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <utility>

#include "core/text/CodePage.h"
#include "settings/wizard/WizardPreview.h"
#include "ui/InterfaceFont.h"
#include "ui/MessageBox.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {

// 40 × 30 pixels more than the 320 × 240 of the Windows design: Linux's CJK fonts (WenQuanYi,
// Noto) run wider and taller than Microsoft YaHei, and the notes and links must not be cut.
constexpr QSize kClientSize(360, 270);
constexpr int kPageAreaHeight = 238;

QFrame* separatorLine() {
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedHeight(1);
    return line;
}

QPushButton* rowButton(const QString& name) {
    auto* button = new QPushButton;
    button->setObjectName(name);
    return button;
}

// Programmatic texts replace an edit's text only when it differs, so the cursor stays put.
void showText(QLineEdit* edit, const std::string& text) {
    const QString shown = toQString(text);
    if (edit->text() != shown) {
        edit->setText(shown);
    }
}

void centreOnScreen(QWidget* window) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect frame(QPoint(0, 0), window->size());
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

}  // namespace

SetupWizard::SetupWizard(SettingsServices services, WizardOpening opening, ConfigStore store)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      services_(std::move(services)),
      opening_(opening),
      store_(std::move(store)),
      model_(readWizardValues(store_)) {
    setObjectName(QStringLiteral("setupWizard"));
    setWindowTitle(QStringLiteral("快速设置向导"));
    setFont(interfaceFont());
    setFixedSize(kClientSize);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    controls_ = buildWizardPages(this, services_.updatesFromPackages);
    controls_.pages->setFixedHeight(kPageAreaHeight);
    layout->addWidget(controls_.pages);
    layout->addWidget(separatorLine());
    buildBottomRow(layout);

    controls_.versionLine->setText(QStringLiteral("当前版本号：") +
                                   QString::fromLatin1(kVersionText));
    bindValueControls();
    showValues();
    if (services_.updatesFromPackages) {
        controls_.autoCheck->setChecked(false);
        model_.setUpdatesFromPackages(true);
    }
    showPage();
    centreOnScreen(this);
}

SetupWizard::~SetupWizard() = default;

void SetupWizard::buildBottomRow(QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(6, 3, 6, 3);
    abandonButton_ = rowButton(QStringLiteral("abandonButton"));
    abandonButton_->setText(QStringLiteral("&U.放弃"));
    pageCounter_ = new QLabel;
    pageCounter_->setObjectName(QStringLiteral("pageCounter"));
    backButton_ = rowButton(QStringLiteral("backButton"));
    backButton_->setText(QStringLiteral("&B.上一步"));
    forwardButton_ = rowButton(QStringLiteral("forwardButton"));
    row->addWidget(abandonButton_);
    row->addStretch();
    row->addWidget(pageCounter_);
    row->addWidget(backButton_);
    row->addWidget(forwardButton_);
    layout->addLayout(row);

    connect(abandonButton_, &QPushButton::clicked, this, &SetupWizard::abandon);
    connect(backButton_, &QPushButton::clicked, this, &SetupWizard::back);
    connect(forwardButton_, &QPushButton::clicked, this, &SetupWizard::forward);
}

void SetupWizard::bindValueControls() {
    WizardValues& values = model_.values();
    connect(controls_.autoRun, &QCheckBox::toggled, this,
            [&values](bool ticked) { values.autoRun = ticked; });
    connect(controls_.autoCheck, &QCheckBox::toggled, this,
            [&values](bool ticked) { values.autoCheck = ticked; });
    const std::pair<QLineEdit*, std::string*> edits[] = {{controls_.districts, &values.districts},
                                                         {controls_.width, &values.width},
                                                         {controls_.height, &values.height},
                                                         {controls_.top, &values.top},
                                                         {controls_.right, &values.right}};
    for (const auto& [edit, target] : edits) {
        connect(edit, &QLineEdit::textEdited, this,
                [value = target](const QString& text) { *value = fromQString(text); });
    }
    connect(controls_.source, &QComboBox::currentIndexChanged, this, [this, &values](int index) {
        values.source = controls_.source->itemData(index).toString().toStdString();
    });
    connect(controls_.startSetup, &QLabel::linkActivated, this, &SetupWizard::startSetup);
    connect(controls_.chooseDistricts, &QPushButton::clicked, this, &SetupWizard::chooseDistricts);
    connect(controls_.choosePosition, &QPushButton::clicked, this, &SetupWizard::choosePosition);
}

void SetupWizard::showValues() {
    const WizardValues& values = model_.values();
    controls_.autoRun->setChecked(values.autoRun);
    controls_.autoCheck->setChecked(values.autoCheck);
    showText(controls_.districts, values.districts);
    showText(controls_.width, values.width);
    showText(controls_.height, values.height);
    showText(controls_.top, values.top);
    showText(controls_.right, values.right);
    showSource(values.source);
}

// The user's own rules have an item only while they are the source.
void SetupWizard::showSource(const std::string& source) {
    QComboBox& choice = *controls_.source;
    int index = choice.findData(QString::fromStdString(source));
    if (index == -1) {
        choice.addItem(QStringLiteral("自定义解析规则（保持不变）"), QString());
        index = choice.count() - 1;
    }
    const QSignalBlocker quiet(&choice);
    choice.setCurrentIndex(index);
}

void SetupWizard::showPage() {
    controls_.pages->setCurrentIndex(model_.page());
    forwardButton_->setText(toQString(model_.forwardCaption()));
    backButton_->setEnabled(model_.backEnabled());
    pageCounter_->setText(toQString(model_.pageCounter()));
    if (model_.onLastPage()) {
        showText(controls_.districts, model_.values().districts);
        controls_.summary->setPlainText(
            toQString(model_.summary()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    update();
}

void SetupWizard::forward() {
    if (model_.onLastPage()) {
        finish();
        return;
    }
    model_.forward();
    showPage();
}

void SetupWizard::back() {
    model_.back();
    showPage();
}

void SetupWizard::startSetup() {
    model_.startSetup();
    showPage();
}

void SetupWizard::chooseDistricts() {
    if (!services_.pickDistricts) {
        return;
    }
    const DistrictSelection names = services_.pickDistricts(this, model_.districtNames());
    const DistrictChoice choice = model_.chooseDistricts(names);
    if (choice == DistrictChoice::tooMany || choice == DistrictChoice::tooLong) {
        MessageBox::ask({QStringLiteral("选择"),
                         choice == DistrictChoice::tooMany
                             ? QStringLiteral("最多只能设置 200 个。")
                             : QStringLiteral("所选项目的名称总长超过配置文件所能保存的上限"
                                              "（%1字节）。")
                                   .arg(kMostWizardDistrictBytes),
                         MessageIcon::exclamation, MessageButtons::ok, MessageAnswer::ok, nullptr});
        return;
    }
    showText(controls_.districts, model_.values().districts);
}

void SetupWizard::choosePosition() {
    if (!services_.pickPosition) {
        return;
    }
    hide();
    const IconPlacement chosen = services_.pickPosition(this, model_.placement());
    show();
    activateWindow();
    if (model_.takePlacement(chosen)) {
        showValues();
    }
}

void SetupWizard::abandon() {
    close();
}

// A first start left by any way but the finish would leave a process that watches nothing.
// The services may end the program or delete this window: they are called last, from copies.
void SetupWizard::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    const auto abandonFirstRun = services_.abandonFirstRun;
    if (!finished_ && opening_ == WizardOpening::firstStart && abandonFirstRun) {
        abandonFirstRun();
    }
}

void SetupWizard::finish() {
    writeWizardValues(store_, model_.values());
    const auto startMonitoring = services_.startMonitoring;
    finished_ = true;
    close();
    if (startMonitoring) {
        startMonitoring();
    }
}

}  // namespace galewarden
