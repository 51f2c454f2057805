// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MessageWindow.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogCommon.h"

namespace vexari {

MessageWindow::MessageWindow(QWidget* owner) : QDialog(owner), text_(new QPlainTextEdit(this)) {
    setWindowTitle(tr("Message"));
    setObjectName(QStringLiteral("messageWindow"));
    setModal(false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    setFocusPolicy(Qt::NoFocus);
    text_->setReadOnly(true);
    text_->setFocusPolicy(Qt::NoFocus);
    auto* close = new QPushButton(tr("&Close"), this);
    close->setFocusPolicy(Qt::NoFocus);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    ApplyDialogLook(this);
    menuWait_.setInterval(100);
    connect(&menuWait_, &QTimer::timeout, this, &MessageWindow::ShowOnceNoMenuIsOpen);
    hide();
}

void MessageWindow::ShowText(const QString& text) {
    text_->setPlainText(text);
    ShowOnceNoMenuIsOpen();
}

void MessageWindow::ShowOnceNoMenuIsOpen() {
    if (QApplication::activePopupWidget()) return menuWait_.start();
    menuWait_.stop();
    show();
    raise();
}

void MessageWindow::setVisible(bool visible) {
    if (!visible) menuWait_.stop();  // a hidden text is not shown later
    QDialog::setVisible(visible);
}

QString MessageWindow::Text() const { return text_->toPlainText(); }

bool MessageWindow::ShowsCountdown() const { return Text().startsWith(QStringLiteral("Start")); }

void MessageWindow::reject() {
    const bool countdown = ShowsCountdown();
    QDialog::reject();
    if (countdown) emit pauseRequested();
}

}  // namespace vexari
