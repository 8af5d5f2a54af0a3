#pragma once

#include "Platform/NotificationCenter.h"

#include <functional>
#include <string>

class QObject;

// How every part of the interface hears the notifications of the default centre. The handler
// runs on the GUI thread: screens post there, and the device events ("notification") come
// through the NotificationRelay, in the order the handlers registered. The observer goes with
// its context.
using ObserveHandler = std::function<void(const Platform::NotificationCenter::Notification&)>;
void Observe(const std::string& name, QObject* context, ObserveHandler handler);

// Posts a screen notification on the default centre (object null); observers run at once.
void Post(const std::string& name, Platform::NotificationCenter::UserInfo userInfo = {});
