#include "App/controls/KTPickerViewController.h"
#include "App/controls/KTTableView.h"
#include "ui/support/QtTestMain.h"

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
        RecordingTableDelegate delegate;
        table.setExtendedDelegate(&delegate);

        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, centreOfRow(table, 0));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, QPoint(50, 190));
        QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, centreOfRow(table, 1));
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
        picker.viewWillAppearInWindow();
        QCOMPARE(picker.leftButton()->text(), QStringLiteral("Cancel"));
        QCOMPARE(picker.rightButton()->text(), QStringLiteral("Done"));
        QCOMPARE(picker.tableView()->selectionModel()->selectedRows().value(0).row(), 2);
        QVERIFY(picker.selectedItem().isNull());

        // An item text is shown as it stands, tags included.
        QCOMPARE(picker.tableView()->model()->index(0, 0).data().toString(), QStringLiteral("<b>one</b>"));

        QTest::mouseClick(picker.tableView()->viewport(), Qt::LeftButton, {},
                          centreOfRow(*picker.tableView(), 1));
        QCOMPARE(picker.selectedIndex(), 1);
        QCOMPARE(picker.selectedItem(), QStringLiteral("two"));
        picker.rightButton()->click();
        picker.leftButton()->click();
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
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(picker.selectedIndex(), 7);
    }
};

TESSMARK_QTEST(ListsTest)
#include "ListsTest.moc"
