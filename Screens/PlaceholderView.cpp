#include "Screens/PlaceholderView.h"

#include "App/controls/Styling.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

QWidget* makePlaceholderView(const QString& title) {
    auto* view = new QWidget;
    Styling::fillBackground(view, Qt::white);
    auto* label = new QLabel(title, view);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color: #B0B0B0; font-size: 18px;"));
    auto* layout = new QVBoxLayout(view);
    layout->addWidget(label);
    return view;
}
