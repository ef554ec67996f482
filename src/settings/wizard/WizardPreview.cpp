#include "settings/wizard/WizardPreview.h"

#include <QImage>
#include <QTimer>

#include "core/alerts/pictures/BuiltinPictures.h"

namespace galewarden {
namespace {

constexpr QSize kPreviewSize(100, 82);
// White, blue, yellow, orange, red; any other number gives the four-colour picture.
constexpr std::array<int, kWizardPreviewPictures> kColourNumbers{1, 2, 3, 4, 5, 0};

int& cyclePosition() {
    static int position = -1;
    return position;
}

QPixmap previewOf(int colourNumber) {
    const std::string& png = builtinPicture(colourNumber);
    QImage image;
    image.loadFromData(QByteArrayView(png.data(), static_cast<qsizetype>(png.size())), "PNG");
    return QPixmap::fromImage(
        image.scaled(kPreviewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace

WizardPreview::WizardPreview(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("preview"));
    setFixedSize(kPreviewSize);
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        pictures_[i] = previewOf(kColourNumbers[i]);
    }
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("previewTimer"));
    timer_->setInterval(kWizardPreviewMs);
    connect(timer_, &QTimer::timeout, this, &WizardPreview::showNextPicture);
    timer_->start();
    showNextPicture();
}

void WizardPreview::showNextPicture() {
    int& position = cyclePosition();
    position = (position + 1) % kWizardPreviewPictures;
    shown_ = position;
    setPixmap(pictures_[static_cast<std::size_t>(position)]);
}

}  // namespace galewarden
