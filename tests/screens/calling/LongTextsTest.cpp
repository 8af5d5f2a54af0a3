#include "App/shell/AppDelegate.h"
#include "App/shell/ToolbarController.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/ActiveCallCellView.h"
#include "Screens/calling/ActiveCallViewController.h"
#include "Screens/calling/TelcoActiveCallViewController.h"
#include "screens/calling/CallingTestSupport.h"
#include "ui/support/QtTestMain.h"

#include <QLabel>
#include <QTest>

namespace {

const QString ellipsis = QStringLiteral("…");
const std::string longName = "MARGARET WOOLRIDGE-HENDERSON OF ACCOUNTS PAYABLE";
const std::string longAddress = "margaret.woolridge-henderson@conference-bridge.northwind.example.com";

// The text a label shows: an eliding label's shortened text, else its text.
QString shownText(const QLabel* label) {
    const QVariant shown = label->property("shownText");
    return shown.isValid() ? shown.toString() : label->text();
}

// A text that is drawn whole within the label, or shortened with "…": never cut mid-letter.
bool fits(const QLabel* label) {
    return label->fontMetrics().horizontalAdvance(shownText(label)) <= label->contentsRect().width();
}

QString described(const QLabel* label) {
    return QStringLiteral("%1 shows \"%2\" in %3 px")
        .arg(label->objectName(), shownText(label))
        .arg(label->contentsRect().width());
}

} // namespace

// Texts longer than their room on the calling screens and the toolbar shorten with "…"; a
// row's state name never does.
class LongTextsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_window = std::make_unique<CallingWindow>(); }
    void cleanup() { m_window.reset(); }

    // Catches state names cut in a fixed column ("ANSFERRING RINGING"), which made blind and
    // assisted transfer targets read alike, and names and SIP addresses cut mid-letter.
    void aRowShowsItsStateWholeBesideALongCaller_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("shown");
        const char* rows[][2] = {{"TRANSFERRING_RINGING", "TRANSFERRING RINGING"},
                                 {"TRANSFERRING_BUSY", "TRANSFERRING BUSY"},
                                 {"TRANSFERRING_INPROCESS", "TRANSFERRING IN PROCESS"},
                                 {"BLIND_TRANSFERRING_INPROCESS", "BLIND TRANSFERRING IN PROCESS"},
                                 {"BLIND_TRANSFER_HOLD", "BLIND TRANSFER HOLD"},
                                 {"CONFERENCE_ACTIVE", "CONFERENCE ACTIVE"}};
        for (const auto& [word, shown] : rows) {
            QTest::newRow(word) << QString::fromLatin1(word) << QString::fromLatin1(shown);
        }
    }
    void aRowShowsItsStateWholeBesideALongCaller() {
        QFETCH(QString, word);
        QFETCH(QString, shown);
        CallingWindow& w = *m_window;
        w.connect(PhoneType::VOIP);
        w.feedParty("1;" + word.toStdString() + ":\"" + longName + "\" <SIP:" + longAddress + ">");
        QVERIFY(w.voipShowing());
        const ActiveCallCellView* row = w.voip()->cellViews().back();
        QCOMPARE(shownText(row->stateNameField()), shown);
        QVERIFY2(fits(row->stateNameField()), qPrintable(described(row->stateNameField())));
        for (const QLabel* field : {row->contactNameField(), row->phoneNumberField()}) {
            QVERIFY2(fits(field), qPrintable(described(field)));
            QVERIFY2(shownText(field).contains(ellipsis), qPrintable(described(field)));
            // The state name beside the caller's name is not overlapped by it.
            QVERIFY(!field->geometry().intersects(row->stateNameField()->geometry()));
        }
        // The address shortens in its middle: its host stays readable.
        QVERIFY2(shownText(row->phoneNumberField()).endsWith(QStringLiteral(".EXAMPLE.COM")),
                 qPrintable(described(row->phoneNumberField())));
    }

    // Catches the Telco caller's name cut at both ends of its centred field.
    void theTelcoScreenShortensALongName() {
        CallingWindow& w = *m_window;
        w.connect(PhoneType::TELCO);
        w.feedTelco("RING 1");
        w.feedTelco("CALLER_ID 0102 1030 0049301234567890123 " + longName);
        QVERIFY(w.telcoShowing());
        const QLabel* name = w.telcoScreen()->contactNameField();
        QVERIFY2(fits(name), qPrintable(described(name)));
        QVERIFY2(shownText(name).startsWith(QStringLiteral("MARGARET")) && shownText(name).endsWith(ellipsis),
                 qPrintable(described(name)));
        QVERIFY(fits(w.telcoScreen()->numberField()));
    }

    // Catches a Telco caller's number or address shortened at its end, which hides the host or
    // the last digits a user reads back.
    void theTelcoScreenShortensALongNumberInItsMiddle_data() {
        QTest::addColumn<QString>("number");
        QTest::newRow("digits") << QStringLiteral("004930123456789012345678901234567890123456789");
        QTest::newRow("SIP address") << QString::fromStdString(longAddress).toUpper();
    }
    void theTelcoScreenShortensALongNumberInItsMiddle() {
        QFETCH(QString, number);
        CallingWindow& w = *m_window;
        w.connect(PhoneType::TELCO);
        w.feedTelco("RING 1");
        w.feedTelco("CALLER_ID 0102 1030 " + number.toStdString() + " ANN LEE");
        QVERIFY(w.telcoShowing());
        const QLabel* field = w.telcoScreen()->numberField();
        QCOMPARE(field->text(), number);
        const QString shown = shownText(field);
        QVERIFY2(fits(field) && shown.contains(ellipsis), qPrintable(described(field)));
        QVERIFY2(shown.startsWith(number.left(6)) && shown.endsWith(number.right(6)),
                 qPrintable(described(field)));
    }

    // Catches the toolbar's display and room names running under its buttons.
    void theToolbarShortensLongNames() {
        ConnectionSettings profile = *UiHarness::testProfile(PhoneType::VOIP);
        profile.setRoomName("Executive Boardroom on the Seventh Floor, North Wing");
        CallingWindow& w = *m_window;
        w.connect(profile);
        w.ui().dispatchRecord(NotificationType::CONNECTION, "CONNECTED");
        w.ui().dispatchRecord(NotificationType::LINE_NAME, "DISABLE", "RECEPTION DESK AND VISITOR LOUNGE");
        ToolbarController* toolbar = w.ui().delegate().toolbarController();
        for (const QLabel* field : {toolbar->callerIDField(), toolbar->roomNameField()}) {
            QVERIFY2(fits(field), qPrintable(described(field)));
            QVERIFY2(shownText(field).endsWith(ellipsis), qPrintable(described(field)));
        }
    }

private:
    std::unique_ptr<CallingWindow> m_window;
};

TESSMARK_QTEST(LongTextsTest)
#include "LongTextsTest.moc"
