#include "Screens/directory/ScreenBar.h"

#include "App/KTNavigationController.h"
#include "App/OverlayHost.h"
#include "App/controls/KTPickerViewController.h"

namespace ScreenBar {

KTNavigationBarController* of(const ViewController* screen) {
    KTNavigationController* stack = screen->navigationController();
    return stack != nullptr ? stack->navigationBar() : nullptr;
}

void showPicker(const ViewController* screen, KTPickerViewController* picker) {
    KTNavigationController* stack = screen->navigationController();
    if (stack == nullptr || picker == nullptr) {
        return;
    }
    QWidget* host = stack->view();
    QWidget* pickerView = picker->view();
    if (OverlayHost::of(host).isTopmost(pickerView)) {
        return;
    }
    pickerView->setGeometry(host->rect());
    OverlayHost::of(host).addSubview(pickerView);
    picker->viewWillAppearInWindow();
}

void hidePicker(KTPickerViewController* picker) {
    if (picker != nullptr) {
        OverlayHost::removeFromSuperview(picker->view());
    }
}

} // namespace ScreenBar
