#include "Screens/calling/NumberPickerCellView.h"

#include "App/Observe.h"
#include "App/controls/Colors.h"
#include "Screens/calling/CallingLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

NumberPickerCellView::NumberPickerCellView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("NumberPickerCellView"));
    resize(280, rowHeight);
    setCursor(Qt::PointingHandCursor);
    // Inside the list the row would take the list's base colour; it paints its own.
    setBackgroundRole(QPalette::Window);
    m_numberType = CallingLook::makeTextField(this, QStringLiteral("numberType"), 12, false, 0x6B6B6B);
    m_numberType->setFixedWidth(64);
    m_number = CallingLook::makeTextField(this, QStringLiteral("number"), 15, false, 0x000000);
    m_bottomLine = new QWidget(this);
    m_bottomLine->setObjectName(QStringLiteral("bottomLine"));
    m_bottomLine->setFixedHeight(1);
    CallingLook::setLayerColour(m_bottomLine, Colors::separator);

    auto* line = new QHBoxLayout;
    line->setContentsMargins(14, 0, 14, 0);
    line->setSpacing(8);
    line->addWidget(m_numberType);
    line->addWidget(m_number, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(line, 1);
    layout->addWidget(m_bottomLine);
    CallingLook::setLayerColour(this, 0xFFFFFF);
}

void NumberPickerCellView::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (!rect().contains(event->position().toPoint())) {
        return;
    }
    Post("dismissNumberPickerView",
         {{"selectedNumber", m_number->text().toStdString()}, {"owner", m_owner.toStdString()}});
}
