#include "Screens/calling/CallingLook.h"

#include "App/CallTexts.h"
#include "App/Images.h"
#include "App/controls/Colors.h"
#include "App/controls/ElidingLabel.h"
#include "App/controls/FunctionButtonView.h"
#include "App/controls/Styling.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace CallingLook {

namespace {

QString hex(uint32_t colour) {
    return Colors::colorWithHexCode(colour).name();
}

// The function buttons' images are drawn at this size, whatever the drawing's own.
constexpr QSize functionImageSize(26, 26);

} // namespace

void setButtonFace(QPushButton* button, uint32_t background, bool highlighted) {
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; border: none; "
                                         "font-size: 12px; padding: 0px 2px; }")
                              .arg(hex(background), hex(highlighted ? Colors::accent : 0x000000)));
}

void setLayerColour(QWidget* view, uint32_t colour) {
    Styling::fillBackground(view, Colors::colorWithHexCode(colour));
}

namespace {

template <typename Field>
Field* styledTextField(Field* field, const QString& objectName, int pixelSize, bool bold, uint32_t colour) {
    field->setObjectName(objectName);
    field->setTextFormat(Qt::PlainText);
    QFont font = field->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    field->setFont(font);
    field->setStyleSheet(QStringLiteral("color: %1;").arg(hex(colour)));
    return field;
}

} // namespace

QLabel* makeTextField(QWidget* parent, const QString& objectName, int pixelSize, bool bold, uint32_t colour) {
    return styledTextField(new QLabel(parent), objectName, pixelSize, bold, colour);
}

ElidingLabel* makeElidingField(QWidget* parent, const QString& objectName, int pixelSize, bool bold,
                               uint32_t colour, Qt::TextElideMode elideMode) {
    return styledTextField(new ElidingLabel(parent, elideMode), objectName, pixelSize, bold, colour);
}

void queueTimeText(QLabel* field, LinePartyPtr party, int64_t (LineParty::*counter)() const) {
    if (party == nullptr) {
        return;
    }
    QMetaObject::invokeMethod(
        field,
        [field, party = std::move(party), counter] {
            field->setText(durationToString(((*party).*counter)()));
        },
        Qt::QueuedConnection);
}

void chainTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

QPushButton* makeFunctionButton(QWidget* parent, const QString& objectName) {
    auto* button = new QPushButton(parent);
    button->setObjectName(objectName);
    button->setFlat(true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setCursor(Qt::PointingHandCursor);
    // The bar shares its room out evenly; the face inside decides nothing.
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    auto* layout = new QVBoxLayout(button);
    layout->setContentsMargins(0, 0, 0, 0);
    return button;
}

FunctionButtonView* loadFunctionButtonViewWithImage(const QString& image, const QString& title) {
    auto* view = new FunctionButtonView;
    // Six buttons share the bar: the longest title ("CONFERENCE") must fit a sixth of it.
    QFont titleFont = view->titleField()->font();
    titleFont.setPixelSize(10);
    titleFont.setLetterSpacing(QFont::AbsoluteSpacing, -0.2);
    view->titleField()->setFont(titleFont);
    setFunctionButtonImage(view, image);
    view->setTitle(title);
    return view;
}

void setFunctionButtonImage(FunctionButtonView* view, const QString& image) {
    view->setImage(Images::named(image, functionImageSize));
}

void installFunctionButtonView(QPushButton* button, FunctionButtonView* view) {
    button->layout()->addWidget(view);
    button->setAccessibleName(view->title());
}

void setFunctionButtonTitle(QPushButton* button, FunctionButtonView* view, const QString& title) {
    view->setTitle(title);
    button->setAccessibleName(title);
}

void setFunctionButtonState(QPushButton* button, bool enabled, uint32_t colour) {
    button->setEnabled(enabled);
    button->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: none; }").arg(hex(colour)));
}

} // namespace CallingLook
