#include "App/Alert.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/controls/KTSwitch.h"
#include "App/shell/TabBarController.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Screens/settings/ConnectionCellView.h"
#include "Screens/settings/ConnectionViewController.h"
#include "Screens/settings/CustomButtonViewController.h"
#include "Screens/settings/EditConnectionViewController.h"
#include "Screens/settings/MuteViewController.h"
#include "Screens/settings/PhoneBookSettingsViewController.h"
#include "Screens/settings/SecurityViewController.h"
#include "Screens/settings/SettingsViewController.h"
#include "Screens/settings/VolumeUpDownViewController.h"
#include "screens/settings/SettingsFixture.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

using namespace SettingsFixture;

namespace {

// The pixel size a widget's text is drawn in.
int pixelSizeOf(const QWidget* widget) {
    return QFontInfo(widget->font()).pixelSize();
}

// The sheet on screen now, once it has been laid out as the user sees it.
QMessageBox* shownSheet() {
    QMessageBox* box = Alert::currentBox();
    if (box != nullptr && QTest::qWaitForWindowExposed(box)) {
        QCoreApplication::processEvents();
    }
    return box;
}

// The lines a sheet's label shows its text in, at the label's width.
QStringList linesOf(const QLabel* label) {
    QTextDocument document;
    document.setDefaultFont(label->font());
    document.setDocumentMargin(0);
    if (Qt::mightBeRichText(label->text())) {
        document.setHtml(label->text());
    } else {
        document.setPlainText(label->text());
    }
    document.setTextWidth(label->contentsRect().width());
    // Lays the text out now: the document does it only when asked for its size.
    (void)document.size();
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        for (int index = 0; index < layout->lineCount(); ++index) {
            const QTextLine line = layout->lineAt(index);
            lines.append(block.text().mid(line.textStart(), line.textLength()).trimmed());
        }
    }
    return lines;
}

} // namespace

