// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <QTimer>

class QPlainTextEdit;

namespace vexari {

// The modeless "Message" window that shows the network server's texts. It
// never takes the keyboard: the game, a menu or the chat line keep it while
// a text appears; a click on Close hides it. Qt closes an open menu when
// another window appears, so a text that comes while a menu is open shows
// once the menu has closed.
class MessageWindow : public QDialog {
    Q_OBJECT
public:
    explicit MessageWindow(QWidget* owner);
    void ShowText(const QString& text);
    QString Text() const;
    // The countdown text, the one that tells the player to press Esc.
    bool ShowsCountdown() const;

public slots:
    // Esc: the window hides; on a countdown text ("Starting in ...") the
    // player also asks for a pause, which cancels the countdown.
    void reject() override;
    void setVisible(bool visible) override;

signals:
    void pauseRequested();

private:
    void ShowOnceNoMenuIsOpen();

    QPlainTextEdit* text_;
    QTimer menuWait_;
};

}  // namespace vexari
