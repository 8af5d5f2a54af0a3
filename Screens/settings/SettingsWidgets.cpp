#include "Screens/settings/SettingsWidgets.h"

#include "App/Alert.h"
#include "App/FileDialog.h"
#include "App/Images.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/controls/Colors.h"
#include "App/controls/KTSegmentedControl.h"
#include "App/controls/KTSwitch.h"
#include "App/controls/KTTableView.h"
#include "App/controls/Styling.h"
#include "Screens/settings/RowViewTable.h"
#include "Screens/settings/SettingsCellView.h"

#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace SettingsWidgets {

namespace {

constexpr int minimumFieldWidth = 120;

FileDialog::Completion onFileChosen(QWidget* parent, std::function<void(const std::string& path)> chosen) {
    return [parent, chosen = std::move(chosen)](const FileDialog::Result& result) {
        if (!result.accepted) {
            return;
        }
        if (result.path.isEmpty()) {
            showResult(parent, QStringLiteral("No file selected"));
            return;
        }
        chosen(QFile::encodeName(result.path).toStdString());
    };
}
const QString captionStyle = QStringLiteral("color: #333333; font-size: 13px;");

QLabel* boldTitle(const QString& text, int pixelSize) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setStyleSheet(
        QStringLiteral("color: #000000; font-size: %1px; font-weight: bold;").arg(pixelSize));
    return label;
}

} // namespace

QVBoxLayout* pageLayout(QWidget* page) {
    Styling::fillBackground(page, Qt::white);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(pageMargin, pageMargin, pageMargin, pageMargin);
    layout->setSpacing(14);
    return layout;
}

RowViewTable* listPage(QWidget* view) {
    Styling::fillBackground(view, Qt::white);
    auto* table = new KTTableView(view);
    table->setObjectName(QStringLiteral("tableView"));
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table);
    return new RowViewTable(table);
}

std::vector<SettingsCellView*> menuCells(KTTableView* table, const QStringList& names) {
    std::vector<SettingsCellView*> cells;
    for (const QString& name : names) {
        auto* cell = new SettingsCellView(table->viewport());
        cell->settingsNameField()->setText(name);
        cells.push_back(cell);
    }
    return cells;
}

void pushPageOfRow(ViewController* menu, const std::vector<ViewController*>& pages, int row) {
    if (row < 0 || row >= static_cast<int>(pages.size()) || menu->navigationController() == nullptr) {
        return;
    }
    menu->navigationController()->pushViewController(pages[static_cast<size_t>(row)], true);
}

QFormLayout* addForm(QVBoxLayout* layout) {
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(10);
    layout->addLayout(form);
    return form;
}

void alignCaptions(const std::vector<QFormLayout*>& forms) {
    std::vector<QWidget*> captions;
    int width = 0;
    for (QFormLayout* form : forms) {
        for (int row = 0; row < form->rowCount(); ++row) {
            QLayoutItem* item = form->itemAt(row, QFormLayout::LabelRole);
            if (item != nullptr && item->widget() != nullptr) {
                captions.push_back(item->widget());
                width = std::max(width, item->widget()->sizeHint().width());
            }
        }
    }
    for (QWidget* caption : captions) {
        caption->setMinimumWidth(width);
    }
}

QLabel* heading(const QString& text) {
    return boldTitle(text, 14);
}

QLabel* subheading(const QString& text) {
    return boldTitle(text, 13);
}

QLabel* caption(const QString& text) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setStyleSheet(captionStyle);
    label->setMinimumHeight(fieldHeight);
    return label;
}

QLineEdit* textField(const QString& objectName, bool secure) {
    auto* field = new QLineEdit;
    field->setObjectName(objectName);
    field->setFixedHeight(fieldHeight);
    field->setMinimumWidth(minimumFieldWidth);
    if (secure) {
        field->setEchoMode(QLineEdit::Password);
    }
    return field;
}

KTSwitch* onOffSwitch(const QString& objectName) {
    auto* control = new KTSwitch;
    control->setObjectName(objectName);
    control->setFixedSize(KTSwitch::switchWidth, KTSwitch::switchHeight);
    return control;
}

QComboBox* popUp(const QString& objectName) {
    auto* button = new QComboBox;
    button->setObjectName(objectName);
    button->setFixedHeight(fieldHeight);
    button->setMinimumWidth(minimumFieldWidth);
    return button;
}

