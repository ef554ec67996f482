#include "ui/PositionPicker.h"

#include <QEventLoop>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "core/text/TextToNumber.h"
#include "ui/InterfaceFont.h"
#include "ui/ModalSession.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {

// Time for the caller's hidden window to leave the screen before it is captured.
constexpr int kEditLeft = 88;
constexpr QSize kEditSize(80, 24);
constexpr QRect kInstructionRect(8, 8, 168, 24);
constexpr QRect kCancelRect(8, 136, 80, 32);
constexpr QRect kOkRect(96, 136, 80, 32);
constexpr int kCaptionLeft = 24;
constexpr int kCaptionWidth = kEditLeft - kCaptionLeft;

QString instructionText(PickerInstruction instruction, const QString& okCaption) {
    switch (instruction) {
        case PickerInstruction::rightClickForMenu:
            return QStringLiteral("右键操作此菜单");
        case PickerInstruction::clickOkToSave:
            return QStringLiteral("单击“%1”保存此位置").arg(okCaption);
        case PickerInstruction::chooseAPlace:
            break;
    }
    return QStringLiteral("请在屏幕中选择一个位置");
}

QRect qRectOf(const WindowRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

QPushButton* plainButton(const QString& caption, const QString& name, const QRect& rect,
                         QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(rect);
    // Enter in an edit should neither confirm nor cancel by surprise.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

PositionPicker::PositionPicker(IconPlacement current, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      incoming_(current) {
    setObjectName(QStringLiteral("positionPicker"));
    setWindowModality(Qt::ApplicationModal);
    setMouseTracking(true);
    setFont(interfaceFont());
    buildControlBox();
}

PositionPicker::~PositionPicker() = default;

void PositionPicker::buildControlBox() {
    auto* box = new QFrame(this);
    box->setObjectName(QStringLiteral("controlBox"));
    box->setFrameShape(QFrame::StyledPanel);
    box->setAutoFillBackground(true);
    box->setGeometry(qRectOf(PlacementGeometry::kInitialBox));
    // The pointer over the box works its controls and leaves the rectangle alone.
    box->setAttribute(Qt::WA_NoMousePropagation);
    box_ = box;

    instruction_ = new QLabel(instructionText(PickerInstruction::chooseAPlace, {}), box_);
    instruction_->setObjectName(QStringLiteral("instruction"));
    instruction_->setGeometry(kInstructionRect);
    addEdit(PlacementField::width, QStringLiteral("宽度："), 32);
    addEdit(PlacementField::height, QStringLiteral("高度："), 56);
    addEdit(PlacementField::top, QStringLiteral("顶距："), 80);
    addEdit(PlacementField::right, QStringLiteral("右距："), 104);

    auto* cancel =
        plainButton(QStringLiteral("取消"), QStringLiteral("cancelButton"), kCancelRect, box_);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    okButton_ = plainButton(QStringLiteral("确定"), QStringLiteral("okButton"), kOkRect, box_);
    connect(okButton_, &QPushButton::clicked, this, &PositionPicker::confirm);
}

void PositionPicker::addEdit(PlacementField field, const QString& caption, int top) {
    auto* label = new QLabel(caption, box_);
    label->setGeometry(kCaptionLeft, top, kCaptionWidth, kEditSize.height());
    auto* edit = new QLineEdit(box_);
    static constexpr std::array<const char*, 4> kNames{"widthEdit", "heightEdit", "topEdit",
                                                       "rightEdit"};
    const auto index = static_cast<std::size_t>(field);
    edit->setObjectName(QString::fromLatin1(kNames[index]));
    edit->setGeometry(QRect(QPoint(kEditLeft, top), kEditSize));
    connect(edit, &QLineEdit::textChanged, this,
            [this, field](const QString& text) { onEditChanged(field, text); });
    edits_[index] = edit;
}

void PositionPicker::start(std::chrono::milliseconds delay) {
    QTimer::singleShot(delay, this, &PositionPicker::captureAndCover);
}

void PositionPicker::captureAndCover() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        reject();
        return;
    }
    const QRect screenRect = screen->geometry();
    screenPicture_ = screen->grabWindow(0);
    const QRect boxRect = box_->geometry();
    geometry_.emplace(screenRect.width(), screenRect.height(), incoming_,
                      WindowRect{boxRect.x(), boxRect.y(), boxRect.width(), boxRect.height()});
    setGeometry(screenRect);
    fillEdits();
    showFullScreen();
    activateWindow();
}

void PositionPicker::fillEdits() {
    const PlacementEditTexts& texts = geometry_->initialEdits();
    edits_[0]->setText(toQString(texts.width));
    edits_[1]->setText(toQString(texts.height));
    edits_[2]->setText(toQString(texts.top));
    edits_[3]->setText(toQString(texts.right));
}

void PositionPicker::onEditChanged(PlacementField field, const QString& text) {
    if (geometry_ && geometry_->setField(field, textToInteger(fromQString(text)))) {
        update();
    }
}

void PositionPicker::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (screenPicture_.isNull()) {
        painter.fillRect(rect(), QColor(32, 32, 32));
    } else {
        painter.drawPixmap(rect(), screenPicture_);
    }
    if (!geometry_) {
        return;
    }
    painter.setPen(QPen(QColor(255, 48, 48), 2));
    painter.setBrush(QColor(255, 48, 48, 64));
    painter.drawRect(qRectOf(geometry_->placementRect()));
}

void PositionPicker::mousePressEvent(QMouseEvent* event) {
    if (!geometry_) {
        return;
    }
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        geometry_->pressLeft(at.x(), at.y());
        showDraggedPlace();
    } else if (event->button() == Qt::RightButton) {
        geometry_->pressRight(at.x(), at.y());
    }
    showControlBox();
}

void PositionPicker::mouseMoveEvent(QMouseEvent* event) {
    if (!geometry_) {
        return;
    }
    const QPoint at = event->position().toPoint();
    geometry_->moveTo(at.x(), at.y());
    showDraggedPlace();
    showControlBox();
}

void PositionPicker::mouseReleaseEvent(QMouseEvent* event) {
    if (!geometry_ || event->button() != Qt::LeftButton) {
        return;
    }
    geometry_->releaseLeft();
    showControlBox();
}

// The two distances go through their edits, as if typed, so that edits and rectangle agree.
void PositionPicker::showDraggedPlace() {
    if (!geometry_->dragging()) {
        return;
    }
    edits_[2]->setText(QString::number(geometry_->working().top));
    edits_[3]->setText(QString::number(geometry_->working().right));
    update();
}

void PositionPicker::showControlBox() {
    box_->move(geometry_->box().left, geometry_->box().top);
    instruction_->setText(instructionText(geometry_->instruction(), okButton_->text()));
}

void PositionPicker::confirm() {
    if (geometry_) {
        result_ = geometry_->working();
    }
    accept();
}

IconPlacement pickPosition(QWidget* owner, IconPlacement current,
                           std::chrono::milliseconds captureDelay) {
    PositionPicker picker(current, owner);
    const ModalSession session(picker);
    QEventLoop loop;
    QObject::connect(&picker, &QDialog::finished, &loop, &QEventLoop::quit);
    picker.start(captureDelay);
    loop.exec();
    return picker.result();
}

}  // namespace galewarden
