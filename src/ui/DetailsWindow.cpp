#include "ui/DetailsWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <memory>

#include "core/alerts/RefreshResultBuilder.h"
#include "core/alerts/RefreshState.h"
#include "core/alerts/classify/SignalColour.h"
#include "core/alerts/pictures/BuiltinPictures.h"
#include "ui/BringToFront.h"
#include "ui/IconDisplay.h"
#include "ui/InterfaceFont.h"
#include "ui/MessageBox.h"
#include "ui/SignalPicture.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {

constexpr QSize kClientSize(450, 400);
constexpr QSize kPictureSize(150, 123);
constexpr QRect kSwitchButtonInPicture(111, 97, 40, 24);
constexpr QRect kDetailsTextRect(150, 0, 300, 369);
constexpr QRect kStatusLineRect(0, 369, 450, 31);
constexpr int kStatusLines = 2;
// More than two lines of the status line can hold, whatever the font.
constexpr int kStatusScanChars = 1024;
constexpr int kStatusTipChars = 4096;
// Time for the window manager to act on the activation before the window counts as covered.
constexpr int kActivationGraceMs = 250;

// "黑体" where it exists, a Chinese sans-serif face elsewhere.
QFont heitiFont(int pixels) {
    QFont font = interfaceFont(pixels);
    font.setFamilies({QStringLiteral("黑体"), QStringLiteral("SimHei"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    return font;
}

QString cutToLimit(QString text, int limit) {
    if (text.size() <= limit) {
        return text;
    }
    const bool splitsPair = text[limit - 1].isHighSurrogate();
    text.truncate(splitsPair ? limit - 1 : limit);
    return text;
}

// At most `maxLines` lines of `width` pixels; the last one shown ends in "…" when more follow.
QString shortenedToLines(const QString& text, const QFont& font, int width, int maxLines) {
    QString scanned = cutToLimit(text, kStatusScanChars);
    scanned.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(scanned, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == maxLines - 1) {
            QString rest = text.mid(line.textStart(), kStatusScanChars);
            rest.replace(QLatin1Char('\n'), QLatin1Char(' '));
            lines << QFontMetrics(font).elidedText(rest.trimmed(), Qt::ElideRight, width);
            break;
        }
        lines << scanned.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines.join(QLatin1Char('\n'));
}

QImage scaledPicture(const std::string& png, QSize box) {
    return pictureAtSize(png, fittedSize(png, box));
}

// Missing, broken, degenerate or oversized pictures give way to the built-in one of the colour.
QPixmap pictureOfEntry(const DisplayEntry& entry, QSize box) {
    QImage image = scaledPicture(entry.picture, box);
    if (image.isNull()) {
        image =
            scaledPicture(builtinPicture(colourLevel(colourCharacterOf(entry.signalName))), box);
    }
    return QPixmap::fromImage(image);
}

}  // namespace

DetailsWindow::DetailsWindow(const IconDisplay& display, UnexpectedDataSource unexpectedData)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      display_(display),
      unexpectedData_(std::move(unexpectedData)),
      shownText_(noAlertsText()) {
    setWindowTitle(QStringLiteral("预警信息"));
    setFixedSize(kClientSize);
    buildPictures();
    buildSwitchButton();
    buildDetailsText();
    buildStatusLine();
    buildHistoryAction();
}

DetailsWindow::~DetailsWindow() = default;

void DetailsWindow::buildPictures() {
    for (int i = 0; i < kDetailPictureCount; ++i) {
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("picture%1").arg(i + 1));
        picture->setGeometry(QRect(QPoint(0, i * kPictureSize.height()), kPictureSize));
        picture->setAlignment(Qt::AlignCenter);
        pictures_[static_cast<std::size_t>(i)] = picture;
    }
    pictures_.back()->setMouseTracking(true);
    pictures_.back()->installEventFilter(this);
}

void DetailsWindow::buildSwitchButton() {
    switchButton_ = new QPushButton(QStringLiteral("切换"), pictures_.back());
    switchButton_->setObjectName(QStringLiteral("switchButton"));
    switchButton_->setGeometry(kSwitchButtonInPicture);
    switchButton_->setFont(interfaceFont());
    switchButton_->hide();
    connect(switchButton_, &QPushButton::clicked, this, &DetailsWindow::onSwitchClicked);
    switchButtonTimer_ = new QTimer(this);
    switchButtonTimer_->setObjectName(QStringLiteral("switchButtonTimer"));
    switchButtonTimer_->setSingleShot(true);
    switchButtonTimer_->setInterval(kSwitchButtonMilliseconds);
    connect(switchButtonTimer_, &QTimer::timeout, switchButton_, &QWidget::hide);
}

void DetailsWindow::buildDetailsText() {
    detailsText_ = new QPlainTextEdit(this);
    detailsText_->setObjectName(QStringLiteral("detailsText"));
    detailsText_->setGeometry(kDetailsTextRect);
    detailsText_->setFont(heitiFont(15));
    detailsText_->setReadOnly(true);
    detailsText_->setPlainText(toQString(shownText_));
}

void DetailsWindow::buildStatusLine() {
    statusLine_ = new QLabel(this);
    statusLine_->setObjectName(QStringLiteral("statusLine"));
    statusLine_->setGeometry(kStatusLineRect);
    statusLine_->setFont(heitiFont(13));
    statusLine_->setTextFormat(Qt::PlainText);
    statusLine_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    statusLine_->installEventFilter(this);
}

// The window's layout is fixed; the history is reached from the text's own menu and a key.
void DetailsWindow::buildHistoryAction() {
    historyAction_ = new QAction(QStringLiteral("历史预警(&H)"), this);
    historyAction_->setObjectName(QStringLiteral("historyAction"));
    historyAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    historyAction_->setShortcutContext(Qt::WindowShortcut);
    addAction(historyAction_);
    connect(historyAction_, &QAction::triggered, this, &DetailsWindow::historyRequested);
    detailsText_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(detailsText_, &QWidget::customContextMenuRequested, this, &DetailsWindow::showTextMenu);
}

void DetailsWindow::showTextMenu(const QPoint& position) {
    std::unique_ptr<QMenu> menu(detailsText_->createStandardContextMenu(position));
    menu->addSeparator();
    menu->addAction(historyAction_);
    menu->exec(detailsText_->viewport()->mapToGlobal(position));
}

void DetailsWindow::showDetailsWindow() {
    bringToFront(this);
    // Qt knows neither the stacking order nor other programs' windows. A window that the
    // window manager left inactive (a topmost window over it, focus-stealing prevention)
    // counts as covered; alert() does nothing to the active window and flashes the others
    // until they are activated.
    QTimer::singleShot(kActivationGraceMs, this, [this] { QApplication::alert(this); });
}

// A hidden window decodes nothing: the program starts with it hidden, and its show brings the
// pictures up to date.
void DetailsWindow::showDetailPictures() {
    if (!isVisible()) {
        return;
    }
    const auto entries =
        detailPictureEntries(static_cast<int>(display_.entryCount()), display_.currentIndex());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == 0) {
            pictures_[i]->clear();
        } else {
            pictures_[i]->setPixmap(pictureOf(entries[i] - 1));
        }
    }
}

