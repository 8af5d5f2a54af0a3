#include "App/Alert.h"
#include "App/FileDialog.h"
#include "App/Images.h"
#include "App/InputPasswordViewController.h"
#include "support/CapturingLog.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

class RecordingPasswordDelegate final : public InputPasswordViewDelegate {
public:
    void didFinishedInputtingSecurityPassword(InputPasswordViewController*, const QString& value) override {
        log.append(QStringLiteral("ok:") + value);
    }
    void didCancelledInputtingSecurityPassword(InputPasswordViewController*) override {
        log.append(QStringLiteral("cancel"));
    }
    QStringList log;
};

} // namespace

// The sheets, panels and images every screen goes through.
class SheetsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Alert::clearRequests();
        FileDialog::clearRequests();
    }

    void presetAnswersArriveLater() {
        QWidget window;
        QList<int> answers;
        Alert::setNextAnswer(1);
        Alert::setNextAnswer(0);
        Alert::show(&window, QString(), QStringLiteral("Turn it on?"),
                    {QStringLiteral("No"), QStringLiteral("Yes")},
                    [&answers](int answer) { answers.append(answer); });
        Alert::show(&window, QStringLiteral("Title"), QStringLiteral("Sure?"), {},
                    [&answers](int answer) { answers.append(answer); });
        // Never inside show(): the asker finishes its handler first.
        QVERIFY(answers.isEmpty());
        QTRY_COMPARE(answers, (QList<int>{1, 0}));
        QCOMPARE(Alert::requests().size(), size_t(2));
        QCOMPARE(Alert::requests()[0].informativeText, QStringLiteral("Turn it on?"));
        QCOMPARE(Alert::requests()[0].buttons, (QStringList{QStringLiteral("No"), QStringLiteral("Yes")}));
        QCOMPARE(Alert::requests()[1].buttons, QStringList{QStringLiteral("OK")});
    }

    // A real sheet: plain text, the first button is the default and Escape answers it.
    void realSheetShowsTextLiterally() {
        QWidget window;
        window.resize(300, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QList<int> answers;
        Alert::show(&window, QString(), QStringLiteral("<b>x</b>"),
                    {QStringLiteral("No"), QStringLiteral("Yes")},
                    [&answers](int answer) { answers.append(answer); });
        QMessageBox* box = Alert::currentBox();
        QVERIFY(box != nullptr);
        QCOMPARE(box->windowModality(), Qt::WindowModal);
        QCOMPARE(box->text(), QStringLiteral("<b>x</b>"));
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->defaultButton()->text(), QStringLiteral("No"));
        QVERIFY(QTest::qWaitForWindowExposed(box));
        USER_PRESS(Qt::Key_Escape);
        QTRY_COMPARE(answers, QList<int>{0});

        Alert::show(
            &window, QStringLiteral("Failed"), QStringLiteral("<i>why</i>"),
            {QStringLiteral("Cancel"), QStringLiteral("OK")},
            [&answers](int answer) { answers.append(answer); }, QStringLiteral("line 4: an unclosed quote"));
        box = Alert::currentBox();
        QCOMPARE(box->detailedText(), QStringLiteral("line 4: an unclosed quote"));
        // The informative label shows the tags as typed.
        QVERIFY(box->informativeText().contains(QStringLiteral("&lt;i&gt;why&lt;/i&gt;")));
        QVERIFY(QTest::qWaitForWindowExposed(box));
        QAbstractButton* ok = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            ok = button->text() == QStringLiteral("OK") ? button : ok;
        }
        // The answer closes the sheet, and its buttons go with it.
        USER_CLICK(ok);
        QTRY_COMPARE(answers, (QList<int>{0, 1}));
    }

    void panelsAreRecordedAndPreset() {
        QList<FileDialog::Result> results;
        FileDialog::setNextFileName(QStringLiteral("/tmp/contacts.csv"));
        FileDialog::setNextFileName(std::nullopt);
        FileDialog::setNextFileName(QStringLiteral(""));
        const auto keep = [&results](const FileDialog::Result& result) { results.append(result); };
        FileDialog::openCsv(nullptr, keep);
        FileDialog::saveCsv(nullptr, keep);
        FileDialog::saveCsv(nullptr, keep);
        QTRY_COMPARE(results.size(), 3);
        QVERIFY(results[0].accepted && results[0].path == QStringLiteral("/tmp/contacts.csv"));
        QVERIFY(!results[1].accepted);
        QVERIFY(results[2].accepted && results[2].path.isEmpty());
        QCOMPARE(FileDialog::requests()[0].acceptLabel, QStringLiteral("Select a CSV file"));
        QCOMPARE(FileDialog::requests()[0].nameFilter, QStringLiteral("CSV files (*.csv)"));
        QCOMPARE(FileDialog::requests()[1].acceptLabel, QStringLiteral("Save"));
        QCOMPARE(FileDialog::requests()[1].defaultSuffix, QStringLiteral("csv"));

        // The real panel: ours, one existing file.
        QWidget window;
        window.show();
        FileDialog::openCsv(&window, keep);
        QFileDialog* dialog = FileDialog::currentDialog();
        QVERIFY(dialog != nullptr);
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
        dialog->reject();
        QTRY_COMPARE(results.size(), 4);
        QVERIFY(!results[3].accepted);
    }

    // Return is OK and Escape is Cancel; neither closes the prompt, its delegate does.
    void passwordPromptKeys() {
        QWidget window;
        window.show();
        InputPasswordViewController prompt;
        RecordingPasswordDelegate delegate;
        prompt.setDelegate(&delegate);
        auto* dialog = qobject_cast<QDialog*>(prompt.view());
        QVERIFY(dialog != nullptr);
        QCOMPARE(prompt.passwordField()->echoMode(), QLineEdit::Password);
        QCOMPARE(prompt.passwordField()->nextInFocusChain(), prompt.cancelButton());
        QCOMPARE(prompt.cancelButton()->nextInFocusChain(), prompt.okButton());

        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        // The prompt opens ready for typing.
        USER_PRESS(Qt::Key_Return);
        USER_TYPE(QStringLiteral("Secret"));
        USER_PRESS(Qt::Key_Return);
        USER_PRESS(Qt::Key_Escape);
        QCOMPARE(delegate.log,
                 (QStringList{QStringLiteral("ok:"), QStringLiteral("ok:Secret"), QStringLiteral("cancel")}));
        QVERIFY(dialog->isVisible());
        QCOMPARE(prompt.passwordField()->text(), QStringLiteral("Secret"));
    }

    void everyImageDrawsAtAnyRatio() {
        const QStringList names = Images::allNames();
        QVERIFY(names.contains(QStringLiteral("btn_mute_on")));
        QVERIFY(names.contains(QStringLiteral("tab_settings")));
        for (const QString& name : names) {
            for (const qreal ratio : {1.0, 2.0}) {
                const QPixmap pixmap = Images::named(name, {}, ratio);
                QVERIFY2(!pixmap.isNull(), qPrintable(name));
                QCOMPARE(pixmap.devicePixelRatio(), ratio);
                QCOMPARE(pixmap.size(), Images::defaultSize(name) * ratio);
                const QImage image = pixmap.toImage();
                bool drawn = false;
                for (int y = 0; y < image.height() && !drawn; ++y) {
                    for (int x = 0; x < image.width() && !drawn; ++x) {
                        drawn = qAlpha(image.pixel(x, y)) != 0;
                    }
                }
                QVERIFY2(drawn, qPrintable(name));
            }
        }
        QCOMPARE(Images::named(QStringLiteral("tab_logs"), QSize(13, 13), 2).size(), QSize(26, 26));

        CapturingLog log;
        QVERIFY(Images::named(QStringLiteral("no_such_image")).isNull());
        QCOMPARE(log.errLines(), std::vector<std::string>{"Images: no image named \"no_such_image\""});
    }
};

TESSMARK_QTEST(SheetsTest)
#include "SheetsTest.moc"
