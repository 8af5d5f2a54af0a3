#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <cstdint>

class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QRect;
class QSize;
class QWidget;

// The colours, fonts, search strip and row texts the directory screens share.
namespace DirectoryLook {

inline constexpr uint32_t searchStrip = 0xCFD8DC;
inline constexpr uint32_t sectionHeader = 0xF0F2FA;
inline constexpr uint32_t tickedRow = 0xFEF1EE;
inline constexpr uint32_t numberRow = 0xF5F6F8;
// The dark grey of secondary texts (company, duration); the light one is Colors::lightGrayColor.
inline constexpr uint32_t darkGray = 0x555555;
inline constexpr uint32_t primaryText = 0x222222;
// The panel of a dialog over a dimmed screen: white level 0.9.
inline constexpr uint32_t dialogPanel = 0xE6E6E6;

inline constexpr int searchStripHeight = 40;

// The system font at a pixel size.
QFont font(int pixelSize, bool bold = false);

// A form's label: plain text, 13 pixels, dark grey.
QLabel* caption(const QString& text, QWidget* parent);
// A borderless button showing only an image (set by the caller), named as its outlet, with a
// name for assistive tools and a visible focus mark.
QPushButton* imageButton(QWidget* parent, const QString& objectName, const QString& accessibleName,
                         const QSize& iconSize);

// The strip above a list: a search field on the strip colour. The field is named
// "searchField", the strip "searchView".
QWidget* makeSearchView(QWidget* parent, QLineEdit*& searchField);

// One line of text of a painted row, centred in the rectangle's height and cut at the end to
// its width.
void drawLine(QPainter* painter, const QRect& rect, const QString& text, const QFont& font,
              const QColor& colour, Qt::Alignment alignment = Qt::AlignLeft);
// The section header of the contact lists and the call log.
void paintSectionHeader(QPainter* painter, const QRect& rect, const QString& text);

} // namespace DirectoryLook
