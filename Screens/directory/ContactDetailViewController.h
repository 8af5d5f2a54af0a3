#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"
#include "Logic/bridge/Contact.h"
#include "Screens/directory/ContactNumberViewController.h"

#include <vector>

class QLineEdit;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

// The contact editor: names, company, a favorite star and one row per number. "Save" checks
// the form and stores the contact with its numbers; a store that fails says so and keeps the
// form as typed. "Cancel" leaves without storing.
class ContactDetailViewController final : public ViewController,
                                          public KTNavigationBarDelegate,
                                          public ContactNumberViewDelegate {
    Q_OBJECT

public:
    explicit ContactDetailViewController(QObject* parent = nullptr);

    // The contact to edit; null for a new one (set before the page is shown).
    const ContactPtr& contact() const { return m_contact; }
    void setContact(const ContactPtr& contact) { m_contact = contact; }
    bool newContact() const { return m_newContact; }
    bool isFavorite() const { return m_isFavorite; }

    QPushButton* favoriteButton() const { return m_favoriteButton; }
    QLineEdit* firstNameField() const { return m_firstNameField; }
    QLineEdit* middleInitialField() const { return m_middleInitialField; }
    QLineEdit* lastNameField() const { return m_lastNameField; }
    QLineEdit* companyField() const { return m_companyField; }
    QWidget* contactNumberStack() const { return m_contactNumberStack; }
    QPushButton* addNumberButton() const { return m_addNumberButton; }
    QScrollArea* scrollView() const { return m_scrollView; }
    const std::vector<ContactNumberViewController*>& contactNumberControllers() const {
        return m_contactNumberControllers;
    }

    // The title of a number type, "" for any other value; and back, 1 for an unknown title.
    static QString nameOfType(int64_t type);
    static int64_t typeWithName(const QString& name);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void leftButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void rightButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void favoriteButtonClicked();
    void addNumberButtonClicked();
    void deleteContactNumber(ContactNumberViewController* row) override;
    void setContactNumberAsDefault(ContactNumberViewController* row) override;

protected:
    QWidget* buildView() override;

private:
    bool isFormValid() const;
    // Form to contact: names, star and each row into the number of the same index.
    void takeFormIntoContact();
    ContactNumberViewController* addNumberView();
    void showFavorite(bool favorite);
    void rebuildFocusChain();
    void close();

    ContactPtr m_contact;
    bool m_newContact = false;
    bool m_isFavorite = false;
    std::vector<ContactNumberViewController*> m_contactNumberControllers;

    QScrollArea* m_scrollView = nullptr;
    QWidget* m_contentView = nullptr;
    QPushButton* m_favoriteButton = nullptr;
    QLineEdit* m_firstNameField = nullptr;
    QLineEdit* m_middleInitialField = nullptr;
    QLineEdit* m_lastNameField = nullptr;
    QLineEdit* m_companyField = nullptr;
    QWidget* m_contactNumberStack = nullptr;
    QVBoxLayout* m_contactNumberLayout = nullptr;
    QPushButton* m_addNumberButton = nullptr;
};
