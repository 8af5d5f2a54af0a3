#include "App/Images.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/controls/FunctionButtonView.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/DialPadViewController.h"
#include "Screens/calling/DialerViewController.h"
#include "Screens/calling/TelcoActiveCallViewController.h"
#include "screens/calling/CallingTestSupport.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

// The telephone-line screen: one call, answered and ended from the end-call button, its time
// counted from the moment it became the active call.
class TelcoActiveCallTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_window = std::make_unique<CallingWindow>();
        m_window->connect(PhoneType::TELCO);
    }
    void cleanup() { m_window.reset(); }

    void aCallFromRingToHangUp() {
        CallingWindow& w = *m_window;
        TelcoActiveCallViewController* screen = w.telcoScreen();
        w.feedTelco("RING 1");
        QVERIFY(w.telcoShowing());
        QCOMPARE(screen->callImageName(), QStringLiteral("btn_new_call_large"));
        QCOMPARE(screen->callStateField()->text(), QStringLiteral("INCOMING"));
        QVERIFY(screen->callTimeField()->isHidden());
        QVERIFY(screen->callTimeImageView()->isHidden());
        QCOMPARE(screen->endCallButtonView()->title(), QStringLiteral("ANSWER"));
        // Answering keeps the end-call image.
        QCOMPARE(screen->endCallButtonView()->image().cacheKey(),
                 Images::named(QStringLiteral("btn_end_call"), QSize(26, 26)).cacheKey());
        w.takeSent();
        USER_CLICK(screen->endCallButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_HOOK 1")});

        w.feedTelco("HOOK 1");
        QCOMPARE(screen->callImageName(), QStringLiteral("btn_active_call_large"));
        QCOMPARE(screen->callStateField()->text(), QStringLiteral("ACTIVE"));
        QVERIFY(!screen->callTimeField()->isHidden());
        QCOMPARE(screen->callTimeField()->text(), QStringLiteral("00:00:00"));
        QCOMPARE(screen->endCallButtonView()->title(), QStringLiteral("END CALL"));
        QVERIFY(screen->durationTimer().isActive());
        tick(3);
        QCOMPARE(screen->callTimeField()->text(), QStringLiteral("00:00:03"));

        // A further record of the same active call keeps its time and its one timer.
        w.feed("EP TELCO_RX 1 KEY KEY_DIGIT_RELEASED 5");
        QCOMPARE(screen->callTimeField()->text(), QStringLiteral("00:00:03"));
        QVERIFY(screen->durationTimer().isActive());

        USER_CLICK(screen->keypadButton());
        QVERIFY(!w.telcoShowing());
        QVERIFY(!w.pad()->flashButton()->isHidden());
        QCOMPARE(w.pad()->flashButton()->x(), DialPadViewController::flashAloneX);
        QVERIFY(w.pad()->callButton()->isHidden());
        w.takeSent();
        USER_CLICK(w.pad()->flashButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_HOOK_FLASH")});
        USER_CLICK(w.dialer()->navigationController()->navigationBar()->rightButton());
        QVERIFY(w.telcoShowing());

        USER_CLICK(screen->endCallButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_HOOK 0")});
        QVERIFY(!screen->durationTimer().isActive());
        w.feedTelco("HOOK 0");
        QVERIFY(!w.telcoShowing());

        // The next call starts from zero, whatever the last one counted.
        w.feedTelco("HOOK 1");
        w.feedTelco("CALLER_ID 0102 1030 5551234 JOHN DOE");
        QVERIFY(w.telcoShowing());
        QCOMPARE(screen->contactNameField()->text(), QStringLiteral("JOHN DOE "));
        QCOMPARE(screen->callStateField()->text(), QStringLiteral("ACTIVE"));
        QCOMPARE(screen->callTimeField()->text(), QStringLiteral("00:00:00"));
    }

    // Before the first record there is no party: the end-call button sends nothing.
    void endCallBeforeAnyRecordSendsNothing() {
        CallingWindow& w = *m_window;
        w.telcoScreen()->endCallButtonClicked();
        QCOMPARE(w.takeSent(), QStringList());
    }

    void aContactsNameAndNumberType() {
        CallingWindow& w = *m_window;
        storeContact("Mia", "Okafor", "", {{"5551234", 2}});
        w.feedTelco("RING 1");
        w.feedTelco("CALLER_ID 0102 1030 5551234 <b>MIA</b>");
        TelcoActiveCallViewController* screen = w.telcoScreen();
        QCOMPARE(screen->contactNameField()->text(), QStringLiteral("Mia Okafor"));
        QCOMPARE(screen->numberTypeField()->text(), QStringLiteral("Mobile"));
        QCOMPARE(screen->numberField()->text(), QStringLiteral("5551234"));
        QCOMPARE(screen->contactNameField()->textFormat(), Qt::PlainText);
    }

    // Fault: KEYPAD moved into the middle slot. The bar's three slots hold, left to right, END
    // CALL, nothing, and KEYPAD, as the user finds them.
    void theCallButtonsStandInTheirSlots() {
        CallingWindow& w = *m_window;
        w.feedTelco("RING 1");
        w.feedTelco("HOOK 1");
        QVERIFY(w.telcoShowing());
        TelcoActiveCallViewController* screen = w.telcoScreen();
        QWidget* bar = screen->functionButtonsView();
        const QList<QPushButton*> expected{screen->endCallButton(), nullptr, screen->keypadButton()};
        for (int slot = 0; slot < expected.size(); ++slot) {
            const QPoint centre((2 * slot + 1) * bar->width() / 6, bar->height() / 2);
            QPushButton* found = nullptr;
            for (QWidget* at = bar->childAt(centre); at != nullptr && at != bar; at = at->parentWidget()) {
                if (auto* button = qobject_cast<QPushButton*>(at)) {
                    found = button;
                }
            }
            QVERIFY2(found == expected[slot],
                     qPrintable(QStringLiteral("slot %1: %2").arg(slot).arg(UserInput::describe(found))));
        }
        QVERIFY(screen->keypadButton()->isEnabled());
        QCOMPARE(screen->keypadButtonView()->title(), QStringLiteral("KEYPAD"));
        QCOMPARE(screen->endCallButtonView()->title(), QStringLiteral("END CALL"));
    }

private:
    void tick(int seconds) {
        for (int second = 0; second < seconds; ++second) {
            m_window->telcoScreen()->updateTime();
        }
        m_window->settle();
    }

    std::unique_ptr<CallingWindow> m_window;
};

TESSMARK_QTEST(TelcoActiveCallTest)
#include "TelcoActiveCallTest.moc"
