#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/controls/KTTableView.h"
#include "Screens/calling/NumberPickerCellView.h"
#include "Screens/calling/NumberPickerViewController.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QScrollBar>
#include <QTest>

#include <any>

// The number picker of a contact with more numbers than the screen has room for.
class LongNumberListTest : public QObject {
    Q_OBJECT

private slots:
    // Fault: the list grew taller than the window with its scroll bar off, so the numbers
    // below the window's edge could not be chosen.
    void everyNumberCanBeReached() {
        QWidget screen;
        screen.resize(420, 600);
        screen.show();
        auto contact = std::make_shared<Contact>("Ann", "", "Lee", "");
        std::vector<ContactNumberPtr> numbers;
        for (int index = 0; index < 16; ++index) {
            numbers.push_back(
                std::make_shared<ContactNumber>("555 01" + std::to_string(10 + index), -1, 0, index == 0));
        }
        contact->setNumbers(numbers);
        auto* picker = new NumberPickerViewController(&screen);
        picker->setOwner(QStringLiteral("PhoneBook"));
        picker->setContact(contact);
        picker->view()->setGeometry(screen.rect());
        OverlayHost::of(&screen).addSubview(picker->view());
        picker->viewWillAppearInWindow();
        QCoreApplication::processEvents();
        QStringList chosen;
        QObject context;
        Observe("dismissNumberPickerView", &context, [&chosen](const auto& posted) {
            chosen.append(
                QString::fromStdString(std::any_cast<std::string>(posted.userInfo.at("selectedNumber"))));
        });

        QVERIFY(picker->view()->rect().contains(picker->numberTableView()->geometry()));
        KTTableView* table = picker->tableView();
        const QModelIndex last = table->model()->index(15, 0);
        QScrollBar* bar = table->verticalScrollBar();
        for (int page = 0; page < 10 && !table->viewport()->rect().contains(table->visualRect(last));
             ++page) {
            // The groove below the handle: a page down.
            USER_CLICK_AT(bar, QPoint(bar->width() / 2, bar->height() - 24));
        }
        USER_CLICK_AT(table->viewport(), table->visualRect(last).center());
        QCOMPARE(chosen, QStringList{QStringLiteral("555 0125")});
    }
};

TESSMARK_QTEST(LongNumberListTest)
#include "LongNumberListTest.moc"
