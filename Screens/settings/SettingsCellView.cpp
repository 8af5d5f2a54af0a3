#include "Screens/settings/SettingsCellView.h"

#include "App/controls/Colors.h"
#include "App/controls/Styling.h"

#include <QLabel>

namespace {

constexpr int textInset = 20;

} // namespace

SettingsCellView::SettingsCellView(QWidget* parent)
    : QWidget(parent), m_settingsNameField(new QLabel(this)), m_bottomView(new QWidget(this)) {
    setObjectName(QStringLiteral("SettingsCellView"));
    resize(420, rowHeight);
    // Inside a list the background role would be the list's Base: the row and its separator
    // paint with their own Window colours instead.
    setBackgroundRole(QPalette::Window);
    Styling::fillBackground(this, Qt::white);
    m_settingsNameField->setObjectName(QStringLiteral("settingsNameField"));
    m_settingsNameField->setTextFormat(Qt::PlainText);
    m_settingsNameField->setStyleSheet(QStringLiteral("color: #000000; font-size: 14px;"));
    m_bottomView->setObjectName(QStringLiteral("bottomView"));
    Styling::fillBackground(m_bottomView, Colors::colorWithHexCode(Colors::separator));
}

void SettingsCellView::resizeEvent(QResizeEvent*) {
    m_settingsNameField->setGeometry(textInset, 0, width() - 2 * textInset, height() - 1);
    m_bottomView->setGeometry(0, height() - 1, width(), 1);
}
