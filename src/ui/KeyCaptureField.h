// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLineEdit>

#include "settings/KeyCode.h"

namespace vexari {

// A read-only field that holds one key: pressing a key while it has the
// focus stores the key and shows its name. Keys whose code is
// above 226 or unknown leave the field as it was. Enter, Esc and Tab stay
// with the dialog (default button, Cancel, next field).
class KeyCaptureField : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kMaxCode = 226;

    explicit KeyCaptureField(QWidget* parent = nullptr);

    KeyCode Key() const { return key_; }
    // Stores the key and shows its name (a placeholder for codes without one).
    void SetKey(KeyCode key);

signals:
    void keyChanged(KeyCode key);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    KeyCode key_ = KeyCode::None;
};

}  // namespace vexari
