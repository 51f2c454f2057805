// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NetworkGameWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "render/ChatLog.h"
#include "ui/MessageWindow.h"
#include "ui/NetworkOptionsDialog.h"

namespace vexari {

const char* const kCannotPlayAloneText =
    QT_TRANSLATE_NOOP("vexari::NetworkGameWindow", "You cannot play with yourself!");

namespace {

QTreeWidget* MakeList(QWidget* parent, const QStringList& columns) {
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(false);
    QHeaderView* header = list->header();
    header->setSectionsClickable(false);
    header->setSortIndicatorShown(false);
    header->setStretchLastSection(true);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Every column fits its header and its values; the last one takes the
    // room that is left, and a list too narrow for them all scrolls.
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    return list;
}

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

NetworkGameWindow::NetworkGameWindow(QWidget* owner, GameClient& client, Settings& settings,
                                     MessageWindow& messages, Prompts& prompts)
    : QDialog(owner), client_(client), settings_(settings), messages_(messages), prompts_(prompts) {
    setWindowTitle(tr("Network Game"));
    setObjectName(QStringLiteral("networkWindow"));
    setModal(false);
    ApplyDialogLook(this);

    start_ = new QPushButton(tr("Start game"), this);
    options_ = new QPushButton(tr("Options"), this);
    close_ = new QPushButton(tr("Close"), this);
    players_ = MakeList(this, {tr("Player"), tr("Team"), tr("Height"),
                               tr("Score"), tr("Total")});
    teams_ = MakeList(this, {tr("Team"), tr("Number"), tr("Score"),
                             tr("Total")});
    players_->setObjectName(QStringLiteral("playerList"));
    teams_->setObjectName(QStringLiteral("teamList"));
    log_ = new QPlainTextEdit(this);
    log_->setObjectName(QStringLiteral("chatLog"));
    log_->setReadOnly(true);
    log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Read-only text still shows where the user clicked: that place is kept
    // while new lines arrive.
    log_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    input_ = new QLineEdit(this);
    input_->setObjectName(QStringLiteral("chatInput"));
    send_ = new QPushButton(tr("Send"), this);
    send_->setObjectName(QStringLiteral("sendButton"));
    send_->setDefault(true);

    connect(start_, &QPushButton::clicked, this, &NetworkGameWindow::StartGame);
    connect(options_, &QPushButton::clicked, this, &NetworkGameWindow::EditOptions);
    connect(close_, &QPushButton::clicked, this, &NetworkGameWindow::leaveRequested);
    connect(send_, &QPushButton::clicked, this, &NetworkGameWindow::SendChat);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(start_);
    buttons->addWidget(options_);
    buttons->addWidget(close_);
    auto* inputRow = new QHBoxLayout;
    inputRow->addWidget(input_, 1);
    inputRow->addWidget(send_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(players_, 3);
    layout->addWidget(teams_, 2);
    layout->addWidget(log_, 4);
    layout->addLayout(inputRow);
    resize(DialogUnits(this, 189, 311));

    EnableHostButtons();
    input_->setFocus(Qt::OtherFocusReason);
}

void NetworkGameWindow::EnableHostButtons() {
    start_->setEnabled(client_.IsHost());
    options_->setEnabled(client_.IsHost());
}

void NetworkGameWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (opened_) return;
    opened_ = true;
    // The window may be made before the connection knows whether it hosts.
    EnableHostButtons();
    input_->setFocus(Qt::OtherFocusReason);
}

void NetworkGameWindow::closeEvent(QCloseEvent* event) {
    // The owner ends the network game and destroys the window.
    event->ignore();
    emit leaveRequested();
}

void NetworkGameWindow::PlaceBeside(const QRect& mainFrame) {
    QScreen* screen = QGuiApplication::screenAt(mainFrame.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : mainFrame;
    const QSize frame = frameGeometry().size() - size();  // none until first shown
    const int roomRight = area.right() - mainFrame.right();
    const int roomLeft = mainFrame.left() - area.left();
    const bool onRight = roomRight >= frameGeometry().width() || roomRight >= roomLeft;
    // Narrower rather than over the game's panel, and no taller than the
    // screen, as far as the lists allow.
    const QSize room((onRight ? roomRight : roomLeft) - frame.width(), area.height() - frame.height());
    resize(size().boundedTo(room).expandedTo(minimumSizeHint()));
    const QSize size = frameGeometry().size();
    int x = onRight ? mainFrame.right() + 1 : mainFrame.left() - size.width();
    x = std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - size.width()));
    const int y = std::clamp(mainFrame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height()));
    move(x, y);
}

void NetworkGameWindow::ShowTables(const Tables& tables) {
    players_->clear();
    for (const PlayerRow& p : tables.players)
        new QTreeWidgetItem(players_, {FromUtf8(p.name), FromUtf8(p.team), FromUtf8(p.height),
                                       QString::number(p.roundScore), QString::number(p.total)});
    teams_->clear();
    for (const TeamRow& t : tables.teams)
        new QTreeWidgetItem(teams_, {FromUtf8(t.name), FromUtf8(t.members), QString::number(t.roundScore),
                                     QString::number(t.total)});
    emit tablesShown(tables);
}

void NetworkGameWindow::AppendText(const std::string& text) {
    const QTextCursor shown = log_->textCursor();
    const auto shownStart = static_cast<std::size_t>(shown.selectionStart());
    const auto shownEnd = static_cast<std::size_t>(shown.selectionEnd());
    const ChatLog next = AppendToChatLog(logText_, StoredChatPosition(logText_, shownStart),
                                         StoredChatPosition(logText_, shownEnd), FromUtf8(text).toStdU16String());
    logText_ = next.text;
    log_->setPlainText(QString::fromStdU16String(ShownChatText(logText_)));

    const int last = log_->document()->characterCount() - 1;
    auto toShown = [&](std::size_t stored) {
        return std::min(static_cast<int>(ShownChatPosition(logText_, stored)), last);
    };
    QTextCursor cursor(log_->document());
    cursor.setPosition(toShown(next.selStart));
    cursor.setPosition(toShown(next.selEnd), QTextCursor::KeepAnchor);
    log_->setTextCursor(cursor);
    log_->ensureCursorVisible();
}

void NetworkGameWindow::ShowMessage(const std::string& text) {
    // The keys stay where they are, with a player typing in the chat or in a
    // menu, say; the game's own Esc answers a countdown.
    messages_.ShowText(FromUtf8(text).remove(QLatin1Char('\r')));
    if (messages_.ShowsCountdown()) emit countdownSecond();
}

void NetworkGameWindow::ChatLineArrived() {
    if (!isActiveWindow()) emit chatArrived();
}

void NetworkGameWindow::SetStartEnabled(bool enabled) { start_->setEnabled(enabled); }

void NetworkGameWindow::CannotPlayAlone() { prompts_.Message(this, tr(kCannotPlayAloneText), kProgramTitle); }

void NetworkGameWindow::StartGame() { client_.StartGame(); }

void NetworkGameWindow::EditOptions() {
    if (RunNetworkOptionsDialog(this, settings_, prompts_)) client_.SendOptions();
}

void NetworkGameWindow::SendChat() {
    const QString text = input_->text();
    if (text.isEmpty()) return;
    client_.SendText(text.toStdString());
    input_->clear();
    input_->setFocus(Qt::OtherFocusReason);
}

}  // namespace vexari
