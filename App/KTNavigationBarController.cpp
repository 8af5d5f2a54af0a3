#include "App/KTNavigationBarController.h"

#include "App/KTNavigationProtocols.h"
#include "App/controls/Colors.h"
#include "App/controls/FocusOrder.h"
#include "App/controls/Styling.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int barWidth = 420;
constexpr int sideButtonWidth = 130;
constexpr int sideMargin = 4;

} // namespace

KTNavigationBarController::KTNavigationBarController(QObject* parent)
    : ViewController(QStringLiteral("KTNavigationBar"), parent) {}

QWidget* KTNavigationBarController::buildView() {
    auto* bar = new QWidget;
    m_barView = bar;
    bar->resize(barWidth, barHeight);
    FocusOrder::setPart(bar, FocusOrder::Part::PageBar);
    m_leftButton = Styling::makeBarButton(bar, QStringLiteral("leftButton"));
    m_optionalButton = Styling::makeBarButton(bar, QStringLiteral("optionalButton"));
    m_optionalButton->hide();
    m_rightButton = Styling::makeBarButton(bar, QStringLiteral("rightButton"));

    m_barTitle = new QLabel(bar);
    m_barTitle->setObjectName(QStringLiteral("barTitle"));
    m_barTitle->setTextFormat(Qt::PlainText);
    m_barTitle->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_barTitle->font();
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    m_barTitle->setFont(titleFont);

    m_bottomLineView = new QWidget(bar);
    m_bottomLineView->setObjectName(QStringLiteral("bottomLineView"));
    layoutForWidth(barWidth);
    // A page that changes a button's title or hides it gets the bar refitted.
    bar->installEventFilter(this);

    // The title sits between the buttons in the tab order, as on screen.
    QWidget::setTabOrder(m_leftButton, m_optionalButton);
    QWidget::setTabOrder(m_optionalButton, m_rightButton);

    connect(m_leftButton, &QPushButton::clicked, this,
            [this] { leftButtonOfNavigationBarClicked(m_leftButton); });
    connect(m_rightButton, &QPushButton::clicked, this,
            [this] { rightButtonOfNavigationBarClicked(m_rightButton); });
    connect(m_optionalButton, &QPushButton::clicked, this,
            [this] { middleButtonOfNavigationBarClicked(m_optionalButton); });
    return bar;
}

// White bar, hairline below; the side buttons' titles in the accent colour at 14 points, the
// left one aligned left and the right one right. Pages call this again after changing them.
void KTNavigationBarController::viewDidLoad() {
    Styling::fillBackground(view(), Qt::white);
    Styling::fillBackground(m_bottomLineView, Colors::colorWithHexCode(Colors::separator));
    m_leftButton->setStyleSheet(Styling::accentTitleStyle(QStringLiteral("left")));
    m_rightButton->setStyleSheet(Styling::accentTitleStyle(QStringLiteral("right")));
    fitTitleBetweenButtons();
}

// Each side button is only as wide as what it shows, so nothing else in the bar lies over it
// and a click on its title reaches it.
void KTNavigationBarController::fitTitleBetweenButtons() {
    const int width = m_bottomLineView->parentWidget()->width();
    const auto shownWidth = [](const QPushButton* button) {
        return std::min(sideButtonWidth, button->sizeHint().width());
    };
    m_leftButton->setGeometry(sideMargin, m_leftButton->y(), shownWidth(m_leftButton),
                              m_leftButton->height());
    const int rightWidth = shownWidth(m_rightButton);
    m_rightButton->setGeometry(width - sideMargin - rightWidth, m_rightButton->y(), rightWidth,
                               m_rightButton->height());
    const int leftEdge = m_leftButton->isHidden() ? sideMargin : m_leftButton->geometry().right() + 1;
    int rightEdge = m_rightButton->isHidden() ? width - sideMargin : m_rightButton->x();
    m_optionalButton->move(rightEdge - m_optionalButton->width() - 4, m_optionalButton->y());
    if (!m_optionalButton->isHidden()) {
        rightEdge = m_optionalButton->x();
    }
    const int centre = width / 2;
    const int half = std::max(0, std::min(centre - leftEdge, rightEdge - centre) - 6);
    m_barTitle->setGeometry(centre - half, 0, 2 * half, barHeight);
}

bool KTNavigationBarController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LayoutRequest && watched == m_barView) {
        fitTitleBetweenButtons();
    }
    return ViewController::eventFilter(watched, event);
}

// The fit then narrows the side buttons to what they show and places the title between them.
void KTNavigationBarController::layoutForWidth(int width) {
    m_bottomLineView->parentWidget()->resize(width, barHeight);
    m_leftButton->setGeometry(sideMargin, 6, sideButtonWidth, barHeight - 12);
    m_rightButton->setGeometry(width - sideButtonWidth - sideMargin, 6, sideButtonWidth, barHeight - 12);
    m_optionalButton->setGeometry(width - sideButtonWidth - 44, 6, 36, barHeight - 12);
    m_bottomLineView->setGeometry(0, barHeight - 1, width, 1);
    fitTitleBetweenButtons();
}

void KTNavigationBarController::leftButtonOfNavigationBarClicked(QAbstractButton* button) {
    if (KTNavigationBarDelegate* target = delegate()) {
        target->leftButtonOfNavigationBarClicked(button);
    }
}

void KTNavigationBarController::rightButtonOfNavigationBarClicked(QAbstractButton* button) {
    if (KTNavigationBarDelegate* target = delegate()) {
        target->rightButtonOfNavigationBarClicked(button);
    }
}

void KTNavigationBarController::middleButtonOfNavigationBarClicked(QAbstractButton* button) {
    if (KTNavigationBarDelegate* target = delegate()) {
        target->middleButtonOfNavigationBarClicked(button);
    }
}
