#include "App/Beep.h"

#include <QApplication>

namespace {

std::function<void()>& hook() {
    static std::function<void()> beepHook;
    return beepHook;
}

} // namespace

namespace Beep {

void beep() {
    if (hook()) {
        hook()();
        return;
    }
    QApplication::beep();
}

void setHook(std::function<void()> newHook) {
    hook() = std::move(newHook);
}

} // namespace Beep
