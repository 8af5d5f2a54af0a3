#pragma once

#include <QFont>
#include <QString>

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class QSize;
class QWidget;

// The colours, fonts and the search strip the directory screens share.
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

} // namespace DirectoryLook