// Drawn in the screen's own pixels, so that a scaled desktop shows them sharp.
const QPixmap& DetailsWindow::pictureOf(int entryIndex) {
    const qreal ratio = devicePixelRatioF();
    return entryPictures_.of(display_.display(), static_cast<std::size_t>(entryIndex),
                             (QSizeF(kPictureSize) * ratio).toSize(),
                             [ratio](const DisplayEntry& entry, QSize box) {
                                 QPixmap picture = pictureOfEntry(entry, box);
                                 picture.setDevicePixelRatio(ratio);
                                 return picture;
                             });
}

void DetailsWindow::clearDetailPictures() {
    for (QLabel* picture : pictures_) {
        picture->clear();
    }
}

bool DetailsWindow::setDetailsText(const std::string& text) {
    if (text == shownText_) {
        return false;
    }
    shownText_ = text;
    detailsText_->setPlainText(cutToLimit(shownText(text), kShownTextLimit));
    return true;
}

void DetailsWindow::setStatus(const StatusLine& status) {
    const QString text = shownText(status.text);
    const QString shown =
        shortenedToLines(text, statusLine_->font(), statusLine_->width(), kStatusLines);
    statusLine_->setText(shown);
    statusLine_->setToolTip(
        shown == text
            ? QString()
            : Qt::convertFromPlainText(cutToLimit(text, kStatusTipChars), Qt::WhiteSpaceNormal));
    QPalette palette = statusLine_->palette();
    palette.setColor(QPalette::WindowText, status.error ? Qt::red : Qt::black);
    statusLine_->setPalette(palette);
}

void DetailsWindow::closeForGood() {
    closingForGood_ = true;
    close();
}

void DetailsWindow::closeEvent(QCloseEvent* event) {
    if (closingForGood_) {
        event->accept();
        return;
    }
    event->ignore();
    hide();
}

void DetailsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    showDetailPictures();
}

bool DetailsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pictures_.back() && event->type() == QEvent::MouseMove) {
        offerSwitchButton();
    } else if (watched == statusLine_ && event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        showUnexpectedData();
    }
    return QWidget::eventFilter(watched, event);
}

// Every movement restarts the three seconds.
void DetailsWindow::offerSwitchButton() {
    switchButtonTimer_->stop();
    if (detailPicturesRotate(display_.entryCount())) {
        switchButton_->show();
    }
    switchButtonTimer_->start();
}

void DetailsWindow::onSwitchClicked() {
    switchButton_->hide();
    emit switchRequested();
}

void DetailsWindow::showUnexpectedData() {
    const std::string answer = unexpectedData_ ? unexpectedData_() : std::string();
    if (answer.empty()) {
        return;
    }
    MessageBox::ask({QStringLiteral("获取预警数据时发生错误"),
                     QStringLiteral("服务器返回了未预期的数据：\r\n\r\n") + toQString(answer),
                     MessageIcon::exclamation, MessageButtons::ok, MessageAnswer::ok, nullptr});
}

}  // namespace galewarden
