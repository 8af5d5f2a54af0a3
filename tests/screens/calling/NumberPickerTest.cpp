#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/controls/KTTableView.h"
#include "Screens/calling/NumberPickerCellView.h"
#include "Screens/calling/NumberPickerViewController.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QLabel>
#include <QTest>

#include <any>

// The number picker over a screen: one row per number of the contact, a press on a row posts
// the choice for its opener, a press beside the list closes it without one.
class NumberPickerTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_screen = std::make_unique<QWidget>();
        m_screen->resize(420, 600);
        m_screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
        auto contact = std::make_shared<Contact>("Ann", "", "Lee", "");
        contact->setNumbers({std::make_shared<ContactNumber>("555 0100", -1, 2, true),
                             std::make_shared<ContactNumber>("<b>201</b>", -1, 0, false),
                             std::make_shared<ContactNumber>("sip:ann@pbx", -1, 6, false),
                             std::make_shared<ContactNumber>("7", -1, 9, false)});
        m_picker = new NumberPickerViewController(m_screen.get());
        m_picker->setOwner(QStringLiteral("Favorites"));
        m_picker->setContact(contact);
        m_picker->view()->setGeometry(m_screen->rect());
        OverlayHost::of(m_screen.get()).addSubview(m_picker->view());
        m_picker->viewWillAppearInWindow();
        QCoreApplication::processEvents();
        m_posts.clear();
        m_context = std::make_unique<QObject>();
        Observe("dismissNumberPickerView", m_context.get(), [this](const auto& posted) {
            m_posts.append(
                QString::fromStdString(std::any_cast<std::string>(posted.userInfo.at("selectedNumber")) +
                                       "|" + std::any_cast<std::string>(posted.userInfo.at("owner"))));
        });
    }
    void cleanup() {
        m_context.reset();
        m_screen.reset();
    }

    void oneRowPerNumberInTheContactsOrder() {
        const std::vector<NumberPickerCellView*>& rows = m_picker->cellViews();
        QCOMPARE(rows.size(), size_t{4});
        QStringList types;
        for (const NumberPickerCellView* row : rows) {
            types.append(row->numberType()->text());
            QCOMPARE(row->number()->textFormat(), Qt::PlainText);
        }
        QCOMPARE(types, (QStringList{QStringLiteral("Mobile"), QStringLiteral("Home"),
                                     QStringLiteral("Other"), QString()}));
        QCOMPARE(m_picker->tableViewHeightConstraint(), 4 * NumberPickerCellView::rowHeight + 2);
        QCOMPARE(m_picker->tableView()->height(), m_picker->tableViewHeightConstraint());
    }

    void aPressOnARowPostsItsNumber() {
        USER_CLICK(m_picker->cellViews()[1]);
        QCOMPARE(m_posts, QStringList{QStringLiteral("<b>201</b>|Favorites")});
        // The opener takes the picker away.
        QVERIFY(m_picker->view()->isVisible());
    }

    void aPressBesideTheListClosesWithoutAChoice() {
        USER_CLICK_AT(m_picker->view(), QPoint(10, 10));
        QVERIFY(!m_picker->view()->isVisible());
        QVERIFY(OverlayHost::of(m_screen.get()).topmost() == nullptr);
        QCOMPARE(m_posts, QStringList());
    }

private:
    std::unique_ptr<QWidget> m_screen;
    NumberPickerViewController* m_picker = nullptr;
    std::unique_ptr<QObject> m_context;
    QStringList m_posts;
};

TESSMARK_QTEST(NumberPickerTest)
#include "NumberPickerTest.moc"
