#pragma once

#include "Logic/bridge/LineParty.h"

#include <QString>

#include <cstdint>
#include <initializer_list>

class ElidingLabel;
class FunctionButtonView;
class QLabel;
class QPushButton;
class QWidget;

// The look the calling screens share: button faces and the function buttons of the two
// active-call screens.
namespace CallingLook {

// A flat button face: its background (0xRRGGBB) and, for a titled button, the title at 12 points
// in the accent colour (highlighted) or in black.
void setButtonFace(QPushButton* button, uint32_t background, bool highlighted);
// Fills a plain view with one colour (0xRRGGBB).
void setLayerColour(QWidget* view, uint32_t colour);
// A label for text from the box, a peer or the store: plain text, never markup, in the system
// font at the size and colour given.
QLabel* makeTextField(QWidget* parent, const QString& objectName, int pixelSize, bool bold, uint32_t colour);
// The same for a text that may be longer than its room (a name, an address): it shows
// shortened with "…" instead of cut.
ElidingLabel* makeElidingField(QWidget* parent, const QString& objectName, int pixelSize, bool bold,
                               uint32_t colour, Qt::TextElideMode elideMode = Qt::ElideRight);

// Writes the time text of one of the party's counters into the field later, from the GUI
// thread's queue, reading the counter only then. A field deleted meanwhile is not written.
void queueTimeText(QLabel* field, LinePartyPtr party, int64_t (LineParty::*counter)() const);

// Tab visits the widgets in the order given, as they read on screen.
void chainTabOrder(std::initializer_list<QWidget*> widgets);

// A function button of an active-call screen: flat, named as its outlet, holding one
// FunctionButtonView that fills it. The title is also the button's accessible name.
QPushButton* makeFunctionButton(QWidget* parent, const QString& objectName);
// A new FunctionButtonView showing the image (by name) above the title.
FunctionButtonView* loadFunctionButtonViewWithImage(const QString& image, const QString& title);
// Shows the image (by name) in the view.
void setFunctionButtonImage(FunctionButtonView* view, const QString& image);
// Puts the view inside the button, filling it.
void installFunctionButtonView(QPushButton* button, FunctionButtonView* view);
// Sets the title on both the view and, as its accessible name, on the button.
void setFunctionButtonTitle(QPushButton* button, FunctionButtonView* view, const QString& title);
// Enables or disables the button and gives it its layer colour.
void setFunctionButtonState(QPushButton* button, bool enabled, uint32_t colour);

} // namespace CallingLook
