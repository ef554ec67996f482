#pragma once

#include <QMargins>
#include <QString>

class QGridLayout;
class QGroupBox;
class QLineEdit;
class QVBoxLayout;
class QWidget;

namespace galewarden {

// The page selector covers the top left corner of every page; a page's first row leaves it
// this much room.
inline constexpr int kSelectorRoom = 104;
inline constexpr int kSelectorRowHeight = 24;
inline constexpr QMargins kGroupMargins(6, 2, 6, 4);
inline constexpr int kRowIndent = 4;

// The page's column of rows, with the room of the selector above its first row when the
// first row does not leave it itself.
QVBoxLayout* pageLayout(QWidget* page, bool roomAbove = false);
QVBoxLayout* pageLayoutOf(QWidget* page);
QGridLayout* groupGrid(QGroupBox* group);

struct CaptionedEdit {
    QLineEdit* edit;
    QString caption;
};
// A caption and its edit in two cells of the grid, starting at `column`.
void addEdit(QGridLayout* grid, int row, int column, const CaptionedEdit& edit);
void addEditPair(QGridLayout* grid, int row, const CaptionedEdit& left, const CaptionedEdit& right);

}  // namespace galewarden
