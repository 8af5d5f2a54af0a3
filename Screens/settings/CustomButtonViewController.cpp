#include "Screens/settings/CustomButtonViewController.h"

#include "App/controls/KTSwitch.h"
#include "App/controls/Styling.h"
#include "Screens/settings/SettingsWidgets.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

CustomButtonViewController::CustomButtonViewController(QObject* parent)
    : ViewController(QStringLiteral("CustomButtonView"), parent) {}

QWidget* CustomButtonViewController::buildView() {
    auto* view = new QWidget;
    view->resize(420, 580);
    Styling::fillBackground(view, Qt::white);
    m_scrollView = new QScrollArea(view);
    m_scrollView->setObjectName(QStringLiteral("scrollView"));
    m_scrollView->setFrameShape(QFrame::NoFrame);
    m_scrollView->setWidgetResizable(true);
    m_scrollView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SettingsWidgets::showScrollHandle(m_scrollView->verticalScrollBar());
    auto* document = new QWidget;
    QVBoxLayout* layout = SettingsWidgets::pageLayout(document);
    std::vector<QWidget*> tabChain;
    std::vector<QFormLayout*> forms;
    for (size_t index = 0; index < keyCount; ++index) {
        KeyControls& controls = m_keys[index];
        const QString number = QString::number(index + 1);
        controls.enabledSwitch = SettingsWidgets::onOffSwitch(QStringLiteral("custom%1Switch").arg(number));
        controls.labelField = SettingsWidgets::textField(QStringLiteral("custom%1LabelField").arg(number));
        controls.pressField = SettingsWidgets::textField(QStringLiteral("custom%1PressField").arg(number));
        controls.releaseField =
            SettingsWidgets::textField(QStringLiteral("custom%1ReleaseField").arg(number));

        auto* title = new QHBoxLayout;
        title->addWidget(SettingsWidgets::heading(QStringLiteral("Custom %1").arg(number)));
        title->addStretch(1);
        title->addWidget(controls.enabledSwitch);
        layout->addLayout(title);
        QFormLayout* form = SettingsWidgets::addForm(layout);
        forms.push_back(form);
        form->addRow(SettingsWidgets::caption(QStringLiteral("Label")), controls.labelField);
        form->addRow(SettingsWidgets::caption(QStringLiteral("Press Command")), controls.pressField);
        form->addRow(SettingsWidgets::caption(QStringLiteral("Release Command")), controls.releaseField);
        if (index + 1 < keyCount) {
            layout->addSpacing(8);
        }
        tabChain.insert(tabChain.end(), {controls.enabledSwitch, controls.labelField, controls.pressField,
                                         controls.releaseField});
        connect(controls.enabledSwitch, &KTSwitch::clicked, this,
                [this, index] { customSwitchClicked(index); });
    }
    layout->addStretch(1);
    SettingsWidgets::alignCaptions(forms);
    m_scrollView->setWidget(document);
    auto* pageLayout = new QVBoxLayout(view);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(m_scrollView);
    SettingsWidgets::setTabChain(tabChain);
    return view;
}

void CustomButtonViewController::viewDidLoad() {
    setTitle(QStringLiteral("Custom Buttons"));
    m_scrollView->verticalScrollBar()->setValue(0);
}

bool CustomButtonViewController::profileHasKey(size_t index) const {
    return index < m_connection->customKeys().size() && m_connection->customKeys()[index] != nullptr;
}

// A profile may carry fewer than five keys (one stored with fewer rows): the groups it lacks
// show off, empty and locked, and are never written back.
void CustomButtonViewController::viewWillAppear(bool) {
    SettingsWidgets::showBackButtonOnly(this);
    for (size_t index = 0; index < keyCount; ++index) {
        const KeyControls& controls = m_keys[index];
        const bool present = profileHasKey(index);
        const CustomKey empty;
        const CustomKey& key = present ? *m_connection->customKeys()[index] : empty;
        controls.enabledSwitch->setState(key.enabled() ? KTSwitch::On : KTSwitch::Off);
        controls.enabledSwitch->setEnabled(present);
        customSwitchClicked(index);
        controls.labelField->setText(QString::fromStdString(key.label()));
        controls.pressField->setText(QString::fromStdString(key.pressCommand()));
        controls.releaseField->setText(QString::fromStdString(key.releaseCommand()));
    }
}

void CustomButtonViewController::customSwitchClicked(size_t index) {
    const KeyControls& controls = m_keys[index];
    const bool on = controls.enabledSwitch->state() == KTSwitch::On;
    controls.labelField->setEnabled(on);
    controls.pressField->setEnabled(on);
    controls.releaseField->setEnabled(on);
}

void CustomButtonViewController::leftButtonOfNavigationBarClicked(QAbstractButton*) {
    for (size_t index = 0; index < keyCount; ++index) {
        if (profileHasKey(index)) {
            m_connection->customKeys()[index]->setEnabled(m_keys[index].enabledSwitch->state() ==
                                                          KTSwitch::On);
        }
    }
    for (size_t index = 0; index < keyCount; ++index) {
        if (profileHasKey(index)) {
            CustomKey& key = *m_connection->customKeys()[index];
            key.setLabel(m_keys[index].labelField->text().toStdString());
            key.setPressCommand(m_keys[index].pressField->text().toStdString());
            key.setReleaseCommand(m_keys[index].releaseField->text().toStdString());
        }
    }
    SettingsWidgets::popPage(this);
}
