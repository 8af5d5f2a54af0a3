#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"

#include "App/WeakDelegate.h"

class QAbstractButton;
class QLabel;
class QPushButton;

// The bar on top of a navigation stack: a left, a middle (optional) and a right button around a
// title. It turns the three clicks into calls on its delegate, the page on top. Pages change the
// buttons through the outlets, then call viewDidLoad() again to have the titles restyled.
class KTNavigationBarController final : public ViewController {
    Q_OBJECT

public:
    static constexpr int barHeight = 44;

    explicit KTNavigationBarController(QObject* parent = nullptr);

    QPushButton* leftButton() const { return m_leftButton; }
    QPushButton* rightButton() const { return m_rightButton; }
    QPushButton* optionalButton() const { return m_optionalButton; }
    QLabel* barTitle() const { return m_barTitle; }
    QWidget* bottomLineView() const { return m_bottomLineView; }

    // Not owned; a delegate that is destroyed is forgotten.
    KTNavigationBarDelegate* delegate() const { return m_delegate.get(); }
    void setDelegate(KTNavigationBarDelegate* delegate) { m_delegate.reset(delegate); }

    void viewDidLoad() override;
    // Spreads the buttons and the title over a bar of this width.
    void layoutForWidth(int width);

    void leftButtonOfNavigationBarClicked(QAbstractButton* button);
    void rightButtonOfNavigationBarClicked(QAbstractButton* button);
    void middleButtonOfNavigationBarClicked(QAbstractButton* button);

protected:
    QWidget* buildView() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The middle button goes just left of the right button's title and the title keeps clear
    // of what the buttons show, so neither button is drawn over the title.
    void fitTitleBetweenButtons();

    QPushButton* m_leftButton = nullptr;
    QPushButton* m_rightButton = nullptr;
    QPushButton* m_optionalButton = nullptr;
    QLabel* m_barTitle = nullptr;
    QWidget* m_bottomLineView = nullptr;
    // The bar's own view, watched for relayouts; compared only, never followed.
    const QObject* m_barView = nullptr;
    WeakDelegate<KTNavigationBarDelegate> m_delegate;
};
