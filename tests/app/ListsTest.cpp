#include "App/controls/KTPickerViewController.h"
#include "App/controls/KTTableView.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QItemSelectionModel>
#include <QPushButton>
#include <QStringListModel>
#include <QTest>

namespace {

class RecordingTableDelegate final : public KTTableDelegate {
public:
    void didClickedRow(KTTableView* tableView, int row) override {
        rows.push_back(row);
        // The view has already selected the row when the report comes.
        selectedAtReport.push_back(tableView->selectionModel()->isRowSelected(row, {}));
    }
    std::vector<int> rows;
    std::vector<bool> selectedAtReport;
};

class RecordingPickerDelegate final : public KTPickerViewDelegate {
public:
    void leftButtonOfPickerViewClicked(KTPickerViewController* picker) override {
        log.append(picker->selectedIndex() * -1 - 100);
    }
    void rightButtonOfPickerViewClicked(KTPickerViewController* picker) override {
        log.append(picker->selectedIndex());
    }
    QList<int> log;
};

QPoint centreOfRow(KTTableView& table, int row) {
    return table.visualRect(table.model()->index(row, 0)).center();
}

} // namespace

class ListsTest : public QObject {
    Q_OBJECT

private slots:
    void tableReportsPressesOnRows() {
        QStringListModel model(QStringList{QStringLiteral("a"), QStringLiteral("b")});
        KTTableView table;
        table.setModel(&model);
        table.resize(200, 200);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        RecordingTableDelegate delegate;
        table.setExtendedDelegate(&delegate);

        USER_CLICK_AT(table.viewport(), centreOfRow(table, 0));
        USER_CLICK_AT(table.viewport(), QPoint(50, 190));
        USER_DOUBLE_CLICK_AT(table.viewport(), centreOfRow(table, 1));
        // A double click reports both of its presses; the empty space below the rows nothing.
        QCOMPARE(delegate.rows, (std::vector<int>{0, 1, 1}));
        QCOMPARE(delegate.selectedAtReport.front(), true);
    }

    void pickerKeepsTheChoice() {
        KTPickerViewController picker;
        RecordingPickerDelegate delegate;
        picker.setDelegate(&delegate);
        picker.setLeftTitle(QStringLiteral("Cancel"));
        picker.setRightTitle(QStringLiteral("Done"));
        picker.setBarTitlte(QStringLiteral("Sort By"));
        picker.setItems({QStringLiteral("<b>one</b>"), QStringLiteral("two"), QStringLiteral("three")});
        // Before the view exists the index is only stored; showing applies it.
        picker.setSelectedIndex(2);
        QVERIFY(!picker.isViewLoaded());
        QWidget* view = picker.view();
        view->resize(420, 600);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        picker.viewWillAppearInWindow();
        QCOMPARE(picker.leftButton()->text(), QStringLiteral("Cancel"));
        QCOMPARE(picker.rightButton()->text(), QStringLiteral("Done"));
        QCOMPARE(picker.tableView()->selectionModel()->selectedRows().value(0).row(), 2);
        QVERIFY(picker.selectedItem().isNull());

        // An item text is shown as it stands, tags included.
        QCOMPARE(picker.tableView()->model()->index(0, 0).data().toString(), QStringLiteral("<b>one</b>"));

        USER_CLICK_AT(picker.tableView()->viewport(), centreOfRow(*picker.tableView(), 1));
        QCOMPARE(picker.selectedIndex(), 1);
        QCOMPARE(picker.selectedItem(), QStringLiteral("two"));
        USER_CLICK(picker.rightButton());
        USER_CLICK(picker.leftButton());
        QCOMPARE(delegate.log, (QList<int>{1, -101}));

        // A text that is no item keeps the index; an index past the items selects nothing.
        picker.setSelectedItem(QStringLiteral("four"));
        QCOMPARE(picker.selectedIndex(), 1);
        QCOMPARE(picker.selectedItem(), QStringLiteral("four"));
        picker.setSelectedItem(QStringLiteral("three"));
        QCOMPARE(picker.selectedIndex(), 2);
        picker.setSelectedIndex(7);
        QCOMPARE(picker.selectedIndex(), 7);
        QVERIFY(picker.tableView()->selectionModel()->selectedRows().isEmpty());

        // A click on the dimmed area reaches nothing behind it.
        USER_CLICK_AT(view, QPoint(5, 5));
        QCOMPARE(picker.selectedIndex(), 7);
    }
};

TESSMARK_QTEST(ListsTest)
#include "ListsTest.moc"
