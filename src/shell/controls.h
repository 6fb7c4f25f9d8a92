#pragma once
// The plain controls most screens are built from: a text label in a colour and a
// button-label in the usual Tahoma bold.

#include <QFont>
#include <QRgb>
#include <QString>

class QLabel;
class QWidget;

namespace lumora {

class ButtonLabel;

QLabel* textLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font,
                  QRgb colour, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// Yellow on black (or the highlight given), bordered, Tahoma bold.
ButtonLabel* buttonLabel(QWidget* parent, const QString& name, const QString& caption,
                         double points = 15.75, QRgb highlight = qRgb(0, 0, 0));

} // namespace lumora
