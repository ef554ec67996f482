#include "settings/window/PageLayout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "settings/window/SettingsControls.h"

namespace galewarden {
namespace {

constexpr int kPageMargin = 6;
constexpr int kRowSpacing = 4;
constexpr int kNumberEditWidth = 44;

}  // namespace

QVBoxLayout* pageLayout(QWidget* page, bool roomAbove) {
    auto* layout = new QVBoxLayout(page);
    const int top = roomAbove ? kSelectorRowHeight + kPageMargin : 4;
    layout->setContentsMargins(kPageMargin, top, kPageMargin, kPageMargin);
    layout->setSpacing(kRowSpacing);
    return layout;
}

QVBoxLayout* pageLayoutOf(QWidget* page) {
    return static_cast<QVBoxLayout*>(page->layout());
}

QGridLayout* groupGrid(QGroupBox* group) {
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(kGroupMargins);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(kRowSpacing);
    return grid;
}

void addEdit(QGridLayout* grid, int row, int column, const CaptionedEdit& edit) {
    grid->addWidget(captionFor(edit.edit, edit.caption), row, column);
    edit.edit->setMaximumWidth(kNumberEditWidth);
    grid->addWidget(edit.edit, row, column + 1);
}

void addEditPair(QGridLayout* grid, int row, const CaptionedEdit& left,
                 const CaptionedEdit& right) {
    addEdit(grid, row, 0, left);
    addEdit(grid, row, 2, right);
}

}  // namespace galewarden
