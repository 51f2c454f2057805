#pragma once
#include <QDialog>

class QPlainTextEdit;

namespace vexari {

// The modeless "Message" window that shows the network server's texts.
class MessageWindow : public QDialog {
    Q_OBJECT
public:
    explicit MessageWindow(QWidget* owner);
    void ShowText(const QString& text);
    QString Text() const;

private:
    QPlainTextEdit* text_;
};

}  // namespace vexari
