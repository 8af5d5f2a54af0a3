#pragma once

#include "Logic/bridge/ConnectionSettings.h"

#include <QObject>

#include <array>
#include <functional>

class ElidedTitleButton;
class QWidget;

// The row of the connected profile's five custom keys, as the dialer and both active-call
// screens show it. Each button sends on mouse-down and again on mouse-up and flips its pressed
// flag each time, so one click sends the key's press command and then its release command.
class CustomKeyButtons final : public QObject {
    Q_OBJECT

public:
    static constexpr int count = 5;

    // Builds the buttons customButton1 ... customButton5 (tags 0 to 4) into the row, side by side.
    CustomKeyButtons(QWidget* row, QObject* parent);

    ElidedTitleButton* button(int tag) const;
    bool isPressed(int tag) const;

    // Loads all five buttons from the profile's keys when one of them is enabled, and answers
    // whether the row is to be shown: false without a profile or without an enabled key.
    bool load(const ConnectionSettings* profile);
    // One button from one key: enabled, title and face as the key says; a missing key gives a
    // disabled button without a title.
    static void loadCustomButton(ElidedTitleButton* button, const CustomKey* key);
    // A mouse-down or mouse-up on the button with the tag. Sends nothing without a profile or
    // without a key at the tag (the flag flips all the same).
    void customButtonClicked(int tag);

private:
    std::array<ElidedTitleButton*, count> m_buttons{};
    std::array<bool, count> m_pressed{};
};

// Runs reload from the main queue after each "connectionSettingsChanged", while context lives:
// the screens that show the keys reload them when a profile is saved.
void observeProfileChanges(QObject* context, std::function<void()> reload);
