#pragma once
// The one way a screen makes its controls: each call takes what the design gives a
// control (its name, caption, font, colours and box in twips) and returns it in
// place. A screen with many alike controls keeps their designs in a table.

#include "platform/fonts.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <optional>

class QLineEdit;
class QPushButton;

namespace lumora {

class ButtonLabel;

// A place and size in twips, relative to the parent.
struct TwipsBox {
    double left, top, width, height;
};

// A font as designed; no family keeps the parent's font.
struct FontDesign {
    const char* family = nullptr;
    double points = 0;
    Weight weight = Weight::Normal;
};
QFont designFont(FontDesign font);

// How a text looks: its font, its ink, a paper of its own (none: the screen shows
// through), where it stands in its box, whether it wraps, and a border round the box.
struct TextLook {
    FontDesign font;
    std::optional<QRgb> ink = colours::Yellow; // none: the system's text colour
    std::optional<QRgb> paper = std::nullopt;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wraps = false;
    bool boxed = false;
};

// The face of most button-labels.
inline constexpr FontDesign ButtonFont{"Tahoma", 15.75, Weight::Bold};
// The banner across the top of the quiz screens.
inline constexpr TextLook Banner{
    .font = {"Tahoma", 36, Weight::Bold}, .paper = colours::Black, .alignment = Qt::AlignCenter};

// What every control gets: its name and its place.
void place(QWidget* w, const QString& name, TwipsBox box);

QLabel* label(QWidget* parent, const QString& name, const QString& caption, const TextLook& look,
              TwipsBox box);

// Yellow on the highlight colour, bordered, centred and wrapped.
ButtonLabel* buttonLabel(QWidget* parent, const QString& name, const QString& caption, TwipsBox box,
                         FontDesign font = ButtonFont, QRgb highlight = colours::Black);

// `description` names the picture for a screen reader. A box of no size takes the
// picture's own size when it is loaded.
template <class Picture = QLabel>
Picture* pictureBox(QWidget* parent, const QString& name, const QString& description,
                    TwipsBox box) {
    auto* picture = new Picture(parent);
    place(picture, name, box);
    if (!description.isEmpty())
        picture->setAccessibleName(description);
    return picture;
}

QLineEdit* textBox(QWidget* parent, const QString& name, FontDesign font, TwipsBox box,
                   int maxLength, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// The caption in the look's font and ink, the mark black on white as on paper.
// `Button` may be an option button class.
void dressCheck(QAbstractButton* button, const TextLook& look);
template <class Button = QCheckBox>
Button* checkBox(QWidget* parent, const QString& name, const QString& caption, const TextLook& look,
                 TwipsBox box) {
    auto* button = new Button(caption, parent);
    place(button, name, box);
    dressCheck(button, look);
    return button;
}
// A bare tick box, no caption.
QCheckBox* checkBox(QWidget* parent, const QString& name, TwipsBox box);

QFrame* frame(QWidget* parent, const QString& name, int style, TwipsBox box);

// A command button on the system's grey face.
QPushButton* commandButton(QWidget* parent, const QString& name, const QString& caption,
                           FontDesign font, TwipsBox box);

} // namespace lumora
