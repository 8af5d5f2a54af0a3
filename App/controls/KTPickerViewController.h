#pragma once

#include "App/ViewController.h"
#include "App/WeakDelegate.h"
#include "App/controls/KTTableView.h"

#include <QPointer>
#include <QStringList>

class KTPickerViewController;
class QLabel;
class QPushButton;
class QStringListModel;

// The owner of a picker hears its two buttons; it hides the picker and acts on the choice.
class KTPickerViewDelegate {
public:
    virtual ~KTPickerViewDelegate() = default;
    virtual void leftButtonOfPickerViewClicked(KTPickerViewController* picker) = 0;
    virtual void rightButtonOfPickerViewClicked(KTPickerViewController* picker) = 0;
};

// The one-of-many chooser the screens lay over themselves: a dimmed layer over the whole screen
// (it swallows clicks) with a white panel of a bar (left button, title, right button) and a list
// of text items. It only keeps the choice. The owner lays its view over its navigation view and
// then calls viewWillAppearInWindow(), which brings the buttons, title and selected row up to date.
class KTPickerViewController final : public ViewController, public KTTableDelegate {
    Q_OBJECT

public:
    static constexpr int rowHeight = 25;

    explicit KTPickerViewController(QObject* parent = nullptr);

    // Not owned; a delegate that is destroyed is forgotten.
    void setDelegate(KTPickerViewDelegate* delegate) { m_delegate.reset(delegate); }
    KTPickerViewDelegate* delegate() const { return m_delegate.get(); }

    QString leftTitle() const { return m_leftTitle; }
    void setLeftTitle(const QString& title) { m_leftTitle = title; }
    QString rightTitle() const { return m_rightTitle; }
    void setRightTitle(const QString& title) { m_rightTitle = title; }
    // The bar title (the name is spelled this way).
    QString barTitlte() const { return m_barTitlte; }
    void setBarTitlte(const QString& title) { m_barTitlte = title; }

    QStringList items() const { return m_items; }
    // Keeps selectedIndex as it was.
    void setItems(const QStringList& items);
    int selectedIndex() const { return m_selectedIndex; }
    // Stores the index and selects that row alone; an index outside the items selects nothing.
    void setSelectedIndex(int index);
    // Null until the user clicks a row or the owner sets it.
    QString selectedItem() const { return m_selectedItem; }
    // Stores the text and selects the first equal item; without one the index stays.
    void setSelectedItem(const QString& item);

    QWidget* pickerView() const { return m_pickerView; }
    QWidget* controlBar() const { return m_controlBar; }
    QPushButton* leftButton() const { return m_leftButton; }
    QPushButton* rightButton() const { return m_rightButton; }
    QLabel* barTitleField() const { return m_barTitleField; }
    KTTableView* tableView() const { return m_tableView; }

    void viewDidLoad() override;
    void viewWillAppearInWindow() override;
    void didClickedRow(KTTableView* tableView, int row) override;

    void leftButtonClicked();
    void rightButtonClicked();

protected:
    QWidget* buildView() override;

private:
    void selectRow(int row);

    WeakDelegate<KTPickerViewDelegate> m_delegate;
    QString m_leftTitle;
    QString m_rightTitle;
    QString m_barTitlte;
    QStringList m_items;
    int m_selectedIndex = 0;
    QString m_selectedItem;

    QWidget* m_pickerView = nullptr;
    QWidget* m_controlBar = nullptr;
    QPushButton* m_leftButton = nullptr;
    QPushButton* m_rightButton = nullptr;
    QLabel* m_barTitleField = nullptr;
    KTTableView* m_tableView = nullptr;
    QStringListModel* m_model = nullptr;
};
