#include "ui/MessageWindow.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogCommon.h"

namespace vexari {

MessageWindow::MessageWindow(QWidget* owner) : QDialog(owner), text_(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("Message"));
    setModal(false);
    text_->setReadOnly(true);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    ApplyDialogLook(this);
    hide();
}

void MessageWindow::ShowText(const QString& text) {
    text_->setPlainText(text);
    show();
    raise();
}

QString MessageWindow::Text() const { return text_->toPlainText(); }

void MessageWindow::reject() {
    // The countdown text is the one that tells the player to press Esc.
    const bool countdown = Text().startsWith(QStringLiteral("Start"));
    QDialog::reject();
    if (countdown) emit pauseRequested();
}

}  // namespace vexari
