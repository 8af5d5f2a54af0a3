#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"
#include "App/controls/KTTableView.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/LineParty.h"
#include "Screens/calling/TransferTypePickerViewController.h"

#include <QTimer>

#include <array>
#include <vector>

class ActiveCallCellView;
class CustomKeyButtons;
class ElidedTitleButton;
class FunctionButtonView;
class QPushButton;
class WidgetRowsModel;

// The "Active Calls" screen of a VoIP profile, laid over the window by the application delegate
// while a call is up. It lists every party in a call with its running active and hold times,
// and six function buttons act on the selected party: hold, resume or answer; transfer or
// complete; conference; end, reject or cancel; new call; keypad. The profile's custom keys sit
// below when any is enabled. The delegate calls update() on each call-status record; the screen
// counts the times itself, once a second, in the very party objects its rows show.
class ActiveCallViewController final : public ViewController,
                                       public KTNavigationBarDelegate,
                                       public KTTableDelegate,
                                       public TransferTypePickerDelegate {
    Q_OBJECT

public:
    static constexpr int customButtonsHeight = 40;

    explicit ActiveCallViewController(QObject* parent = nullptr);

    // Rebuilds the list from a fresh line, carrying each party's times over by ID, and
    // selects the last row.
    void update();
    // The line went idle: the transfer type picker, which belongs to the call, closes.
    void lineWentIdle();

    void viewDidLoad() override;
    // The screen is laid over the window: custom keys, then update().
    void viewWillAppearInWindow() override;
    void viewWillAppear(bool animated) override;

    // The timer's action: one second more for every party talking or on hold.
    void updateTime();
    void updateFunctionButtons();
    void loadCustomButtons();
    // The first listed party with the ID of party, or null.
    static LinePartyPtr linePartyExists(const LineParty& party, const std::vector<LinePartyPtr>& parties);
    ActiveCallCellView* loadCellView();

    void didClickedRow(KTTableView* tableView, int row) override;
    void assistedTransferSelected() override;
    void blindTransferSelected() override;
    void cancelledSelectingTransferType() override;

    void holdButtonClicked();
    void transferButtonClicked();
    void conferenceButtonClicked();
    void endCallButtonClicked();
    void makeCallButtonClicked();
    void keypadButtonClicked();
    void customButtonClicked(int tag);

    const std::vector<LinePartyPtr>& lineParties() const { return m_lineParties; }
    const std::vector<ActiveCallCellView*>& cellViews() const { return m_cellViews; }
    const LinePartyPtr& selectedLineParty() const { return m_selectedLineParty; }
    QWidget* contentView() const { return m_contentView; }
    KTTableView* tableView() const { return m_tableView; }
    QWidget* functionButtonsView() const { return m_functionButtonsView; }
    QPushButton* holdButton() const { return m_holdButton; }
    QPushButton* transferButton() const { return m_transferButton; }
    QPushButton* conferenceButton() const { return m_conferenceButton; }
    QPushButton* endCallButton() const { return m_endCallButton; }
    QPushButton* makeCallButton() const { return m_makeCallButton; }
    QPushButton* keyPadButton() const { return m_keyPadButton; }
    FunctionButtonView* holdButtonView() const { return m_holdButtonView; }
    FunctionButtonView* transferButtonView() const { return m_transferButtonView; }
    FunctionButtonView* conferenceButtonView() const { return m_conferenceButtonView; }
    FunctionButtonView* endCallButtonView() const { return m_endCallButtonView; }
    FunctionButtonView* makeCallButtonView() const { return m_makeCallButtonView; }
    FunctionButtonView* keypadButtonView() const { return m_keypadButtonView; }
    QWidget* customButtonsView() const { return m_customButtonsView; }
    ElidedTitleButton* customButton(int tag) const;
    int bottomContentViewConstraint() const { return m_bottomContentViewConstraint; }
    QTimer& durationTimer() { return m_durationTimer; }
    TransferTypePickerViewController* transferTypePicker() const { return m_transferTypePicker; }

protected:
    QWidget* buildView() override;

private:
    void startTransfer(bool assisted);
    void setBottomContentViewConstraint(int constant);

    std::vector<LinePartyPtr> m_lineParties;
    std::vector<ActiveCallCellView*> m_cellViews;
    LinePartyPtr m_selectedLineParty;
    int m_bottomContentViewConstraint = 0;
    QTimer m_durationTimer;
    TransferTypePickerViewController* m_transferTypePicker = nullptr;

    QWidget* m_contentView = nullptr;
    KTTableView* m_tableView = nullptr;
    WidgetRowsModel* m_rows = nullptr;
    QWidget* m_functionButtonsView = nullptr;
    QPushButton* m_holdButton = nullptr;
    QPushButton* m_transferButton = nullptr;
    QPushButton* m_conferenceButton = nullptr;
    QPushButton* m_endCallButton = nullptr;
    QPushButton* m_makeCallButton = nullptr;
    QPushButton* m_keyPadButton = nullptr;
    FunctionButtonView* m_holdButtonView = nullptr;
    FunctionButtonView* m_transferButtonView = nullptr;
    FunctionButtonView* m_conferenceButtonView = nullptr;
    FunctionButtonView* m_endCallButtonView = nullptr;
    FunctionButtonView* m_makeCallButtonView = nullptr;
    FunctionButtonView* m_keypadButtonView = nullptr;
    QWidget* m_customButtonsView = nullptr;
    CustomKeyButtons* m_customKeys = nullptr;
};
