#pragma once

#include "App/ViewController.h"
#include "App/WeakDelegate.h"

#include <QString>

#include <array>

class QPushButton;

// Told of each click on a key of the index bar.
class IndexBarDelegate {
public:
    virtual ~IndexBarDelegate() = default;
    virtual void indexButtonClicked(const QString& key) = 0;
};

// The column of 27 keys beside a contact list, in the order the list shows its sections:
// "A" ... "Z", "#", or reversed "#", "Z" ... "A". A click sends the key's title, whether or
// not the list has that section.
class IndexBarViewController final : public ViewController {
    Q_OBJECT

public:
    static constexpr int buttonCount = 27;
    static constexpr int barWidth = 22;

    explicit IndexBarViewController(QObject* parent = nullptr);

    // Not owned; a delegate that is destroyed is forgotten.
    void setDelegate(IndexBarDelegate* delegate) { m_delegate.reset(delegate); }
    IndexBarDelegate* delegate() const { return m_delegate.get(); }

    bool reversed() const { return m_reversed; }
    // Stores the order and writes all 27 titles, also when the order did not change.
    void setReversed(bool reversed);

    // Buttons in bar order, 0 first (the outlets button1 ... button27).
    QPushButton* button(int index) const;
    void buttonClicked(QPushButton* button);

    void viewDidLoad() override;

protected:
    QWidget* buildView() override;

private:
    void showLetters(bool reversed);

    WeakDelegate<IndexBarDelegate> m_delegate;
    bool m_reversed = false;
    std::array<QPushButton*, buttonCount> m_buttons{};
};
