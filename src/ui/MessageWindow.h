#pragma once
#include <QDialog>

class QPlainTextEdit;

namespace vexari {

// The modeless "Message" window that shows the network server's texts. It
// never takes the keyboard: the game, a menu or the chat line keep it while
// a text appears; a click on Close hides it.
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

signals:
    void pauseRequested();

private:
    QPlainTextEdit* text_;
};

}  // namespace vexari
