#include "Screens/directory/DirectoryLook.h"

#include "App/Images.h"
#include "App/controls/Colors.h"
#include "App/controls/Styling.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QWidget>

namespace DirectoryLook {

QFont font(int pixelSize, bool bold) {
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font(13));
    label->setStyleSheet(QStringLiteral("color: %1;").arg(Colors::colorWithHexCode(darkGray).name()));
    return label;
}

QPushButton* imageButton(QWidget* parent, const QString& objectName, const QString& accessibleName,
                         const QSize& iconSize) {
    auto* button = new QPushButton(parent);
    button->setObjectName(objectName);
    button->setAccessibleName(accessibleName);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setIconSize(iconSize);
    button->setFixedSize(iconSize + QSize(8, 8));
    button->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; }"));
    return button;
}

QWidget* makeSearchView(QWidget* parent, QLineEdit*& searchField) {
    auto* strip = new QWidget(parent);
    strip->setObjectName(QStringLiteral("searchView"));
    strip->setFixedHeight(searchStripHeight);
    Styling::fillBackground(strip, Colors::colorWithHexCode(searchStrip));

    searchField = new QLineEdit(strip);
    searchField->setObjectName(QStringLiteral("searchField"));
    searchField->setPlaceholderText(QStringLiteral("Search"));
    searchField->setClearButtonEnabled(true);
    searchField->setFont(font(13));
    searchField->addAction(QIcon(Images::named(QStringLiteral("icon_search"), QSize(16, 16))),
                           QLineEdit::LeadingPosition);
    searchField->setStyleSheet(QStringLiteral("QLineEdit { background: white; border: 1px solid #B0BEC5; "
                                              "border-radius: 13px; padding: 2px 6px; color: %1; }")
                                   .arg(Colors::colorWithHexCode(primaryText).name()));
    searchField->setFixedHeight(27);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(10, 6, 10, 7);
    layout->addWidget(searchField);
    return strip;
}

void drawLine(QPainter* painter, const QRect& rect, const QString& text, const QFont& font,
              const QColor& colour, Qt::Alignment alignment) {
    painter->setFont(font);
    painter->setPen(colour);
    painter->drawText(rect, alignment | Qt::AlignVCenter,
                      painter->fontMetrics().elidedText(text, Qt::ElideRight, rect.width()));
}

void paintSectionHeader(QPainter* painter, const QRect& rect, const QString& text) {
    painter->fillRect(rect, Colors::colorWithHexCode(sectionHeader));
    drawLine(painter, rect.adjusted(20, 0, -12, 0), text, font(13, true),
             Colors::colorWithHexCode(Colors::barBackground));
}

} // namespace DirectoryLook
