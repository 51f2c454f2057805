// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

#include "settings/SafeFile.h"

class QDialog;
class QDialogButtonBox;
class QLineEdit;
class QWidget;

namespace vexari {

// The program's title, the caption of its message boxes.
inline const QString kProgramTitle = QStringLiteral("Vexari");
// Shown when an integer field holds something that is not a whole number.
inline const char* const kNotWholeNumberText = QT_TRANSLATE_NOOP("vexari::Prompts", "Please enter a whole number.");

// "Value must be between %1 and %2" with the two bounds.
QString RangeMessage(int low, int high);
// "Cannot save <path>: <reason>" (or "Cannot create folder …") for a save
// that failed, in the player's language.
QString SaveFailureMessage(const SaveResult& result);

enum class PromptIcon { None, Information, Warning, Question, Error };

// What an open or save dialog is asked for.
struct FileDialogRequest {
    QString initialPath;    // pre-selected file name or path (may be empty)
    QString defaultSuffix;  // added to a name typed without one
    QStringList filters;    // "Bitmap files (*.bmp)", "All files (*.*)"
};

// The message boxes, file dialogs and modal loops of the dialogs go through
// this seam, so that tests can answer them without a user.
class Prompts {
public:
    virtual ~Prompts() = default;
    // A message box with an OK button.
    virtual void Message(QWidget* parent, const QString& text, const QString& caption = kProgramTitle,
                         PromptIcon icon = PromptIcon::Warning) = 0;
    // A Yes/No message box; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon,
                          bool defaultNo) = 0;
    // The open and save dialogs; nothing when the user cancels. The save
    // dialog asks before an existing file is overwritten.
    virtual std::optional<QString> OpenFile(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<QString> SaveFile(QWidget* parent, const FileDialogRequest& request) = 0;
    // Runs a dialog modally and returns its result (QDialog::Accepted or
    // QDialog::Rejected).
    virtual int Exec(QDialog& dialog) = 0;
};

// Real message boxes and dialogs.
class QtPrompts : public Prompts {
public:
    void Message(QWidget* parent, const QString& text, const QString& caption = kProgramTitle,
                 PromptIcon icon = PromptIcon::Warning) override;
    bool AskYesNo(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon,
                  bool defaultNo) override;
    std::optional<QString> OpenFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> SaveFile(QWidget* parent, const FileDialogRequest& request) override;
    int Exec(QDialog& dialog) override;
};

// The prompts every dialog uses unless it is given others.
Prompts& DefaultPrompts();

// Grey (192, 192, 192) background, black text (grey when disabled), the
// dialogs' font; the game's dialogs, message boxes and file dialogs alike.
void ApplyDialogLook(QWidget* widget);

// An empty row for a dialog's buttons, laid out by their roles as on
// Windows whatever order the desktop's theme prefers (so OK comes before
// Cancel, as the game's dialogs have always had them), with text and no
// icons. The dialog connects the buttons it adds.
QDialogButtonBox* MakeButtonRow(QDialog* dialog);

// A dialog's OK and Cancel buttons in a row at its right (MakeButtonRow),
// OK the default button (Enter presses it, wherever the focus is); they
// accept and reject the dialog. Qt names and translates them unless the
// dialog gives texts of its own. Their object names are "ok" and "cancel".
QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog, const QString& okText = {}, const QString& cancelText = {});

// Pixel size of a size in dialog units for widget's font: a horizontal unit
// is a quarter of the average character width, a vertical one an eighth of
// the character height.
QSize DialogUnits(const QWidget* widget, int width, int height);

// A signed decimal whole number with optional surrounding blanks; nothing
// for other text or a value outside the 32-bit range.
std::optional<int> ParseWholeNumber(const QString& text);

// Reads an integer field for OK: shows the refusal (not a whole number, or
// outside low..high unless checkRange is false) through prompts, puts the
// focus back on the field with its text selected and returns nothing.
std::optional<int> ReadIntegerField(Prompts& prompts, QWidget* parent, QLineEdit* field, int low, int high,
                                    bool checkRange = true);

}  // namespace vexari
