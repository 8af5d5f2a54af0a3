#include "Screens/directory/FavoritesViewController.h"

#include "Screens/PlaceholderView.h"

#include <QWidget>

FavoritesViewController::FavoritesViewController(QObject* parent)
    : ViewController(QStringLiteral("FavoritesView"), parent) {
    setTitle(QStringLiteral("Favorites"));
}

QWidget* FavoritesViewController::buildView() {
    return makePlaceholderView(title());
}
