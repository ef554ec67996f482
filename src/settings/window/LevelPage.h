#pragma once

#include <QWidget>
#include <array>

#include "settings/model/SettingsModel.h"
#include "settings/window/PageContext.h"

class QCheckBox;
class QLabel;
class QSlider;

namespace galewarden {

// Page "2. 级别设置": per warning colour the icon window's opacity, whether it shows and
// whether it stays on top. Object names per colour (blue, yellow, orange, red): blueAlpha,
// blueAlphaLabel, blueShow, blueTop, and so on.
class LevelPage : public QWidget {
    Q_OBJECT

  public:
    LevelPage(PageContext context, QWidget* parent);

    void showValues();
    void refreshAlphaLabel(std::size_t level);

  private:
    struct Block {
        QSlider* alpha = nullptr;
        QLabel* alphaLabel = nullptr;
        QCheckBox* show = nullptr;
        QCheckBox* top = nullptr;
    };
    void buildBlock(std::size_t level);

    PageContext context_;
    std::array<Block, kLevelCount> blocks_{};
};

}  // namespace galewarden
