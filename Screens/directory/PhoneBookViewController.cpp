#include "Screens/directory/PhoneBookViewController.h"

#include "Screens/PlaceholderView.h"

#include <QWidget>

PhoneBookViewController::PhoneBookViewController(QObject* parent)
    : ViewController(QStringLiteral("PhoneBookView"), parent) {
    setTitle(QStringLiteral("Phone Book"));
}

QWidget* PhoneBookViewController::buildView() {
    return makePlaceholderView(title());
}
