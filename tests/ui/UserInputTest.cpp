#include "ui/support/UserInput.h"
#include "ui/support/QtTestMain.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

// The click helper refuses what a user could not click, with the reason, and delivers the rest
// through the window.
class UserInputTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_window = std::make_unique<QWidget>();
        m_window->setObjectName(QStringLiteral("window"));
        m_window->setGeometry(100, 100, 300, 300);
        m_button = new QPushButton(QStringLiteral("Save"), m_window.get());
        m_button->setObjectName(QStringLiteral("save"));
        m_button->setGeometry(10, 10, 100, 30);
        m_field = new QLineEdit(m_window.get());
        m_field->setGeometry(10, 50, 100, 30);
        m_scroll = new QScrollArea(m_window.get());
        m_scroll->setGeometry(10, 100, 150, 100);
        auto* content = new QWidget;
        content->resize(130, 400);
        m_deepButton = new QPushButton(QStringLiteral("Deep"), content);
        m_deepButton->setGeometry(0, 300, 100, 30);
        m_scroll->setWidget(content);
        m_list = new QListWidget(m_window.get());
        m_list->setGeometry(170, 10, 120, 100);
        for (int row = 0; row < 40; ++row)
            m_list->addItem(QStringLiteral("Row %1").arg(row));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    // Each way a control can be out of a user's reach is refused and named; a test that
    // clicked anyway would pass on a screen the user cannot use.
    void refusesWhatAUserCannotClick_data() {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QString>("reason");
        QTest::newRow("hidden") << QStringLiteral("hide")
                                << QStringLiteral("QPushButton \"save\" \"Save\" is hidden");
        QTest::newRow("disabled") << QStringLiteral("disable")
                                  << QStringLiteral("QPushButton \"save\" \"Save\" is disabled");
        QTest::newRow("covered") << QStringLiteral("cover")
                                 << QStringLiteral("QPushButton \"save\" \"Save\" is covered at (49, 14) by "
                                                   "QLabel \"cover\" \"Over\"");
        QTest::newRow("scrolled away")
            << QStringLiteral("deep") << QStringLiteral("lies outside the visible area of");
        QTest::newRow("under a sheet") << QStringLiteral("sheet") << QStringLiteral("of another window");
        QTest::newRow("blocked by a sheet elsewhere")
            << QStringLiteral("far sheet") << QStringLiteral("is blocked by the modal QDialog \"sheet\"");
    }
    void refusesWhatAUserCannotClick() {
        QFETCH(QString, setUp);
        QFETCH(QString, reason);
        QWidget* target = m_button;
        std::unique_ptr<QDialog> sheet;
        if (setUp == QStringLiteral("hide")) {
            m_button->hide();
        } else if (setUp == QStringLiteral("disable")) {
            m_button->setEnabled(false);
        } else if (setUp == QStringLiteral("cover")) {
            auto* cover = new QLabel(QStringLiteral("Over"), m_window.get());
            cover->setObjectName(QStringLiteral("cover"));
            cover->setGeometry(0, 0, 200, 30);
            cover->show();
        } else if (setUp == QStringLiteral("deep")) {
            target = m_deepButton;
        } else {
            sheet = std::make_unique<QDialog>(m_window.get());
            sheet->setObjectName(QStringLiteral("sheet"));
            sheet->setWindowModality(setUp == QStringLiteral("sheet") ? Qt::NonModal : Qt::WindowModal);
            const QPoint at =
                setUp == QStringLiteral("sheet") ? m_button->mapToGlobal(QPoint()) : QPoint(900, 900);
            sheet->setGeometry(QRect(at, QSize(80, 80)));
            sheet->show();
            QVERIFY(QTest::qWaitForWindowExposed(sheet.get()));
        }
        QVERIFY2(UserInput::whyNotClickable(target, target->rect().center()).contains(reason),
                 qPrintable(UserInput::whyNotClickable(target, target->rect().center())));

        QSignalSpy clicked(m_button, &QPushButton::clicked);
        QEXPECT_FAIL("", "the helper records the refusal as a failure", Continue);
        QVERIFY(!UserInput::click(target));
        QCOMPARE(clicked.count(), 0);
    }

    // What a user can reach is clicked once, rows the wheel scrolled to included, and keys and
    // pasted text reach the field that has focus.
    void clicksAndTypesThroughTheWindow() {
        QSignalSpy clicked(m_button, &QPushButton::clicked);
        QVERIFY(UserInput::click(m_button));
        QCOMPARE(clicked.count(), 1);

        QVERIFY(UserInput::scrollTo(m_deepButton));
        QVERIFY(m_scroll->verticalScrollBar()->value() > 0);
        QSignalSpy deepClicked(m_deepButton, &QPushButton::clicked);
        QVERIFY(UserInput::click(m_deepButton));
        QCOMPARE(deepClicked.count(), 1);

        const QModelIndex row30 = m_list->model()->index(30, 0);
        QVERIFY(UserInput::scrollToItem(m_list, row30));
        QVERIFY(UserInput::clickAt(m_list->viewport(), m_list->visualRect(row30).center()));
        QCOMPARE(m_list->currentRow(), 30);

        QVERIFY(UserInput::click(m_field));
        QVERIFY(UserInput::type(QStringLiteral("201#")));
        QVERIFY(UserInput::press(Qt::Key_Backspace));
        QCOMPARE(m_field->text(), QStringLiteral("201"));
        // Pasted text keeps what no key types.
        QVERIFY(UserInput::paste(QStringLiteral("\r\n2")));
        QCOMPARE(m_field->text(), QStringLiteral("201\r\n2"));
    }

private:
    std::unique_ptr<QWidget> m_window;
    QPushButton* m_button = nullptr;
    QPushButton* m_deepButton = nullptr;
    QLineEdit* m_field = nullptr;
    QScrollArea* m_scroll = nullptr;
    QListWidget* m_list = nullptr;
};

TESSMARK_QTEST(UserInputTest)
#include "UserInputTest.moc"