// What a settings user sees: the first start's list, the warnings' look, text sizes, the
// scroll handle, sheets that keep words whole and fields with room.
class SettingsLookTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        resetStore();
        forgetCurrentProfile();
    }

    // Catches the stray "New Connection" row on the list's top: it covered an empty list in
    // normal mode, and its "+" connected an empty, unsaved profile.
    void firstStartShowsAnEmptyList() {
        UiHarness ui;
        ui.launch();
        TabBarController* tabs = ui.delegate().tabBarController();
        ConnectionViewController* list = tabs->settingsViewController()->connectionViewController();
        KTNavigationController* stack = list->navigationController();
        stack->finishPendingSlide();
        QCOMPARE(stack->topViewController(), list);
        QWidget* rows = list->tableView()->viewport();
        // Clicks where a first row's edit and add buttons would be reach the empty list: they
        // connect nothing and open nothing.
        for (const QPoint point : {QPoint(rows->width() - 30, ConnectionCellView::rowHeight / 2),
                                   QPoint(32, ConnectionCellView::rowHeight / 2)}) {
            USER_CLICK_AT(rows, point);
            stack->finishPendingSlide();
            QVERIFY(TessmarkDialerCore::deviceCommunication().currentConnectionSettings() == nullptr);
            QCOMPARE(ui.posts().count(QStringLiteral("didConnectedAtStartup")), 0);
            QCOMPARE(stack->topViewController(), list);
        }

        // Edit mode shows "New Connection" alone; leaving it shows no row again.
        USER_CLICK(stack->navigationBar()->rightButton());
        QVERIFY(list->newConnectionView()->isVisible());
        USER_CLICK(stack->navigationBar()->rightButton());
        QVERIFY(!list->newConnectionView()->isVisible());
    }

    // Catches completeness warnings shown as plain messages: leaving the page in group mode
    // without a group name warns with the warning sign, and the page then closes.
    void completenessWarningsShowTheWarningSign_data() {
        QTest::addColumn<QString>("page");
        QTest::newRow("mute") << QStringLiteral("mute");
        QTest::newRow("volume") << QStringLiteral("volume");
    }
    void completenessWarningsShowTheWarningSign() {
        QFETCH(QString, page);
        EditorWindow editor(0);
        QVERIFY(editor.editor != nullptr);
        ViewController* shown = page == QStringLiteral("mute")
                                    ? static_cast<ViewController*>(editor.editor->muteViewController())
                                    : editor.editor->volumeUpDownViewController();
        QVERIFY(editor.tab.open(editor.editor, shown));
        USER_CLICK(editor.tab.bar()->leftButton());
        QMessageBox* sheet = shownSheet();
        QVERIFY(sheet != nullptr);
        QCOMPARE(sheet->icon(), QMessageBox::Warning);
        QVERIFY(sheet->text().startsWith(QStringLiteral("To enable")));
        USER_CLICK(sheet->buttons().first());
        editor.tab.settle();
        QCOMPARE(editor.tab.top(), editor.editor);
    }

    // Catches titles drawn in points rather than pixels: the CSV buttons' titles are 11 px on
    // both pages, the connection rows' names 13 px.
    void textsHaveTheirSizes() {
        storeProfile("Room A");
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        ConnectionViewController* list = tab.openConnections();
        QVERIFY(list != nullptr);
        PhoneBookSettingsViewController* phoneBook = tab.list()->phoneBookSettingsViewController();
        for (QPushButton* button : {list->importButton(), list->exportButton()}) {
            QCOMPARE(pixelSizeOf(button), 11);
        }
        QCOMPARE(pixelSizeOf(list->connectionViews().front()->nameField()), 13);
        QVERIFY(tab.clickBack());
        QVERIFY(tab.open(phoneBook));
        for (QPushButton* button : {phoneBook->importButton(), phoneBook->exportButton()}) {
            QCOMPARE(pixelSizeOf(button), 11);
        }
    }

    // Catches a white handle on the white page: the Custom Buttons page's handle stands out
    // from its track, and dragging it down scrolls the page.
    void customButtonsScrollHandleShows() {
        EditorWindow editor(0);
        QVERIFY(editor.editor != nullptr);
        CustomButtonViewController* page = editor.editor->customButtonViewController();
        QVERIFY(editor.tab.open(editor.editor, page));
        QScrollBar* bar = page->scrollView()->verticalScrollBar();
        QVERIFY(bar->isVisible());
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Vertical;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.pageStep = bar->pageStep();
        option.singleStep = bar->singleStep();
        const QRect handle =
            bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
        const QImage picture = bar->grab().toImage();
        const qreal scale = picture.devicePixelRatio();
        const QColor handleColour = picture.pixelColor((QPointF(handle.center()) * scale).toPoint());
        const QColor trackColour = picture.pixelColor(
            (QPointF(bar->width() / 2, std::min(bar->height() - 2, handle.bottom() + 20)) * scale).toPoint());
        QVERIFY2(
            std::abs(handleColour.lightness() - trackColour.lightness()) >= 40,
            qPrintable(QStringLiteral("handle %1 on track %2").arg(handleColour.name(), trackColour.name())));
        QVERIFY(handleColour.lightness() < 200);
    }

    // Catches a sheet that splits "re-" from "enter" at its line's end.
    void passwordMismatchKeepsReEnterWhole() {
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        SecurityViewController* page = tab.list()->securityViewController();
        QVERIFY(tab.open(page));
        USER_CLICK(page->activateButton());
        USER_CLICK(page->enterPasswordField());
        USER_TYPE(QStringLiteral("secret"));
        USER_CLICK(page->reEnterPasswordField());
        USER_TYPE(QStringLiteral("Secret"));
        USER_CLICK(tab.bar()->leftButton());
        QMessageBox* sheet = shownSheet();
        QVERIFY(sheet != nullptr);
        QCOMPARE(Alert::requests().back().informativeText,
                 QStringLiteral("Please re-enter security password"));
        QStringList shownLines;
        for (const QLabel* label : sheet->findChildren<QLabel*>()) {
            if (label->isVisible() && label->text().contains(QStringLiteral("re-"))) {
                shownLines += linesOf(label);
            }
        }
        QVERIFY(!shownLines.isEmpty());
        for (const QString& line : shownLines) {
            QVERIFY2(!line.endsWith(QLatin1Char('-')), qPrintable(shownLines.join(QLatin1Char('|'))));
        }
        USER_CLICK(sheet->buttons().first());
    }

    // Catches the squeezed fields of the Volume page at scale 1: every field has room for a
    // command line.
    void volumeFieldsHaveRoom() {
        EditorWindow editor(0);
        QVERIFY(editor.editor != nullptr);
        VolumeUpDownViewController* page = editor.editor->volumeUpDownViewController();
        QVERIFY(editor.tab.open(editor.editor, page));
        // On the round button: a radio takes clicks on its button and title only.
        USER_CLICK_AT(page->useCustomCommandsButton(),
                      QPoint(8, page->useCustomCommandsButton()->height() / 2));
        QVERIFY(page->speakerGroupField()->width() >= 200);
        for (QLineEdit* field :
             {page->volumeUpPressField(), page->volumeUpReleaseField(), page->volumeDownPressField(),
              page->volumeDownReleaseField(), page->sliderNotificationField(), page->sliderQueryField(),
              page->sliderMaxValueField(), page->sliderMinValueField()}) {
            QVERIFY2(field->width() >= 200, qPrintable(field->objectName()));
            QCOMPARE(UserInput::whyNotClickable(field, field->rect().center()), QString());
        }
    }
};

TESSMARK_QTEST(SettingsLookTest)
#include "SettingsLookTest.moc"
