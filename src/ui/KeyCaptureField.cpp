// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/KeyCaptureField.h"

#include <QKeyEvent>

#include "game/KeyNames.h"
#include "ui/QtKeyCodes.h"

namespace vexari {

KeyCaptureField::KeyCaptureField(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    SetKey(KeyCode::None);
}

void KeyCaptureField::SetKey(KeyCode key) {
    key_ = key;
    setText(QString::fromStdString(KeyName(key)));
    emit keyChanged(key);
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
    const KeyCode key = KeyCodeFromEvent(*event);
    if (StoredKeyCode(key) > 0 && StoredKeyCode(key) <= kMaxCode) SetKey(key);
    event->accept();
}

}  // namespace vexari
