// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/KeyCaptureField.h"

#include <QKeyEvent>

#include "game/KeyNames.h"
#include "ui/VirtualKeys.h"

namespace vexari {

KeyCaptureField::KeyCaptureField(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    SetCode(0);
}

void KeyCaptureField::SetCode(int code) {
    code_ = code;
    setText(QString::fromStdString(KeyName(code)));
    emit codeChanged(code);
}

void KeyCaptureField::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        QLineEdit::keyPressEvent(event);
        return;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
    const int code = VirtualKeyFromEvent(*event);
    if (code > 0 && code <= kMaxCode) SetCode(code);
    event->accept();
}

}  // namespace vexari
