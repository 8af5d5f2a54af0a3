#include "App/Images.h"
#include "App/InputPasswordViewController.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/VolumeSliderViewController.h"
#include "App/controls/Colors.h"
#include "App/controls/KTPickerViewController.h"
#include "App/controls/KTSegmentedControl.h"
#include "App/controls/KTSwitch.h"
#include "ui/screenshots/Screenshots.h"
#include "ui/support/UserInput.h"

#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QWidget* whitePanel(QSize size) {
    auto* panel = new QWidget;
    panel->resize(size);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel->setPalette(palette);
    return panel;
}

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A page with some content, for the pushed-page scene.
class DemoPage final : public ViewController {
public:
    DemoPage(const QString& title, const QString& text)
        : ViewController(QStringLiteral("DemoPage")), m_text(text) {
        setTitle(title);
    }

protected:
    QWidget* buildView() override {
        QWidget* page = whitePanel({420, 500});
        auto* layout = new QGridLayout(page);
        layout->addWidget(caption(m_text, page), 0, 0, Qt::AlignTop);
        return page;
    }

private:
    QString m_text;
};

} // namespace

TESSMARK_SCREENSHOT_SCENE("switch") {
    QWidget* panel = whitePanel({300, 150});
    auto* layout = new QGridLayout(panel);
    const std::vector<std::pair<QString, int>> rows{{QStringLiteral("Off"), KTSwitch::Off},
                                                    {QStringLiteral("On"), KTSwitch::On},
                                                    {QStringLiteral("Mixed"), KTSwitch::Mixed}};
    int row = 0;
    for (const auto& [label, state] : rows) {
        layout->addWidget(caption(label, panel), row, 0);
        auto* control = new KTSwitch(panel);
        control->setAllowsMixedState(true);
        control->setState(state);
        layout->addWidget(control, row++, 1);
    }
    layout->addWidget(caption(QStringLiteral("Disabled"), panel), row, 0);
    auto* disabled = new KTSwitch(panel);
    disabled->setState(KTSwitch::On);
    disabled->setEnabled(false);
    layout->addWidget(disabled, row, 1);
    return panel;
}

TESSMARK_SCREENSHOT_SCENE("segmented_control") {
    QWidget* panel = whitePanel({360, 110});
    auto* layout = new QGridLayout(panel);
    auto* plain = new KTSegmentedControl(panel);
    plain->setLabels({QStringLiteral("Call Mute"), QStringLiteral("Call Reject")});
    plain->setSelectedSegment(0);
    auto* tinted = new KTSegmentedControl(panel);
    tinted->setLabels({QStringLiteral("Telnet"), QStringLiteral("Serial"), QStringLiteral("Other")});
    tinted->setSelectedSegment(1);
    tinted->setTintColor(Colors::colorWithHexCode(Colors::accent));
    layout->addWidget(caption(QStringLiteral("Plain"), panel), 0, 0);
    layout->addWidget(plain, 0, 1);
    layout->addWidget(caption(QStringLiteral("Tinted"), panel), 1, 0);
    layout->addWidget(tinted, 1, 1);
    return panel;
}

TESSMARK_SCREENSHOT_SCENE("list_picker") {
    QWidget* panel = whitePanel({420, 600});
    auto* picker = new KTPickerViewController(panel);
    picker->setLeftTitle(QStringLiteral("Cancel"));
    picker->setRightTitle(QStringLiteral("Done"));
    picker->setBarTitlte(QStringLiteral("Sort By"));
    picker->setItems({QStringLiteral("Company A-Z"), QStringLiteral("Company Z-A"),
                      QStringLiteral("First Name A-Z"), QStringLiteral("First Name Z-A"),
                      QStringLiteral("Last Name A-Z"), QStringLiteral("Last Name Z-A")});
    picker->setSelectedIndex(2);
    QWidget* view = picker->view();
    view->setParent(panel);
    view->setGeometry(panel->rect());
    picker->viewWillAppearInWindow();
    return panel;
}

TESSMARK_SCREENSHOT_SCENE("password_prompt") {
    auto* prompt = new InputPasswordViewController;
    auto* dialog = qobject_cast<QDialog*>(prompt->view());
    prompt->setParent(dialog);
    dialog->show();
    Screenshots::userStep(UserInput::replaceText(prompt->passwordField(), QStringLiteral("secret")));
    return dialog;
}

TESSMARK_SCREENSHOT_SCENE("volume_popup") {
    QWidget* panel = whitePanel({420, 120});
    auto* volume = new VolumeSliderViewController(panel);
    QWidget* view = volume->view();
    view->setParent(panel);
    view->move(35, 20);
    volume->setSliderValue(37);
    return panel;
}

TESSMARK_SCREENSHOT_SCENE("pushed_page") {
    auto* root = new DemoPage(QStringLiteral("Settings"), QStringLiteral("The root page"));
    auto* stack = new KTNavigationController(QRect(0, 0, 420, 560), root);
    root->setParent(stack);
    auto* page = new DemoPage(QStringLiteral("Preferences"), QStringLiteral("A page pushed over the root"));
    page->setParent(stack);
    stack->pushViewController(page, false);
    QPushButton* back = stack->navigationBar()->leftButton();
    back->setIcon(Images::named(QStringLiteral("btn_navigate_backward")));
    back->setText(QString());
    back->setAccessibleName(QStringLiteral("Back"));
    stack->navigationBar()->rightButton()->setText(QStringLiteral("Save"));
    stack->navigationBar()->viewDidLoad();
    QWidget* view = stack->view();
    stack->setParent(view);
    return view;
}
