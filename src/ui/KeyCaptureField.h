// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLineEdit>

namespace vexari {

// A read-only field that holds one virtual-key code: pressing a key while it
// has the focus stores the key's code and shows its name. Keys whose code is
// above 226 or unknown leave the field as it was. Enter, Esc and Tab stay
// with the dialog (default button, Cancel, next field).
class KeyCaptureField : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kMaxCode = 226;

    explicit KeyCaptureField(QWidget* parent = nullptr);

    int Code() const { return code_; }
    // Stores code and shows its name (a placeholder for codes without one).
    void SetCode(int code);

signals:
    void codeChanged(int code);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int code_ = 0;
};

}  // namespace vexari
