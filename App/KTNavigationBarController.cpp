#include "App/KTNavigationBarController.h"

#include "App/KTNavigationProtocols.h"
#include "App/controls/Colors.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace {

constexpr int barWidth = 420;
constexpr int sideButtonWidth = 130;

QPushButton* makeButton(QWidget* parent, const QString& name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

KTNavigationBarController::KTNavigationBarController(QObject* parent)
    : ViewController(QStringLiteral("KTNavigationBar"), parent) {}

QWidget* KTNavigationBarController::buildView() {
    auto* bar = new QWidget;
    bar->resize(barWidth, barHeight);
    m_leftButton = makeButton(bar, QStringLiteral("leftButton"));
    m_optionalButton = makeButton(bar, QStringLiteral("optionalButton"));
    m_optionalButton->hide();
    m_rightButton = makeButton(bar, QStringLiteral("rightButton"));

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
    QWidget* bar = view();
    bar->setAutoFillBackground(true);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, Qt::white);
    bar->setPalette(palette);

    m_bottomLineView->setAutoFillBackground(true);
    QPalette linePalette = m_bottomLineView->palette();
    linePalette.setColor(QPalette::Window, Colors::colorWithHexCode(Colors::separator));
    m_bottomLineView->setPalette(linePalette);

    const QString accent = Colors::colorWithHexCode(Colors::accent).name();
    const QString style = QStringLiteral("QPushButton { border: none; background: transparent; color: %1; "
                                         "font-size: 14px; text-align: %2; padding: 0px 4px; }"
                                         "QPushButton:disabled { color: #B0B0B0; }");
    m_leftButton->setStyleSheet(style.arg(accent, QStringLiteral("left")));
    m_rightButton->setStyleSheet(style.arg(accent, QStringLiteral("right")));
}

void KTNavigationBarController::layoutForWidth(int width) {
    m_bottomLineView->parentWidget()->resize(width, barHeight);
    m_leftButton->setGeometry(4, 6, sideButtonWidth, barHeight - 12);
    m_rightButton->setGeometry(width - sideButtonWidth - 4, 6, sideButtonWidth, barHeight - 12);
    m_optionalButton->setGeometry(width - sideButtonWidth - 44, 6, 36, barHeight - 12);
    m_barTitle->setGeometry(sideButtonWidth + 8, 0, width - 2 * (sideButtonWidth + 8), barHeight);
    m_bottomLineView->setGeometry(0, barHeight - 1, width, 1);
}

KTNavigationBarDelegate* KTNavigationBarController::delegate() const {
    if (m_delegateIsObject && m_delegateObject.isNull()) {
        return nullptr;
    }
    return m_delegate;
}

void KTNavigationBarController::setDelegate(KTNavigationBarDelegate* delegate) {
    m_delegate = delegate;
    m_delegateObject = dynamic_cast<QObject*>(delegate);
    m_delegateIsObject = !m_delegateObject.isNull();
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
