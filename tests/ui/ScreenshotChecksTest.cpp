#include "App/controls/ElidingLabel.h"
#include "ui/screenshots/Screenshots.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <map>

namespace {

// A label that draws its whole text, cut where its box ends: an eliding label that forgot to
// elide.
class WholeTextLabel final : public QWidget {
public:
    WholeTextLabel(const QString& text, QWidget* parent) : QWidget(parent), m_text(text) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
    }

private:
    QString m_text;
};

QPushButton* button(QWidget* parent, const QString& name, QRect geometry) {
    auto* made = new QPushButton(parent);
    made->setObjectName(name);
    made->setGeometry(geometry);
    return made;
}

QWidget* panel() {
    auto* made = new QWidget;
    made->resize(240, 120);
    return made;
}

bool sceneWentOn = false;

// Each fault just past what the checks tolerate (an edge pixel shared, an image a pixel over),
// so that a check grown more lenient misses it.
TESSMARK_SCREENSHOT_SCENE("check_buttons_overlapping") {
    QWidget* view = panel();
    button(view, QStringLiteral("left"), QRect(10, 10, 60, 30));
    button(view, QStringLiteral("right"), QRect(68, 10, 60, 30));
    return view;
}

TESSMARK_SCREENSHOT_SCENE("check_image_past_its_button") {
    QWidget* view = panel();
    QPushButton* clipped = button(view, QStringLiteral("clipped"), QRect(10, 10, 20, 20));
    QPixmap picture(24, 24);
    picture.fill(Qt::darkGreen);
    clipped->setIcon(QIcon(picture));
    clipped->setIconSize(picture.size());
    return view;
}

TESSMARK_SCREENSHOT_SCENE("check_text_cut_mid_letter") {
    QWidget* view = panel();
    const QString text = QStringLiteral("Training Centre");
    auto* label = new WholeTextLabel(text, view);
    label->setObjectName(QStringLiteral("wholeText"));
    label->setGeometry(10, 10, label->fontMetrics().horizontalAdvance(text) - 2, 24);
    return view;
}

// What passes: buttons sharing an edge pixel, an image within its button, a text elided to fit.
TESSMARK_SCREENSHOT_SCENE("check_what_passes") {
    QWidget* view = panel();
    button(view, QStringLiteral("left"), QRect(10, 10, 60, 30));
    QPushButton* right = button(view, QStringLiteral("right"), QRect(69, 10, 60, 30));
    QPixmap picture(16, 16);
    picture.fill(Qt::darkGreen);
    right->setIcon(QIcon(picture));
    auto* label = new ElidingLabel(view);
    label->setText(QStringLiteral("Training Centre, North Wing, Second Floor"));
    label->setGeometry(10, 60, 120, 24);
    return view;
}

// A refused click ends its scene there; the next scene still runs.
TESSMARK_SCREENSHOT_SCENE("check_refused_click") {
    UiHarness& ui = scene.ui();
    ui.launch();
    auto* hidden = new QPushButton(ui.window());
    hidden->hide();
    Screenshots::userStep(UserInput::click(hidden));
    sceneWentOn = true;
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("check_scene_after_the_refusal") {
    QWidget* view = panel();
    button(view, QStringLiteral("alone"), QRect(10, 10, 60, 30));
    return view;
}

} // namespace

// The screenshot program's own checks: each fault it is there to catch is reported, by the check
// meant for it, and a refused click ends only its own scene.
class ScreenshotChecksTest : public QObject {
    Q_OBJECT

private slots:
    void eachFaultIsReported() {
        QTemporaryDir folder;
        std::map<QString, Screenshots::SceneResult> results;
        for (Screenshots::SceneResult& result : Screenshots::run(folder.path(), QString())) {
            results[result.name] = std::move(result);
        }
        const auto faultsOf = [&](const char* scene) { return results[QLatin1String(scene)].faults; };

        QCOMPARE(
            faultsOf("check_buttons_overlapping"),
            QStringList{QStringLiteral("QPushButton \"left\" and QPushButton \"right\" overlap by 2x30 px")});
        QCOMPARE(faultsOf("check_image_past_its_button"),
                 QStringList{QStringLiteral(
                     "QPushButton \"clipped\": its image of 24x24 px runs past its bounds (20x20 px)")});
        const QStringList cut = faultsOf("check_text_cut_mid_letter");
        QCOMPARE(cut.size(), 1);
        QVERIFY2(cut.first().startsWith(QStringLiteral("text cut: ")) &&
                     cut.first().contains(QStringLiteral("Training Centre")),
                 qPrintable(cut.first()));
        QCOMPARE(faultsOf("check_what_passes"), QStringList());

        const QStringList refused = faultsOf("check_refused_click");
        QCOMPARE(refused.size(), 1);
        QVERIFY2(refused.first().contains(QStringLiteral("could not have made")),
                 qPrintable(refused.first()));
        QVERIFY(!sceneWentOn);
        QCOMPARE(faultsOf("check_scene_after_the_refusal"), QStringList());
        QVERIFY(QFile::exists(results[QStringLiteral("check_scene_after_the_refusal")].path));
    }
};

TESSMARK_QTEST(ScreenshotChecksTest)
#include "ScreenshotChecksTest.moc"
