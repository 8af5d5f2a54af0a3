#include "Screens/directory/DirectoryLook.h"

#include "App/Images.h"
#include "App/controls/Colors.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QWidget>

namespace DirectoryLook {

QFont font(int pixelSize, bool bold) {
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QWidget* makeSearchView(QWidget* parent, QLineEdit*& searchField) {
    auto* strip = new QWidget(parent);
    strip->setObjectName(QStringLiteral("searchView"));
    strip->setFixedHeight(searchStripHeight);
    strip->setAutoFillBackground(true);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, Colors::colorWithHexCode(searchStrip));
    strip->setPalette(palette);

    searchField = new QLineEdit(strip);
    searchField->setObjectName(QStringLiteral("searchField"));
    searchField->setPlaceholderText(QStringLiteral("Search"));
    searchField->setClearButtonEnabled(true);
    searchField->setFont(font(13));
    searchField->addAction(QIcon(Images::named(QStringLiteral("icon_search"), QSize(16, 16))),
                           QLineEdit::LeadingPosition);
    searchField->setStyleSheet(QStringLiteral("QLineEdit { background: white; border: 1px solid #B0BEC5; "
                                              "border-radius: 13px; padding: 2px 6px; color: #222222; }"));
    searchField->setFixedHeight(27);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(10, 6, 10, 7);
    layout->addWidget(searchField);
    return strip;
}

} // namespace DirectoryLook
