#include "Screens/directory/ActiveCallPick.h"

#include "App/CallRouting.h"
#include "App/KTNavigationBarController.h"
#include "Screens/calling/SharedCallRouting.h"

#include <QPushButton>

namespace ActiveCallPick {

bool isPicking() {
    const int64_t state = sharedCallRouting().callState();
    return state == CallRouting::NewCall || state == CallRouting::Transfer;
}

bool takeRightButton(bool& openedFromActiveCall) {
    if (isPicking()) {
        cancelActiveCallPick();
        return true;
    }
    if (openedFromActiveCall) {
        openedFromActiveCall = false;
        return true;
    }
    return false;
}

void showPickButtons(KTNavigationBarController* bar) {
    if (bar == nullptr) {
        return;
    }
    bar->leftButton()->hide();
    bar->rightButton()->show();
    bar->rightButton()->setText(QStringLiteral("Cancel"));
    bar->rightButton()->setIcon(QIcon());
    bar->viewDidLoad();
}

} // namespace ActiveCallPick
