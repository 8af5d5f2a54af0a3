#include "Screens/calling/CustomKeyButtons.h"

#include "App/Observe.h"
#include "App/controls/Colors.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Platform/MainQueue.h"
#include "Screens/calling/CallingLook.h"
#include "Screens/calling/ElidedTitleButton.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QWidget>

CustomKeyButtons::CustomKeyButtons(QWidget* row, QObject* parent) : QObject(parent) {
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    for (int tag = 0; tag < count; ++tag) {
        auto* button = new ElidedTitleButton(row);
        button->setObjectName(QStringLiteral("customButton%1").arg(tag + 1));
        button->setFocusPolicy(Qt::TabFocus);
        layout->addWidget(button, 1);
        // The key acts on the way down and again on the way up.
        connect(button, &QPushButton::pressed, this, [this, tag] { customButtonClicked(tag); });
        connect(button, &QPushButton::released, this, [this, tag] { customButtonClicked(tag); });
        m_buttons[static_cast<size_t>(tag)] = button;
    }
}

ElidedTitleButton* CustomKeyButtons::button(int tag) const {
    return m_buttons[static_cast<size_t>(tag)];
}

bool CustomKeyButtons::isPressed(int tag) const {
    return m_pressed[static_cast<size_t>(tag)];
}

bool CustomKeyButtons::load(const ConnectionSettings* profile) {
    if (profile == nullptr) {
        return false;
    }
    const std::vector<CustomKeyPtr>& keys = profile->customKeys();
    const bool anyEnabled =
        std::any_of(keys.begin(), keys.end(), [](const CustomKeyPtr& key) { return key && key->enabled(); });
    if (!anyEnabled) {
        return false;
    }
    for (size_t index = 0; index < m_buttons.size(); ++index) {
        loadCustomButton(m_buttons[index], index < keys.size() ? keys[index].get() : nullptr);
    }
    return true;
}

void CustomKeyButtons::loadCustomButton(ElidedTitleButton* button, const CustomKey* key) {
    const bool enabled = key != nullptr && key->enabled();
    button->setEnabled(enabled);
    button->setTitle(key != nullptr ? QString::fromStdString(key->label()) : QString());
    CallingLook::setButtonFace(button, enabled ? 0xFFFFFF : Colors::disabled, enabled);
}

void CustomKeyButtons::customButtonClicked(int tag) {
    if (tag < 0 || tag >= count) {
        return;
    }
    bool& pressed = m_pressed[static_cast<size_t>(tag)];
    pressed = !pressed;
    DeviceCommunicationObject& device = TessmarkDialerCore::deviceCommunication();
    const ConnectionSettingsPtr profile = device.currentConnectionSettings();
    if (profile == nullptr || static_cast<size_t>(tag) >= profile->customKeys().size() ||
        profile->customKeys()[static_cast<size_t>(tag)] == nullptr) {
        return;
    }
    const CustomKey& key = *profile->customKeys()[static_cast<size_t>(tag)];
    // Stored commands go out exactly as the user saved them.
    device.customButton(pressed, pressed ? key.pressCommand() : key.releaseCommand());
}

void observeProfileChanges(QObject* context, std::function<void()> reload) {
    Observe("connectionSettingsChanged", context, [context, reload](const auto&) {
        QPointer<QObject> guard(context);
        Platform::MainQueue::shared().post([guard, reload] {
            if (guard) {
                reload();
            }
        });
    });
}
