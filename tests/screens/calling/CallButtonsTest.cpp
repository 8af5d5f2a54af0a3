#include "App/Images.h"
#include "App/controls/FunctionButtonView.h"
#include "App/controls/KTTableView.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/ActiveCallCellView.h"
#include "Screens/calling/ActiveCallViewController.h"
#include "Screens/calling/TransferTypePickerViewController.h"
#include "screens/calling/CallingTestSupport.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QImage>
#include <QPushButton>
#include <QTest>

// The VoIP call screen's buttons as a user meets them: what each sends, what it shows, and
// the transfer picker that belongs to the call.
class CallButtonsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_window = std::make_unique<CallingWindow>();
        m_window->connect(PhoneType::VOIP);
    }
    void cleanup() { m_window.reset(); }

    // Fault: a transfer picker left open when the call ended covered ANSWER of the next call,
    // and a choice there put the dialer into transfer mode.
    void theTransferPickerClosesWithItsCall() {
        CallingWindow& w = *m_window;
        ActiveCallViewController* screen = w.voip();
        w.feedParty("1;ACTIVE:201:0:0");
        USER_CLICK(screen->transferButton());
        QWidget* picker = screen->transferTypePicker()->view();
        QVERIFY(picker->isVisible());

        w.feedParty("1;IDLE");
        QVERIFY(!picker->isVisible());
        w.feedParty("1;INCOMING:202");
        QVERIFY(w.voipShowing());
        QCOMPARE(screen->holdButtonView()->title(), QStringLiteral("ANSWER"));
        w.takeSent();
        USER_CLICK(screen->holdButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_PARTY 1")});
        QCOMPARE(w.routing().callState(), CallRouting::Normal);
    }

    // Fault: the end-call button of a ringing call sent end call instead of the reject line.
    void rejectSendsTheRejectLine() {
        CallingWindow& w = *m_window;
        w.feedParty("1;INCOMING:201");
        QCOMPARE(w.voip()->endCallButtonView()->title(), QStringLiteral("REJECT"));
        w.takeSent();
        USER_CLICK(w.voip()->endCallButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_REJECT 1")});
    }

    // Fault: with a call up and a second party ringing, ANSWER answered the first party.
    void answerTakesTheSecondPartyRinging() {
        CallingWindow& w = *m_window;
        w.feedParty("1;ACTIVE:201:0:0");
        w.feedParty("2;INCOMING:202");
        ActiveCallViewController* screen = w.voip();
        QCOMPARE(screen->selectedLineParty()->ID(), 2);
        QCOMPARE(screen->holdButtonView()->title(), QStringLiteral("ANSWER"));
        w.takeSent();
        USER_CLICK(screen->holdButton());
        QCOMPARE(w.takeSent().last(), QStringLiteral("KEY KEY_PARTY 2"));
    }

    // Fault: the selected row looked like the others, so the user could not tell which party
    // the buttons act on.
    void theSelectedRowStandsOut() {
        CallingWindow& w = *m_window;
        w.feedParty("1;ACTIVE:201:0:0");
        w.feedParty("2;ACTIVE:202:0:0");
        KTTableView* table = w.voip()->tableView();
        USER_CLICK_AT(table->viewport(), table->visualRect(table->model()->index(0, 0)).center());
        const std::vector<ActiveCallCellView*>& rows = w.voip()->cellViews();
        QCOMPARE(rowColour(rows[0]), qRgb(0xDD, 0xDD, 0xDD));
        QCOMPARE(rowColour(rows[1]), qRgb(0xF4, 0xF5, 0xF7));
        QCOMPARE(w.voip()->selectedLineParty()->ID(), 1);
    }

    // Fault: the hold button of a held party showed the hold image under RESUME.
    void aHeldPartyShowsResume() {
        CallingWindow& w = *m_window;
        w.feedParty("1;HOLD:201:5:0");
        ActiveCallViewController* screen = w.voip();
        QCOMPARE(screen->holdButtonView()->title(), QStringLiteral("RESUME"));
        const QImage shown = screen->holdButtonView()->image().toImage();
        const QSize size = shown.size();
        QCOMPARE(shown, Images::named(QStringLiteral("btn_resume"), size).toImage());
        QVERIFY(shown != Images::named(QStringLiteral("btn_hold"), size).toImage());
        w.takeSent();
        USER_CLICK(screen->holdButton());
        QCOMPARE(w.takeSent(), QStringList{QStringLiteral("KEY KEY_PARTY 1")});
    }

private:
    // The colour a row paints beside its texts, as shown.
    static QRgb rowColour(QWidget* row) {
        const QImage image = row->grab().toImage();
        const QRgb pixel = image.pixel(image.width() - 3, 2);
        return qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
    }

    std::unique_ptr<CallingWindow> m_window;
};

TESSMARK_QTEST(CallButtonsTest)
#include "CallButtonsTest.moc"
