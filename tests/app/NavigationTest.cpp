#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/KTNavigationProtocols.h"
#include "App/OverlayHost.h"
#include "App/controls/FunctionButtonView.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

// A page that writes every hook it hears into a shared log.
class RecordingPage final : public ViewController, public KTNavigationBarDelegate {
public:
    RecordingPage(const QString& name, QStringList* log) : ViewController(name), m_log(log) {
        setTitle(name);
    }

    void viewWillAppear(bool animated) override { record(QStringLiteral("willAppear"), animated); }
    void viewDidAppear(bool animated) override { record(QStringLiteral("didAppear"), animated); }
    void viewWillDisappear(bool animated) override { record(QStringLiteral("willDisappear"), animated); }
    void viewDidDisappear(bool animated) override { record(QStringLiteral("didDisappear"), animated); }
    void leftButtonOfNavigationBarClicked(QAbstractButton*) override {
        m_log->append(nibName() + QStringLiteral(" left"));
    }

protected:
    QWidget* buildView() override { return new QWidget; }

private:
    void record(const QString& hook, bool animated) {
        m_log->append(QStringLiteral("%1 %2%3").arg(nibName(), hook,
                                                    animated ? QStringLiteral(" animated") : QString()));
    }
    QStringList* m_log;
};

// A page that is no bar delegate.
class QuietPage final : public ViewController {
public:
    QuietPage() : ViewController(QStringLiteral("quiet")) {}

protected:
    QWidget* buildView() override { return new QWidget; }
};

} // namespace

class NavigationTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_log.clear(); }

    // The root hears it will appear when the stack is built and each time a page above it goes.
    void pushAndPopTellThePages() {
        RecordingPage root(QStringLiteral("root"), &m_log);
        RecordingPage second(QStringLiteral("second"), &m_log);
        KTNavigationController stack(QRect(0, 0, 420, 600), &root);
        QCOMPARE(m_log, QStringList{QStringLiteral("root willAppear")});
        QCOMPARE(stack.navigationBar()->barTitle()->text(), QStringLiteral("root"));
        QCOMPARE(root.navigationController(), &stack);
        QCOMPARE(root.view()->geometry(), stack.contentView()->rect());

        m_log.clear();
        stack.pushViewController(&second, false);
        QCOMPARE(m_log,
                 (QStringList{QStringLiteral("second willAppear"), QStringLiteral("root willDisappear"),
                              QStringLiteral("second didAppear"), QStringLiteral("root didDisappear")}));
        QCOMPARE(stack.topViewController(), &second);
        QCOMPARE(stack.navigationBar()->barTitle()->text(), QStringLiteral("second"));
        QVERIFY(root.view()->parentWidget() == nullptr);
        QCOMPARE(second.view()->parentWidget(), stack.contentView());

        stack.view()->show();
        QVERIFY(QTest::qWaitForWindowExposed(stack.view()));
        USER_CLICK(stack.navigationBar()->leftButton());
        QCOMPARE(m_log.last(), QStringLiteral("second left"));

        m_log.clear();
        QCOMPARE(stack.popViewControllerAnimated(false), &second);
        QCOMPARE(m_log.first(), QStringLiteral("root willAppear"));
        QVERIFY(second.navigationController() == nullptr);
        QCOMPARE(stack.navigationBar()->barTitle()->text(), QStringLiteral("root"));
        // The root never goes.
        QVERIFY(stack.popViewControllerAnimated(false) == nullptr);
        QVERIFY(stack.popToRootViewControllerAnimated(false).empty());
    }

    // A slide tells the old page it has gone only when the 200 ms timer ends it; another change
    // meanwhile first lands the running slide.
    void slidesEndOnTheirTimer() {
        RecordingPage root(QStringLiteral("root"), &m_log);
        RecordingPage second(QStringLiteral("second"), &m_log);
        RecordingPage third(QStringLiteral("third"), &m_log);
        KTNavigationController stack(QRect(0, 0, 420, 600), &root);
        m_log.clear();

        stack.pushViewController(&second, true);
        QCOMPARE(m_log, (QStringList{QStringLiteral("second willAppear animated"),
                                     QStringLiteral("root willDisappear animated")}));
        QVERIFY(stack.hasPendingSlide());
        // Only the two pictures move while the slide runs.
        QCOMPARE(stack.contentView()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly).size(), 2);

        m_log.clear();
        stack.pushViewController(&third, true);
        QCOMPARE(m_log.mid(0, 4), (QStringList{QStringLiteral("second didAppear animated"),
                                               QStringLiteral("root didDisappear animated"),
                                               QStringLiteral("third willAppear animated"),
                                               QStringLiteral("second willDisappear animated")}));
        m_log.clear();
        stack.finishPendingSlide();
        QCOMPARE(m_log, (QStringList{QStringLiteral("third didAppear animated"),
                                     QStringLiteral("second didDisappear animated")}));
        QVERIFY(!stack.hasPendingSlide());
        QVERIFY(stack.contentView()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly).isEmpty());
        QCOMPARE(third.view()->parentWidget(), stack.contentView());
        QCOMPARE(third.view()->geometry(), stack.contentView()->rect());
        QVERIFY(third.view()->isVisibleTo(stack.view()));

        // The timer ends a slide by itself too.
        stack.popViewControllerAnimated(true);
        QTRY_VERIFY(!stack.hasPendingSlide());
        QCOMPARE(second.view()->parentWidget(), stack.contentView());
    }

    void barDelegateFollowsTheTop() {
        RecordingPage root(QStringLiteral("root"), &m_log);
        QuietPage quiet;
        RecordingPage third(QStringLiteral("third"), &m_log);
        KTNavigationController stack(QRect(0, 0, 420, 600), &root);
        QVERIFY(stack.navigationBar()->delegate() == nullptr);
        stack.pushViewController(&third, false);
        QCOMPARE(stack.navigationBar()->delegate(), static_cast<KTNavigationBarDelegate*>(&third));
        // A page that is no delegate leaves the bar's delegate as it was on push...
        stack.pushViewController(&quiet, false);
        QCOMPARE(stack.navigationBar()->delegate(), static_cast<KTNavigationBarDelegate*>(&third));
        // ...and pop to root keeps it too, while a pop hands it to the new top or clears it.
        const std::vector<ViewController*> removed = stack.popToRootViewControllerAnimated(false);
        QCOMPARE(removed, (std::vector<ViewController*>{&quiet, &third}));
        QCOMPARE(stack.navigationBar()->delegate(), static_cast<KTNavigationBarDelegate*>(&third));
        stack.pushViewController(&quiet, false);
        stack.popViewControllerAnimated(false);
        QCOMPARE(stack.navigationBar()->delegate(), static_cast<KTNavigationBarDelegate*>(&root));

        // A page without a title shows an empty one; a destroyed delegate is forgotten.
        auto untitled = std::make_unique<RecordingPage>(QString(), &m_log);
        stack.pushViewController(untitled.get(), false);
        QCOMPARE(stack.navigationBar()->barTitle()->text(), QString());
        stack.popViewControllerAnimated(false);
        stack.pushViewController(untitled.get(), false);
        untitled.reset();
        QVERIFY(stack.navigationBar()->delegate() == nullptr);
        stack.view()->show();
        QVERIFY(QTest::qWaitForWindowExposed(stack.view()));
        USER_CLICK(stack.navigationBar()->leftButton());
    }

    void popToAPage() {
        RecordingPage root(QStringLiteral("root"), &m_log);
        RecordingPage second(QStringLiteral("second"), &m_log);
        RecordingPage third(QStringLiteral("third"), &m_log);
        KTNavigationController stack(QRect(0, 0, 420, 600), &root);
        stack.pushViewController(&second, false);
        stack.pushViewController(&third, false);
        QVERIFY(stack.popToViewController(&third, false).empty());
        QuietPage stranger;
        QVERIFY(stack.popToViewController(&stranger, false).empty());
        QCOMPARE(stack.popToViewController(&second, false), std::vector<ViewController*>{&third});
        QCOMPARE(stack.viewControllers(), (std::vector<ViewController*>{&root, &second}));
        QCOMPARE(stack.navigationBar()->barTitle()->text(), QStringLiteral("second"));

        // Replacing the stack with a page below the top runs as a pop; the title stays.
        m_log.clear();
        stack.setViewControllers({&root}, false);
        QCOMPARE(m_log.first(), QStringLiteral("root willAppear"));
        QCOMPARE(stack.topViewController(), &root);
        QCOMPARE(stack.navigationBar()->barTitle()->text(), QStringLiteral("second"));
    }

    // Titles from the store or the box show their tags as typed.
    void titlesArePlainText() {
        RecordingPage root(QStringLiteral("<b>x</b>"), &m_log);
        KTNavigationController stack(QRect(0, 0, 420, 600), &root);
        QCOMPARE(stack.navigationBar()->barTitle()->textFormat(), Qt::PlainText);
        QCOMPARE(stack.navigationBar()->barTitle()->text(), QStringLiteral("<b>x</b>"));

        FunctionButtonView function;
        function.setTitle(QStringLiteral("<i>HOLD</i>"));
        QCOMPARE(function.titleField()->textFormat(), Qt::PlainText);
        QCOMPARE(function.title(), QStringLiteral("<i>HOLD</i>"));
        function.setTitle(QString());
        QVERIFY(!function.title().isNull());
        QVERIFY(function.title().isEmpty());
        QVERIFY(function.testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    // The container's topmost subview is the one laid last, whatever Qt keeps as children.
    void overlaysStackInTheOrderLaid() {
        QWidget container;
        QWidget first;
        QWidget second;
        OverlayHost& host = OverlayHost::of(&container);
        QCOMPARE(&OverlayHost::of(&container), &host);
        QVERIFY(host.topmost() == nullptr);
        host.addSubview(&first);
        host.addSubview(&second);
        QCOMPARE(host.topmost(), &second);
        host.addSubview(&first);
        QCOMPARE(host.topmost(), &first);
        QCOMPARE(host.subviews(), (std::vector<QWidget*>{&second, &first}));
        OverlayHost::removeFromSuperview(&first);
        QCOMPARE(host.topmost(), &second);
        QVERIFY(first.parentWidget() == nullptr);
        {
            QWidget gone;
            host.addSubview(&gone);
            QCOMPARE(host.topmost(), &gone);
        }
        QCOMPARE(host.topmost(), &second);
        host.removeSubview(&second);
    }

private:
    QStringList m_log;
};

TESSMARK_QTEST(NavigationTest)
#include "NavigationTest.moc"
