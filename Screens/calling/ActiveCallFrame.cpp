#include "Screens/calling/ActiveCallFrame.h"

#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/controls/Colors.h"
#include "App/controls/Styling.h"
#include "Screens/calling/CustomKeyButtons.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace ActiveCallFrame {

namespace {

constexpr int functionButtonsHeight = 64;
constexpr int customButtonsHeight = 40;

} // namespace

Bars build(QWidget* root, QWidget* content, QObject* owner) {
    Bars bars;
    bars.functionButtonsView = new QWidget(root);
    bars.functionButtonsView->setObjectName(QStringLiteral("functionButtonsView"));
    bars.functionButtonsView->setFixedHeight(functionButtonsHeight);
    bars.functionButtonsLayout = new QHBoxLayout(bars.functionButtonsView);
    // The grey shows between the buttons as hairlines.
    bars.functionButtonsLayout->setContentsMargins(0, 1, 0, 0);
    bars.functionButtonsLayout->setSpacing(1);
    Styling::fillBackground(bars.functionButtonsView, Colors::lightGrayColor());

    bars.customButtonsView = new QWidget(root);
    bars.customButtonsView->setObjectName(QStringLiteral("customButtonsView"));
    bars.customButtonsView->setFixedHeight(customButtonsHeight);
    bars.customKeys = new CustomKeyButtons(bars.customButtonsView, owner);
    Styling::fillBackground(bars.customButtonsView, Colors::lightGrayColor());

    auto* layout = new QVBoxLayout(root);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(content, 1);
    layout->addWidget(bars.functionButtonsView);
    layout->addWidget(bars.customButtonsView);
    return bars;
}

void setUpNavigationBar(KTNavigationController* navigation, KTNavigationBarDelegate* screen) {
    if (navigation == nullptr) {
        return;
    }
    KTNavigationBarController* bar = navigation->navigationBar();
    bar->setDelegate(screen);
    bar->leftButton()->hide();
    bar->rightButton()->hide();
    bar->optionalButton()->hide();
    bar->viewDidLoad();
}

void lendWindowToKeyPad(KTNavigationController* navigation) {
    if (navigation != nullptr) {
        OverlayHost::removeFromSuperview(navigation->view());
    }
    Post("openKeyPadFromActiveCallView");
}

} // namespace ActiveCallFrame
