// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameView.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "ui/MenuActions.h"
#include "ui/Controls.h"
#include "ui/PixelImageQt.h"
#include "ui/QtKeyCodes.h"

namespace vexari {
namespace {

QImage WritableImage(PixelImage& image) {
    return QImage(reinterpret_cast<uchar*>(image.Bits()), image.Width(), image.Height(), image.Stride(),
                  QImage::Format_RGB32);
}

}  // namespace

GameView::GameView(const GameRecord& record, const Settings& settings, const PixelImage& background, QWidget* parent)
    : QWidget(parent),
      record_(&record),
      settings_(&settings),
      screen_(record, settings, background, *this),
      indicatorPictures_(MakeLandingIndicatorPictures()) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setMouseTracking(true);  // a mouse move ends a pause of the computer, as any input does

    nextLabel_ = MakeLabel(tr("Next"), MenuAction::ToggleNext);
    nextLabel_->setObjectName(QStringLiteral("nextLabel"));
    levelLabel_ = MakeLabel(tr("Level"), MenuAction::Skill);
    statusLine_ = new AnimatedBitmapButton(tr("... Press ENTER to play ..."), MenuAction::StatusLine, this);
    statusLine_->setObjectName(QStringLiteral("statusLine"));
    connect(statusLine_, &OwnerDrawnButton::actionRequested, this, &GameView::actionRequested);
    scoreLabel_ = MakeLabel(tr("Score"), MenuAction::HighScore);
    linesLabel_ = MakeLabel(tr("Lines"), MenuAction::LinesLabel);
    picture_ = new TiledPictureControl(this);
    picture_->SetPicture(&indicatorPictures_[2]);
    picture_->setAccessibleName(tr("How the last figure landed"));
    InstallGameAccessibility();
}

LabelButton* GameView::MakeLabel(const QString& text, MenuAction action) {
    auto* button = new LabelButton(text, action, this);
    connect(button, &OwnerDrawnButton::actionRequested, this, &GameView::actionRequested);
    return button;
}

bool GameView::IsOwnControl(const QWidget* widget) const {
    // Reached through the keyboard they stand outside the game, as any
    // other control does.
    return widget && (widget == nextLabel_ || widget == statusLine_) &&
           !static_cast<const OwnerDrawnButton*>(widget)->KeyboardFocus();
}

void GameView::AnnounceChanges() {
    const GameDescription now = DescribeGame(*record_, *settings_);
    const auto send = [this](int child, const QString& name, const QString& value) {
        QAccessibleValueChangeEvent event(this, value);
        event.setChild(child);
        QAccessible::updateAccessibility(&event);
        emit announced(name, value);
    };
    for (int p = 0; p < kGamePartCount; ++p) {
        const QString& value = now.values[static_cast<std::size_t>(p)];
        if (value != announced_.values[static_cast<std::size_t>(p)]) send(p, GamePartName(GamePart(p)), value);
    }
    if (now.summary != announced_.summary) send(-1, GameAccessibleName(), now.summary);
    announced_ = now;
}

bool GameView::event(QEvent* event) {
    // Tab is an accelerator here, not a move to the next control.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QWidget::event(event);
}

void GameView::keyPressEvent(QKeyEvent* event) {
    const KeyCode key = KeyCodeFromEvent(*event);
    if (key == KeyCode::None) return QWidget::keyPressEvent(event);
    emit keyPressed(key, event->isAutoRepeat());
}

void GameView::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;
    if (const KeyCode key = KeyCodeFromEvent(*event); key != KeyCode::None) emit keyReleased(key);
}

void GameView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        emit popupRequested(event->globalPosition().toPoint());
    else
        QWidget::mousePressEvent(event);
}

GameScreen& GameView::ShowOtherGame(const GameRecord& record, const Settings& settings) {
    other_ = std::make_unique<GameScreen>(record, settings, screen_.Background(), static_cast<ScreenHost&>(*this));
    shown_ = other_.get();
    record_ = &record;
    settings_ = &settings;
    LayOut();
    AnnounceChanges();
    return *other_;
}

