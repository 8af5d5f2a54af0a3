#include "Screens/settings/ConnectionCellView.h"

#include "App/Images.h"
#include "App/controls/Colors.h"
#include "App/controls/ElidingLabel.h"
#include "App/controls/Styling.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int buttonSize = 32;
constexpr int leftButtonX = 16;
constexpr int rightButtonMargin = 14;

QPushButton* makeImageButton(QWidget* parent, const QString& objectName) {
    auto* button = new QPushButton(parent);
    button->setObjectName(objectName);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setIconSize(QSize(buttonSize - 4, buttonSize - 4));
    button->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; }"));
    return button;
}

void setImage(QPushButton* button, const QString& name) {
    button->setIcon(QIcon(Images::named(name, QSize(buttonSize - 4, buttonSize - 4))));
}

} // namespace

ConnectionCellView::ConnectionCellView(QWidget* parent)
    : QWidget(parent), m_nameField(new ElidingLabel(this)),
      m_leftButton(makeImageButton(this, QStringLiteral("leftButton"))),
      m_rightButton(makeImageButton(this, QStringLiteral("rightButton"))),
      m_bottomLineView(new QWidget(this)) {
    setObjectName(QStringLiteral("ConnectionCellView"));
    resize(420, rowHeight);
    // Inside a list the background role would be the list's Base: the row and its separator
    // paint with their own Window colours instead.
    setBackgroundRole(QPalette::Window);
    Styling::fillBackground(this, Qt::white);
    Styling::fillBackground(m_bottomLineView, Colors::colorWithHexCode(Colors::separator));
    m_bottomLineView->setObjectName(QStringLiteral("bottomLineView"));
    m_nameField->setObjectName(QStringLiteral("nameField"));
    QFont nameFont = m_nameField->font();
    nameFont.setPixelSize(13);
    m_nameField->setFont(nameFont);
    setLeftImage(QStringLiteral("btn_delete"), QStringLiteral("Delete"));
    connect(m_leftButton, &QPushButton::clicked, this,
            &ConnectionCellView::leftButtonOfConnectionCellClicked);
    connect(m_rightButton, &QPushButton::clicked, this,
            &ConnectionCellView::rightButtonOfConnectionCellClicked);
    setInEditMode(false);
    setHighlighted(false);
}

void ConnectionCellView::setInEditMode(bool inEditMode) {
    m_inEditMode = inEditMode;
    m_nameFieldLeftConstraint = inEditMode ? editModeNameInset : normalNameInset;
    m_leftButton->setVisible(inEditMode);
    showRightButtonImage();
    layoutSubviews();
}

// The name keeps its text and takes the lit (orange) or plain (black) colour.
void ConnectionCellView::setHighlighted(bool highlighted) {
    m_highlighted = highlighted;
    showRightButtonImage();
    QPalette palette = m_nameField->palette();
    palette.setColor(QPalette::WindowText,
                     highlighted ? Colors::colorWithHexCode(Colors::accent) : Qt::black);
    m_nameField->setPalette(palette);
    layoutSubviews();
}

void ConnectionCellView::showRightButtonImage() {
    if (m_inEditMode) {
        m_rightImageName = m_highlighted ? QStringLiteral("btn_edit_orange") : QStringLiteral("btn_edit");
    } else {
        m_rightImageName =
            m_highlighted ? QStringLiteral("btn_connection_orange") : QStringLiteral("btn_connection_grey");
    }
    setImage(m_rightButton, m_rightImageName);
    m_rightButton->setAccessibleName(m_inEditMode ? QStringLiteral("Edit") : QStringLiteral("Connect"));
}

void ConnectionCellView::setLeftImage(const QString& imageName, const QString& accessibleName) {
    setImage(m_leftButton, imageName);
    m_leftButton->setAccessibleName(accessibleName);
}

void ConnectionCellView::leftButtonOfConnectionCellClicked() {
    if (ConnectionCellDelegate* target = delegate()) {
        target->leftButtonOfConnectionCellClicked(this);
    }
}

void ConnectionCellView::rightButtonOfConnectionCellClicked() {
    if (ConnectionCellDelegate* target = delegate()) {
        target->rightButtonOfConnectionCellClicked(this);
    }
}

void ConnectionCellView::resizeEvent(QResizeEvent*) {
    layoutSubviews();
}

void ConnectionCellView::layoutSubviews() {
    const int middle = (height() - buttonSize) / 2;
    m_leftButton->setGeometry(leftButtonX, middle, buttonSize, buttonSize);
    const int rightX = width() - rightButtonMargin - buttonSize;
    m_rightButton->setGeometry(rightX, middle, buttonSize, buttonSize);
    m_nameField->setGeometry(m_nameFieldLeftConstraint, 0, rightX - 8 - m_nameFieldLeftConstraint,
                             height() - 1);
    m_bottomLineView->setGeometry(0, height() - 1, width(), 1);
}
