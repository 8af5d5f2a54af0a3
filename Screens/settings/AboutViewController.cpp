#include "Screens/settings/AboutViewController.h"

#include "App/Images.h"
#include "App/controls/Colors.h"
#include "Screens/settings/SettingsWidgets.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutViewController::AboutViewController(QObject* parent)
    : ViewController(QStringLiteral("AboutView"), parent) {}

QWidget* AboutViewController::buildView() {
    auto* view = new QWidget;
    view->resize(420, 580);
    QVBoxLayout* layout = SettingsWidgets::pageLayout(view);
    layout->setContentsMargins(SettingsWidgets::pageMargin, 60, SettingsWidgets::pageMargin,
                               SettingsWidgets::pageMargin);

    auto* icon = new QLabel;
    icon->setPixmap(Images::named(QStringLiteral("app_icon"), QSize(96, 96)));
    icon->setAlignment(Qt::AlignCenter);
    auto* name = new QLabel(QStringLiteral("Tessmark Dialer"));
    name->setTextFormat(Qt::PlainText);
    name->setAlignment(Qt::AlignCenter);
    name->setStyleSheet(QStringLiteral("color: #000000; font-size: 18px; font-weight: bold;"));
    auto* versionCaption = new QLabel(QStringLiteral("Version"));
    versionCaption->setTextFormat(Qt::PlainText);
    versionCaption->setAlignment(Qt::AlignCenter);
    versionCaption->setStyleSheet(QStringLiteral("color: %1; font-size: 12px;")
                                      .arg(Colors::colorWithHexCode(Colors::inactiveGrey).name()));
    m_versionField = new QLabel;
    m_versionField->setObjectName(QStringLiteral("versionField"));
    m_versionField->setTextFormat(Qt::PlainText);
    m_versionField->setAlignment(Qt::AlignCenter);
    m_versionField->setStyleSheet(QStringLiteral("color: #333333; font-size: 14px;"));

    layout->addWidget(icon);
    layout->addWidget(name);
    layout->addSpacing(10);
    layout->addWidget(versionCaption);
    layout->addWidget(m_versionField);
    layout->addStretch(1);
    return view;
}

void AboutViewController::viewDidLoad() {
    setTitle(QStringLiteral("About"));
    m_versionField->setText(QCoreApplication::applicationVersion());
}

void AboutViewController::viewWillAppear(bool) {
    SettingsWidgets::showBackButtonOnly(this);
}

void AboutViewController::leftButtonOfNavigationBarClicked(QAbstractButton*) {
    SettingsWidgets::popPage(this);
}