void GameView::ShowOwnGame() {
    if (!other_) return;
    shown_ = &screen_;
    record_ = &screen_.Record();
    settings_ = &screen_.DisplaySettings();
    other_.reset();
    statusText_ = PixelImage();
    LayOut();
    UpdateStatusLine();
}

void GameView::ShowStatusText(const QString& text) {
    statusText_ = PixelImage(StatusLinePictures::kWidth, StatusLinePictures::kHeight, kGrey);
    QImage image = WritableImage(statusText_);
    QPainter painter(&image);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, text);
    painter.end();
    UpdateStatusLine();
}

// --- Layout ------------------------------------------------------------------

void GameView::resizeEvent(QResizeEvent*) { LayOut(); }

void GameView::LayOut() {
    if (window()->isMinimized()) return;
    const int textHeight = QFontMetrics(font()).height();
    shown_->SetLayout(ComputeLayout(width(), height(), record_->height, textHeight, shown_->Layout()));
    MoveLabels();
    RepaintAll();
}

void GameView::MoveLabels() {
    const WindowLayout& l = shown_->Layout();
    auto place = [&](LabelButton* label, int y) {
        label->setGeometry(QRect(QPoint(l.sideX, y), LabelButton::SizeForText(label->text(), font())));
    };
    place(nextLabel_, l.nextLabelY);
    place(scoreLabel_, l.scoreLabelY);
    place(levelLabel_, l.levelLabelY);
    place(linesLabel_, l.linesLabelY);
    statusLine_->setGeometry(l.statusLine.x, l.statusLine.y, l.statusLine.w, l.statusLine.h);
    const QSize pictureSize = picture_->PictureSize();
    picture_->setGeometry(l.picture.x, l.picture.y, pictureSize.width(), pictureSize.height());
}

void GameView::HeightChanged() {
    QWidget* frame = window();
    if (frame->isMaximized()) {
        frame->showNormal();
        frame->showMaximized();
    }
    LayOut();
}

// --- Painting ------------------------------------------------------------------

void GameView::RepaintAll() {
    fullRepaintDue_ = true;
    update();
}

void GameView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    QRect area = event->rect();
    if (fullRepaintDue_ && !shown_->Screen().IsNull()) {
        fullRepaintDue_ = false;
        painting_ = true;
        shown_->Repaint();
        painting_ = false;
        area = rect();
    }
    const QImage image = AsQImage(shown_->Screen());
    if (image.isNull()) return painter.fillRect(area, Qt::black);
    painter.drawImage(area.topLeft(), image, area);
}

void GameView::Invalidate(const Rect& rect) {
    if (painting_) return;  // the paint under way copies the whole image
    const QRect r(rect.x, rect.y, rect.w, rect.h);
    update(r);
}

int GameView::TextWidth(const std::string& text) {
    return QFontMetrics(font()).horizontalAdvance(QString::fromStdString(text));
}

void GameView::DrawText(PixelImage& surface, int x, int y, const std::string& text) {
    QImage image = WritableImage(surface);
    QPainter painter(&image);
    painter.setFont(font());
    painter.setPen(Qt::white);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::black);
    const QFontMetrics metrics(font());
    painter.drawText(x, y + metrics.ascent(), QString::fromStdString(text));
    Invalidate({x, y, metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()});
}

void GameView::SetIndicatorPicture(int index) {
    const int clamped = std::clamp(index, 0, static_cast<int>(indicatorPictures_.size()) - 1);
    picture_->SetPicture(&indicatorPictures_[static_cast<std::size_t>(clamped)]);
}

void GameView::UpdateStatusLine() {
    statusLine_->setText(record_->running ? tr("... Press ESC to pause ...") : tr("... Press ENTER to play ..."));
    AnnounceChanges();
    if (other_ && !statusText_.IsNull()) {
        const PixelImage* still[] = {&statusText_};
        return statusLine_->SetFrames(still, 0);
    }
    const auto sequence = record_->running ? statusPictures_.Pause() : statusPictures_.Play();
    if (settings_->animate) {
        statusLine_->SetFrames(sequence, 2);
    } else {
        const PixelImage* still[] = {sequence[7]};
        statusLine_->SetFrames(still, 0);
    }
}

}  // namespace vexari
