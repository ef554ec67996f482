#include "ui/HistoryChart.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <numeric>

#include "core/history/HistoryColours.h"
#include "ui/SignalFill.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {

constexpr int kMargin = 6;
constexpr int kAxisWidth = 34;
constexpr int kLabelHeight = 18;

int total(const HistoryDayCount& count) {
    return std::accumulate(count.byColour.begin(), count.byColour.end(), 0);
}

}  // namespace

HistoryChart::HistoryChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(240, 140);
    setMouseTracking(true);
}

QSize HistoryChart::sizeHint() const {
    return {420, 200};
}

void HistoryChart::setCounts(std::vector<HistoryDayCount> counts) {
    counts_ = std::move(counts);
    highest_ = 0;
    for (const HistoryDayCount& count : counts_) {
        highest_ = std::max(highest_, total(count));
    }
    update();
}

QRect HistoryChart::plotArea() const {
    return rect().adjusted(kMargin + kAxisWidth, kMargin, -kMargin, -(kMargin + kLabelHeight));
}

int HistoryChart::dayAt(QPoint position) const {
    const QRect area = plotArea();
    if (counts_.empty() || !area.contains(position)) {
        return -1;
    }
    const double width = static_cast<double>(area.width()) / static_cast<double>(counts_.size());
    return std::clamp(static_cast<int>((position.x() - area.left()) / width), 0,
                      static_cast<int>(counts_.size()) - 1);
}

void HistoryChart::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const QRect area = plotArea();
    painter.setPen(palette().color(QPalette::Text));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.bottomLeft(), area.topLeft());
    if (counts_.empty()) {
        painter.drawText(area, Qt::AlignCenter, QStringLiteral("所选范围内没有预警"));
        return;
    }
    const int highest = std::max(highest_, 1);
    const QRect axis(kMargin, area.top(), kAxisWidth - 4, area.height());
    painter.drawText(axis, Qt::AlignRight | Qt::AlignTop, QString::number(highest));
    painter.drawText(axis, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("0"));
    const double width = static_cast<double>(area.width()) / static_cast<double>(counts_.size());
    const double gap = width > 4 ? width / 6 : 0;
    for (std::size_t i = 0; i < counts_.size(); ++i) {
        const double left = area.left() + static_cast<double>(i) * width + gap / 2;
        double bottom = area.bottom();
        for (int colour = 0; colour < kHistoryColours; ++colour) {
            const int count = counts_[i].byColour[static_cast<std::size_t>(colour)];
            if (count == 0) {
                continue;
            }
            const double height = static_cast<double>(area.height()) * count / highest;
            const QRectF bar(left, bottom - height, std::max(width - gap, 1.0), height);
            painter.fillRect(bar, signalFill(colour));
            painter.setPen(QColor(120, 120, 120));
            painter.drawRect(bar);
            bottom -= height;
        }
    }
    painter.setPen(palette().color(QPalette::Text));
    const QRect labels(area.left(), area.bottom() + 2, area.width(), kLabelHeight);
    painter.drawText(labels, Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(dayText(counts_.front().day)));
    if (counts_.size() > 1) {
        painter.drawText(labels, Qt::AlignRight | Qt::AlignVCenter,
                         QString::fromStdString(dayText(counts_.back().day)));
    }
}

bool HistoryChart::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QWidget::event(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const int index = dayAt(help->pos());
    if (index < 0) {
        QToolTip::hideText();
        return true;
    }
    const HistoryDayCount& count = counts_[static_cast<std::size_t>(index)];
    QString text = QString::fromStdString(dayText(count.day)) +
                   QStringLiteral("：%1 个预警生效").arg(total(count));
    for (int colour = kHistoryColours - 1; colour >= 0; --colour) {
        const int n = count.byColour[static_cast<std::size_t>(colour)];
        if (n > 0) {
            text += QStringLiteral("\n%1 %2").arg(toQString(historyColourName(colour))).arg(n);
        }
    }
    QToolTip::showText(help->globalPos(), text, this);
    return true;
}

}  // namespace galewarden
