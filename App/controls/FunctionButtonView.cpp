#include "App/controls/FunctionButtonView.h"

#include <QLabel>
#include <QVBoxLayout>

FunctionButtonView::FunctionButtonView(QWidget* parent)
    : QWidget(parent), m_imageView(new QLabel(this)), m_titleField(new QLabel(this)) {
    setObjectName(QStringLiteral("FunctionButtonView"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_imageView->setObjectName(QStringLiteral("imageView"));
    m_imageView->setAlignment(Qt::AlignCenter);
    m_titleField->setObjectName(QStringLiteral("titleField"));
    m_titleField->setTextFormat(Qt::PlainText);
    m_titleField->setAlignment(Qt::AlignCenter);
    QFont font = m_titleField->font();
    font.setPixelSize(11);
    m_titleField->setFont(font);
    auto* layout = new QVBoxLayout(this);
    // Titles such as "CONFERENCE" need the button's whole width.
    layout->setContentsMargins(0, 4, 0, 4);
    layout->setSpacing(2);
    layout->addWidget(m_imageView, 1);
    layout->addWidget(m_titleField);
}

QPixmap FunctionButtonView::image() const {
    return m_imageView->pixmap();
}

void FunctionButtonView::setImage(const QPixmap& image) {
    m_imageView->setPixmap(image);
}

QString FunctionButtonView::title() const {
    return m_titleField->text();
}

void FunctionButtonView::setTitle(const QString& title) {
    m_titleField->setText(title.isNull() ? QStringLiteral("") : title);
}
