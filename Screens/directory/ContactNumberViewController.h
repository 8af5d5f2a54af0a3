#pragma once

#include "App/ViewController.h"
#include "App/WeakDelegate.h"

#include <cstdint>

class ContactNumberViewController;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What a number row asks of the contact editor.
class ContactNumberViewDelegate {
public:
    virtual ~ContactNumberViewDelegate() = default;
    // The row's delete button: take the row away.
    virtual void deleteContactNumber(ContactNumberViewController* /*row*/) {}
    // The row made itself the default number: the others drop their mark.
    virtual void setContactNumberAsDefault(ContactNumberViewController* /*row*/) {}
};

// One editable number of the contact editor: the number, its type, its speed-dial slot, the
// default mark and a delete button. It guards the slots 1 to 9: choosing a slot another stored
// number holds asks whether to take it over, and taking it over frees it in the store at once.
class ContactNumberViewController final : public ViewController {
    Q_OBJECT

public:
    static constexpr int rowHeight = 140;
    // The number types 0 to 6 the type pop-up lists.
    static constexpr int typeCount = 7;

    explicit ContactNumberViewController(QObject* parent = nullptr);

    // Not owned; a delegate that is destroyed is forgotten.
    void setDelegate(ContactNumberViewDelegate* delegate) { m_delegate.reset(delegate); }

    QLineEdit* numberField() const { return m_numberField; }
    QComboBox* typeButton() const { return m_typeButton; }
    QComboBox* speedDialButton() const { return m_speedDialButton; }
    QPushButton* defaultNumberButton() const { return m_defaultNumberButton; }
    QPushButton* deleteButton() const { return m_deleteButton; }

    int64_t speedDial() const { return m_speedDial; }
    int64_t oldSpeedDial() const { return m_oldSpeedDial; }
    // Selects the slot's item, "None" when there is no item for it.
    void setSpeedDial(int64_t slot);
    // The slot of the chosen item, -1 for "None" or no choice.
    int64_t selectedSpeedDial() const;

    // Selects the type's item; a type outside 0-6 leaves the pop-up without a choice.
    void setType(int64_t type);
    // The type of the chosen item, or -1 when there is no choice.
    int64_t selectedType() const;

    bool isDefaultNumber() const { return m_isDefaultNumber; }
    void setIsDefaultNumber(bool isDefault);

    // The first and last widgets of the row in keyboard order.
    QWidget* firstFocusWidget() const;
    QWidget* lastFocusWidget() const;

    void viewDidLoad() override;
    void deleteButtonClicked();
    void defaultNumberButtonChanged();
    void speedDialButtonChanged();

protected:
    QWidget* buildView() override;

private:
    void rebuildSpeedDialMenu();
    void takeOverSpeedDial(int64_t slot);

    WeakDelegate<ContactNumberViewDelegate> m_delegate;
    int64_t m_speedDial = 0;
    int64_t m_oldSpeedDial = 0;
    bool m_isDefaultNumber = false;

    QPushButton* m_deleteButton = nullptr;
    QLineEdit* m_numberField = nullptr;
    QComboBox* m_typeButton = nullptr;
    QComboBox* m_speedDialButton = nullptr;
    QPushButton* m_defaultNumberButton = nullptr;
};
