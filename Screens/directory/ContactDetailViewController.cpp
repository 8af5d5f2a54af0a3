#include "Screens/directory/ContactDetailViewController.h"

#include "App/Alert.h"
#include "App/CallTexts.h"
#include "App/Images.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/controls/Colors.h"
#include "App/controls/Styling.h"
#include "Logic/bridge/ContactManager.h"
#include "Screens/directory/DirectoryLook.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

QLineEdit* field(QWidget* parent, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setFont(DirectoryLook::font(14));
    return edit;
}

} // namespace

ContactDetailViewController::ContactDetailViewController(QObject* parent)
    : ViewController(QStringLiteral("ContactDetailView"), parent) {}

QWidget* ContactDetailViewController::buildView() {
    auto* root = new QWidget;
    root->resize(420, 580);
    auto* rootLayout = new QVBoxLayout(root);
    rootLayout->setContentsMargins(0, 0, 0, 0);
    m_scrollView = new QScrollArea(root);
    m_scrollView->setObjectName(QStringLiteral("scrollView"));
    m_scrollView->setFrameShape(QFrame::NoFrame);
    m_scrollView->setWidgetResizable(true);
    m_scrollView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rootLayout->addWidget(m_scrollView);

    m_contentView = new QWidget;
    m_contentView->setObjectName(QStringLiteral("contentView"));
    auto* layout = new QVBoxLayout(m_contentView);
    layout->setContentsMargins(20, 10, 20, 20);
    layout->setSpacing(12);

    m_favoriteButton = DirectoryLook::imageButton(m_contentView, QStringLiteral("favoriteButton"),
                                                  QStringLiteral("Favorite"), QSize(26, 26));
    layout->addWidget(m_favoriteButton, 0, Qt::AlignRight);

    auto* names = new QGridLayout;
    names->setHorizontalSpacing(12);
    names->setVerticalSpacing(10);
    m_firstNameField = field(m_contentView, QStringLiteral("firstNameField"));
    m_middleInitialField = field(m_contentView, QStringLiteral("middleInitialField"));
    m_lastNameField = field(m_contentView, QStringLiteral("lastNameField"));
    m_companyField = field(m_contentView, QStringLiteral("companyField"));
    const std::pair<QString, QLineEdit*> rows[] = {{QStringLiteral("First Name *"), m_firstNameField},
                                                   {QStringLiteral("Middle Initial"), m_middleInitialField},
                                                   {QStringLiteral("Last Name *"), m_lastNameField},
                                                   {QStringLiteral("Company"), m_companyField}};
    int row = 0;
    for (const auto& [text, edit] : rows) {
        names->addWidget(DirectoryLook::caption(text, m_contentView), row, 0);
        names->addWidget(edit, row++, 1);
    }
    layout->addLayout(names);

    m_contactNumberStack = new QWidget(m_contentView);
    m_contactNumberStack->setObjectName(QStringLiteral("contactNumberStack"));
    m_contactNumberLayout = new QVBoxLayout(m_contactNumberStack);
    m_contactNumberLayout->setContentsMargins(0, 0, 0, 0);
    // Rows stand 141 apart: 140 of row and a one-point gap.
    m_contactNumberLayout->setSpacing(1);
    layout->addSpacing(4);
    layout->addWidget(m_contactNumberStack);

    m_addNumberButton = new QPushButton(QStringLiteral("Add Number"), m_contentView);
    m_addNumberButton->setObjectName(QStringLiteral("addNumberButton"));
    m_addNumberButton->setCursor(Qt::PointingHandCursor);
    m_addNumberButton->setFlat(true);
    layout->addWidget(m_addNumberButton, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    m_scrollView->setWidget(m_contentView);

    QWidget::setTabOrder(m_favoriteButton, m_firstNameField);
    QWidget::setTabOrder(m_firstNameField, m_middleInitialField);
    QWidget::setTabOrder(m_middleInitialField, m_lastNameField);
    QWidget::setTabOrder(m_lastNameField, m_companyField);
    QWidget::setTabOrder(m_companyField, m_addNumberButton);

    connect(m_favoriteButton, &QPushButton::clicked, this, [this] { favoriteButtonClicked(); });
    connect(m_addNumberButton, &QPushButton::clicked, this, [this] { addNumberButtonClicked(); });
    return root;
}

void ContactDetailViewController::viewDidLoad() {
    setTitle(QStringLiteral("Contact Detail"));
    Styling::fillBackground(view(), Qt::white);
    Styling::fillBackground(m_contentView, Qt::white);
    m_addNumberButton->setStyleSheet(
        QStringLiteral("QPushButton { border: none; background: transparent; color: %1; font-size: 13px; "
                       "text-align: center; padding: 4px 12px; }")
            .arg(Colors::colorWithHexCode(Colors::accent).name()));
}

QString ContactDetailViewController::nameOfType(int64_t type) {
    return phoneTypeToString(type);
}

int64_t ContactDetailViewController::typeWithName(const QString& name) {
    for (int type = 0; type < ContactNumberViewController::typeCount; ++type) {
        if (phoneTypeToString(type) == name) {
            return type;
        }
    }
    return 1;
}

void ContactDetailViewController::viewWillAppear(bool /*animated*/) {
    view();
    if (m_contact == nullptr) {
        setTitle(QStringLiteral("New Contact"));
    }
    if (KTNavigationController* stack = navigationController()) {
        KTNavigationBarController* bar = stack->navigationBar();
        bar->leftButton()->show();
        bar->leftButton()->setText(QStringLiteral("Cancel"));
        bar->rightButton()->show();
        bar->rightButton()->setText(QStringLiteral("Save"));
        bar->rightButton()->setIcon(QIcon());
        bar->optionalButton()->hide();
        bar->leftButton()->setEnabled(true);
        bar->rightButton()->setEnabled(true);
        bar->viewDidLoad();
    }

    m_newContact = m_contact == nullptr;
    if (m_newContact) {
        m_contact = std::make_shared<Contact>();
    }
    showFavorite(m_contact->isFavorite());
    m_firstNameField->setText(QString::fromStdString(m_contact->firstName()));
    m_middleInitialField->setText(QString::fromStdString(m_contact->middleInitial()));
    m_lastNameField->setText(QString::fromStdString(m_contact->lastName()));
    m_companyField->setText(QString::fromStdString(m_contact->company()));

    for (ContactNumberViewController* row : m_contactNumberControllers) {
        row->view()->hide();
        row->deleteLater();
    }
    m_contactNumberControllers.clear();
    for (const ContactNumberPtr& number : m_contact->numbers()) {
        ContactNumberViewController* row = addNumberView();
        row->numberField()->setText(number != nullptr ? QString::fromStdString(number->number()) : QString());
        row->setType(number != nullptr ? number->type() : 0);
        row->setSpeedDial(number != nullptr ? number->speedDial() : -1);
        row->setIsDefaultNumber(number != nullptr && number->isDefaultNumber());
    }
    rebuildFocusChain();
}

void ContactDetailViewController::showFavorite(bool favorite) {
    m_isFavorite = favorite;
    m_favoriteButton->setIcon(QIcon(Images::named(
        favorite ? QStringLiteral("btn_favorite_on") : QStringLiteral("btn_favorite_off"), QSize(26, 26))));
}

void ContactDetailViewController::favoriteButtonClicked() {
    showFavorite(!m_isFavorite);
}

ContactNumberViewController* ContactDetailViewController::addNumberView() {
    auto* row = new ContactNumberViewController(this);
    row->setDelegate(this);
    m_contactNumberLayout->addWidget(row->view());
    row->view()->show();
    m_contactNumberControllers.push_back(row);
    return row;
}

void ContactDetailViewController::addNumberButtonClicked() {
    m_contact->numbers().push_back(std::make_shared<ContactNumber>());
    ContactNumberViewController* row = addNumberView();
    rebuildFocusChain();
    m_contentView->adjustSize();
    m_scrollView->ensureWidgetVisible(row->view(), 0, 0);
    row->numberField()->setFocus();
}

void ContactDetailViewController::deleteContactNumber(ContactNumberViewController* row) {
    const auto found = std::find(m_contactNumberControllers.begin(), m_contactNumberControllers.end(), row);
    if (found == m_contactNumberControllers.end()) {
        return;
    }
    const auto index = static_cast<size_t>(found - m_contactNumberControllers.begin());
    std::vector<ContactNumberPtr>& numbers = m_contact->numbers();
    if (index < numbers.size()) {
        numbers.erase(numbers.begin() + static_cast<std::ptrdiff_t>(index));
    }
    const bool wasDefault = row->isDefaultNumber();
    m_contactNumberLayout->removeWidget(row->view());
    row->view()->hide();
    // The row's own button is being handled: the row goes once that has returned.
    row->deleteLater();
    m_contactNumberControllers.erase(found);
    if (!m_contactNumberControllers.empty() && wasDefault) {
        m_contactNumberControllers.front()->setIsDefaultNumber(true);
        if (!numbers.empty() && numbers.front() != nullptr) {
            numbers.front()->setDefaultNumber(true);
        }
    }
    rebuildFocusChain();
}

void ContactDetailViewController::setContactNumberAsDefault(ContactNumberViewController* row) {
    for (ContactNumberViewController* other : m_contactNumberControllers) {
        if (other != row) {
            other->setIsDefaultNumber(false);
        }
    }
}

void ContactDetailViewController::rebuildFocusChain() {
    QWidget* previous = m_companyField;
    for (ContactNumberViewController* row : m_contactNumberControllers) {
        QWidget::setTabOrder(previous, row->firstFocusWidget());
        previous = row->lastFocusWidget();
    }
    QWidget::setTabOrder(previous, m_addNumberButton);
}

bool ContactDetailViewController::isFormValid() const {
    if (m_firstNameField->text().isEmpty() || m_lastNameField->text().isEmpty()) {
        return false;
    }
    return std::none_of(
        m_contactNumberControllers.begin(), m_contactNumberControllers.end(),
        [](const ContactNumberViewController* row) { return row->numberField()->text().isEmpty(); });
}

void ContactDetailViewController::takeFormIntoContact() {
    m_contact->setFavorite(m_isFavorite);
    m_contact->setFirstName(m_firstNameField->text().toStdString());
    m_contact->setMiddleInitial(m_middleInitialField->text().toStdString());
    m_contact->setLastName(m_lastNameField->text().toStdString());
    m_contact->setCompany(m_companyField->text().toStdString());
    std::vector<ContactNumberPtr>& numbers = m_contact->numbers();
    for (size_t index = 0; index < numbers.size() && index < m_contactNumberControllers.size(); ++index) {
        const ContactNumberViewController* row = m_contactNumberControllers[index];
        ContactNumberPtr& number = numbers[index];
        if (number == nullptr) {
            number = std::make_shared<ContactNumber>();
        }
        number->setNumber(row->numberField()->text().toStdString());
        // A stored type the pop-up has no item for stays as it was.
        if (row->selectedType() >= 0) {
            number->setType(typeWithName(row->typeButton()->currentText()));
        }
        number->setSpeedDial(row->selectedSpeedDial());
        number->setDefaultNumber(row->isDefaultNumber());
    }
}

void ContactDetailViewController::rightButtonOfNavigationBarClicked(QAbstractButton* /*button*/) {
    if (!isFormValid()) {
        Alert::show(view(), QString(), QStringLiteral("Required fields * must be filled"),
                    {QStringLiteral("OK")});
        return;
    }
    takeFormIntoContact();
    const bool saved =
        m_newContact ? ContactManager::addContact(*m_contact) : ContactManager::updateContact(*m_contact);
    if (!saved) {
        // The form stays as typed, so the user can try again or cancel knowingly.
        Alert::show(view(), QString(), QStringLiteral("Failed to save contact"), {QStringLiteral("OK")});
        return;
    }
    close();
}

void ContactDetailViewController::leftButtonOfNavigationBarClicked(QAbstractButton* /*button*/) {
    close();
}

void ContactDetailViewController::close() {
    if (KTNavigationController* stack = navigationController()) {
        stack->popViewControllerAnimated(true);
    }
    // A page is made for each opening; this one goes once the click that closed it is handled.
    deleteLater();
}
