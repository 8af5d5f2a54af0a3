#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/controls/KTPickerViewController.h"
#include "App/controls/KTTableView.h"
#include "Screens/directory/CallLogListModel.h"
#include "Screens/directory/CallLogRowPainter.h"
#include "Screens/directory/EditCallLogViewController.h"
#include "Screens/directory/LogsViewController.h"
#include "Screens/directory/PhoneBookViewController.h"
#include "Screens/directory/RowButtonTableView.h"
#include "screens/directory/DirectoryTestSupport.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace DirectoryTest;

namespace {

// The first column, from the left, where a row of the picture holds a pixel far from the
// row's background (its text).
int firstInkColumn(const QImage& picture, const QRect& row) {
    const qreal scale = picture.devicePixelRatio();
    const QRect pixels(QPoint(qRound(row.left() * scale), qRound(row.top() * scale)),
                       QPoint(qRound(row.right() * scale), qRound(row.bottom() * scale)));
    const int background = picture.pixelColor(pixels.left(), pixels.top() + 1).lightness();
    for (int x = pixels.left(); x <= pixels.right(); ++x) {
        for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
            if (std::abs(picture.pixelColor(x, y).lightness() - background) > 80) {
                return qRound((x - pixels.left()) / scale);
            }
        }
    }
    return -1;
}

} // namespace

// What a directory user sees of pickers and dialogs.
class DirectoryLookTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetStore(); }

    // Catches picker items drawn against the panel's left edge: every item keeps a margin.
    void sortPickerItemsKeepAMargin() {
        addContact("Ann", "Lee", {{"201"}});
        Window window;
        window.showTab(TabBarController::PhoneBook);
        KTNavigationBarController* bar = window.bar(TabBarController::PhoneBook);
        USER_CLICK(bar->optionalButton());
        KTPickerViewController* picker = window.tabs()->phoneBookViewController()->pickerViewController();
        KTTableView* items = picker->tableView();
        QVERIFY(items->isVisible());
        const QImage picture = items->viewport()->grab().toImage();
        for (int row = 0; row < items->model()->rowCount(); ++row) {
            const QRect rect = items->visualRect(items->model()->index(row, 0));
            const int ink = firstInkColumn(picture, rect);
            QVERIFY2(ink >= 12, qPrintable(QStringLiteral("row %1 starts at %2 px").arg(row).arg(ink)));
        }
    }

    // Catches the redial dialog's name cut at both ends: a long name shows shortened with "…".
    void theRedialDialogShortensALongName() {
        addContact("Bartholomew", "Featherstonehaugh-Wolfeschlegelsteinhausen", {{"4021"}}, "Northwind",
                   false, "Q");
        addCallLog("2026/12/06", "10:05:00", 75, "4021@very-long-pbx-hostname.example.com", 0);
        Window window;
        window.showTab(TabBarController::Logs);
        KTNavigationBarController* bar = window.bar(TabBarController::Logs);
        USER_CLICK(bar->leftButton());
        LogsViewController* logs = window.tabs()->logsViewController();
        RowButtonTableView* table = logs->tableView();
        const QRect row = table->visualRect(logs->model()->index(1, 0));
        USER_CLICK_AT(table->viewport(), CallLogRowPainter::buttonRect(row).center());
        EditCallLogViewController* dialog = logs->editCallLogViewController();
        QVERIFY(dialog != nullptr && dialog->view()->isVisible());
        const QLabel* name = dialog->nameField();
        QCOMPARE(name->text(), QStringLiteral("Bartholomew Q Featherstonehaugh-Wolfeschlegelsteinhausen"));
        const QString shown = name->property("shownText").toString();
        QVERIFY2(shown.startsWith(QStringLiteral("Bartholomew")) && shown.endsWith(QStringLiteral("…")),
                 qPrintable(shown));
        QVERIFY(name->fontMetrics().horizontalAdvance(shown) <= name->contentsRect().width());
    }
};

TESSMARK_QTEST(DirectoryLookTest)
#include "DirectoryLookTest.moc"
