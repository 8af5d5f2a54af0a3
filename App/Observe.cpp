#include "App/Observe.h"

#include "App/NotificationRelay.h"

#include <QObject>
#include <QPointer>

void Observe(const std::string& name, QObject* context, ObserveHandler handler) {
    if (name == NotificationRelay::notificationName) {
        NotificationRelay::instance().addObserver(context, std::move(handler));
        return;
    }
    Platform::NotificationCenter& center = Platform::NotificationCenter::defaultCenter();
    QPointer<QObject> guard(context);
    const Platform::NotificationCenter::ObserverToken token =
        center.addObserver(name, nullptr, [guard, handler = std::move(handler)](const auto& notification) {
            if (guard) {
                handler(notification);
            }
        });
    QObject::connect(context, &QObject::destroyed, context,
                     [token] { Platform::NotificationCenter::defaultCenter().removeObserver(token); });
}

void Post(const std::string& name, Platform::NotificationCenter::UserInfo userInfo) {
    Platform::NotificationCenter::defaultCenter().post(name, nullptr, std::move(userInfo));
}
