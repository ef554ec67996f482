#pragma once

#include <QWidget>
#include <vector>

#include "core/history/HistoryBrowser.h"

namespace galewarden {

// Warnings in force per day, one bar a day stacked by colour, red on top; the day under the
// mouse tells its counts in a tooltip.
class HistoryChart : public QWidget {
    Q_OBJECT

  public:
    explicit HistoryChart(QWidget* parent = nullptr);

    void setCounts(std::vector<HistoryDayCount> counts);
    const std::vector<HistoryDayCount>& counts() const { return counts_; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    QRect plotArea() const;
    int dayAt(QPoint position) const;

    std::vector<HistoryDayCount> counts_;
    int highest_ = 0;
};

}  // namespace galewarden
