#pragma once

#include "Logic/bridge/LineParty.h"

#include <QWidget>

class QLabel;

// One row of the VoIP active-call list: the caller's name (from the phone book, else as the box
// reported it), company, number type and number, a state image and text, and the running
// active and hold times. The row holds the very party object the screen counts time in, so its
// time texts always show the current count.
class ActiveCallCellView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int rowHeight = 64;
    // Where the active-time group sits: alone, or above the hold-time group.
    static constexpr int activeTimeAloneTop = 36;
    static constexpr int activeTimeAboveHoldTop = 19;

    explicit ActiveCallCellView(QWidget* parent = nullptr);

    const LinePartyPtr& lineParty() const { return m_lineParty; }
    // Stores the party and fills the row from it (one phone-book lookup).
    void setLineParty(LinePartyPtr party);
    bool selected() const { return m_selected; }
    void setSelected(bool selected);

    // Queue the rewrite of a time text; it reads the party's counter when it runs.
    void updateActiveTime();
    void updateHoldTime();
    // The state text, image and time groups for the party's state.
    void updateState();

    QLabel* contactNameField() const { return m_contactNameField; }
    QLabel* companyField() const { return m_companyField; }
    QLabel* phoneTypeField() const { return m_phoneTypeField; }
    QLabel* phoneNumberField() const { return m_phoneNumberField; }
    QLabel* stateImage() const { return m_stateImage; }
    QLabel* stateNameField() const { return m_stateNameField; }
    QWidget* callTimeView() const { return m_callTimeView; }
    QLabel* callTimeField() const { return m_callTimeField; }
    QWidget* holdTimeView() const { return m_holdTimeView; }
    QLabel* holdTimeField() const { return m_holdTimeField; }
    // The image shown by stateImage, by name.
    QString stateImageName() const { return m_stateImageName; }
    int topCallTimeViewConstraint() const { return m_topCallTimeViewConstraint; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void setStateImage(const QString& name);
    // Placed by the next layoutSubviews().
    void setTopCallTimeViewConstraint(int top) { m_topCallTimeViewConstraint = top; }
    void layoutSubviews();

    LinePartyPtr m_lineParty;
    bool m_selected = false;
    int m_topCallTimeViewConstraint = activeTimeAloneTop;
    QString m_stateImageName;

    QLabel* m_stateImage;
    QLabel* m_contactNameField;
    QLabel* m_companyField;
    QLabel* m_phoneTypeField;
    QLabel* m_phoneNumberField;
    QLabel* m_stateNameField;
    QWidget* m_callTimeView;
    QLabel* m_callTimeField;
    QWidget* m_holdTimeView;
    QLabel* m_holdTimeField;
};
