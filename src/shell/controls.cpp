#include "shell/controls.h"

#include "shell/buttonlabel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lumora {

void place(QWidget* w, const QString& name, TwipsBox box) {
    w->setObjectName(name);
    setTwipsGeometry(w, box.left, box.top, box.width, box.height);
}

QFont designFont(FontDesign font) {
    return designFont(QString::fromLatin1(font.family), font.points, font.weight);
}

namespace {

void dressText(QWidget* w, const TextLook& look) {
    if (look.font.family)
        w->setFont(designFont(look.font));
    if (look.ink)
        setForeground(w, *look.ink);
    if (look.paper)
        setBackground(w, *look.paper);
}

} // namespace

QLabel* label(QWidget* parent, const QString& name, const QString& caption, const TextLook& look,
              TwipsBox box) {
    auto* text = new QLabel(caption, parent);
    place(text, name, box);
    dressText(text, look);
    text->setAlignment(look.alignment);
    text->setWordWrap(look.wraps);
    if (look.boxed)
        text->setFrameStyle(QFrame::Box | QFrame::Plain);
    return text;
}

ButtonLabel* buttonLabel(QWidget* parent, const QString& name, const QString& caption, TwipsBox box,
                         FontDesign font, QRgb highlight) {
    auto* button = new ButtonLabel(parent, name, caption, highlight);
    button->setFont(designFont(font));
    place(button, name, box);
    return button;
}

QLineEdit* textBox(QWidget* parent, const QString& name, FontDesign font, TwipsBox box,
                   int maxLength, Qt::Alignment alignment) {
    auto* edit = new QLineEdit(parent);
    place(edit, name, box);
    edit->setFont(designFont(font));
    edit->setMaxLength(maxLength);
    edit->setAlignment(alignment);
    return edit;
}

void dressCheck(QAbstractButton* button, const TextLook& look) {
    dressText(button, look);
    QPalette mark = button->palette();
    mark.setColor(QPalette::Text, Qt::black);
    mark.setColor(QPalette::Base, Qt::white);
    button->setPalette(mark);
}

QCheckBox* checkBox(QWidget* parent, const QString& name, TwipsBox box) {
    auto* tick = new QCheckBox(parent);
    place(tick, name, box);
    return tick;
}

QFrame* frame(QWidget* parent, const QString& name, int style, TwipsBox box) {
    auto* f = new QFrame(parent);
    place(f, name, box);
    f->setFrameStyle(style);
    return f;
}

QPushButton* commandButton(QWidget* parent, const QString& name, const QString& caption,
                           FontDesign font, TwipsBox box) {
    auto* button = new QPushButton(caption, parent);
    place(button, name, box);
    button->setFont(designFont(font));
    QPalette face = button->palette();
    face.setColor(QPalette::Button, QColor(colours::LightGrey));
    button->setPalette(face);
    return button;
}

} // namespace lumora
