// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <string>

#include "ui/DialogCommon.h"

class QLineEdit;

namespace vexari {

// A title, a prompt and one line of text. The text is limited to
// maxBytes bytes (UTF-8) for typing only: a longer text given at the start
// is shown in full and may be shortened, but not lengthened.
class NameEntryDialog : public QDialog {
    Q_OBJECT
public:
    NameEntryDialog(const QString& title, const QString& prompt, const QString& text, int maxBytes,
                    QWidget* parent = nullptr);

    QLineEdit* Edit() const { return edit_; }

private:
    QLineEdit* edit_ = nullptr;
};

// Shows the name dialog with buffer's text, the edit limited to size - 1
// bytes. On OK the edited text replaces buffer and the result is true,
// unless the text is still longer than size - 1 bytes: then, as for Cancel,
// buffer keeps its text and the result is false.
bool AskText(QWidget* parent, const QString& title, const QString& prompt, std::string& buffer, int size,
             Prompts& prompts = DefaultPrompts());

}  // namespace vexari