KTSegmentedControl* segments(const QStringList& labels, const QString& objectName) {
    auto* control = new KTSegmentedControl;
    control->setObjectName(objectName);
    control->setLabels(labels);
    control->setFixedHeight(fieldHeight);
    control->setMinimumWidth(minimumFieldWidth);
    return control;
}

QRadioButton* radio(const QString& title, const QString& objectName) {
    auto* button = new QRadioButton(title);
    button->setObjectName(objectName);
    button->setAutoExclusive(false);
    button->setStyleSheet(captionStyle);
    button->setMinimumHeight(fieldHeight);
    return button;
}

QPushButton* csvButton(const QString& title, const QString& objectName) {
    auto* button = new QPushButton(title);
    button->setObjectName(objectName);
    // The accent fill leaves a white edge where the focus frame, in the same colour, shows.
    button->setFixedSize(150 + 2 * csvButtonInset, 32 + 2 * csvButtonInset);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(
        QStringLiteral("QPushButton { border: none; border-radius: 4px; background: %1; "
                       "margin: %3px; color: #FFFFFF; font-size: 11px; text-align: center; }"
                       "QPushButton:pressed { background: %2; }")
            .arg(Colors::colorWithHexCode(Colors::accent).name(),
                 Colors::colorWithHexCode(Colors::accent).darker(115).name())
            .arg(csvButtonInset));
    return button;
}

void showScrollHandle(QScrollBar* bar) {
    bar->setStyleSheet(QStringLiteral("QScrollBar:vertical { background: %1; width: 10px; margin: 0px; }"
                                      "QScrollBar::handle:vertical { background: %2; border-radius: 4px; "
                                      "min-height: 32px; margin: 1px; }"
                                      "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { "
                                      "height: 0px; }"
                                      "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { "
                                      "background: none; }")
                           .arg(Colors::colorWithHexCode(Colors::functionButton).name(),
                                Colors::colorWithHexCode(Colors::inactiveGrey).name()));
}

void showBackButton(KTNavigationBarController* bar) {
    QPushButton* back = bar->leftButton();
    const QPixmap arrow = Images::named(QStringLiteral("btn_navigate_backward"));
    back->setIcon(QIcon(arrow));
    back->setIconSize(arrow.deviceIndependentSize().toSize());
    back->setText(QString());
    back->setAccessibleName(QStringLiteral("Back"));
    back->show();
}

void showBackButtonOnly(ViewController* page) {
    KTNavigationController* stack = page->navigationController();
    if (stack == nullptr) {
        return;
    }
    KTNavigationBarController* bar = stack->navigationBar();
    showBackButton(bar);
    bar->rightButton()->hide();
    bar->optionalButton()->hide();
    bar->viewDidLoad();
}

void popPage(ViewController* page) {
    if (KTNavigationController* stack = page->navigationController()) {
        stack->popViewControllerAnimated(true);
    }
}

void popPageAfterWarning(ViewController* page, const QString& warning) {
    if (warning.isEmpty()) {
        popPage(page);
        return;
    }
    Alert::showWarning(page->view(), warning, [page](int) { popPage(page); });
}

void setTabChain(const std::vector<QWidget*>& widgets) {
    for (size_t index = 1; index < widgets.size(); ++index) {
        QWidget::setTabOrder(widgets[index - 1], widgets[index]);
    }
}

void openCsvFile(QWidget* parent, std::function<void(const std::string& path)> chosen) {
    FileDialog::openCsv(parent, onFileChosen(parent, std::move(chosen)));
}

void saveCsvFile(QWidget* parent, std::function<void(const std::string& path)> chosen) {
    FileDialog::saveCsv(parent, onFileChosen(parent, std::move(chosen)));
}

void showImportResult(QWidget* parent, size_t failed, size_t total, const QString& success,
                      const QString& withErrors, const QString& withProblems,
                      const std::vector<std::string>& problems) {
    if (failed != 0)
        showResult(parent, withErrors.arg(failed).arg(total), problems);
    else
        showResult(parent, problems.empty() ? success : withProblems, problems);
}

void showResult(QWidget* parent, const QString& text, const std::vector<std::string>& problems) {
    QStringList lines;
    for (const std::string& problem : problems) {
        lines.append(QString::fromStdString(problem));
    }
    Alert::show(parent, QString(), text, {}, {}, lines.join(QLatin1Char('\n')));
}

} // namespace SettingsWidgets
