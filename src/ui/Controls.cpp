// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Controls.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "render/Bevel.h"
#include "ui/PixelImageQt.h"

namespace vexari {

namespace {

QColor ToQColor(Color c) { return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c)); }

}  // namespace

// ---- OwnerDrawnButton ----

OwnerDrawnButton::OwnerDrawnButton(const QString& text, MenuAction action, QWidget* parent)
    : QAbstractButton(parent), action_(action) {
    setText(text);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(this, &QAbstractButton::clicked, this, [this] { emit actionRequested(action_); });
}

void OwnerDrawnButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool left = event->button() == Qt::LeftButton;
    QPointer<OwnerDrawnButton> alive(this);
    QAbstractButton::mouseReleaseEvent(event);  // clicks, which may run any command
    if (!alive) return;
    if (left && parentWidget()) parentWidget()->setFocus(Qt::MouseFocusReason);
}

void OwnerDrawnButton::focusInEvent(QFocusEvent* event) {
    keyboardFocus_ = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    QAbstractButton::focusInEvent(event);
}

void OwnerDrawnButton::focusOutEvent(QFocusEvent* event) {
    keyboardFocus_ = false;
    QAbstractButton::focusOutEvent(event);
}

void OwnerDrawnButton::DrawFocusFrame(QPainter& painter) const {
    if (!keyboardFocus_ || !hasFocus()) return;
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(2, 2, -3, -3));
}

// ---- LabelButton ----

LabelButton::LabelButton(const QString& text, MenuAction action, QWidget* parent)
    : OwnerDrawnButton(text, action, parent) {}

QSize LabelButton::SizeForText(const QString& text, const QFont& font) {
    const QFontMetrics fm(font);
    return {fm.horizontalAdvance(text.left(kMaxTextLength)) + 10, fm.height() + 9};
}

QSize LabelButton::sizeHint() const { return SizeForText(text(), font()); }

void LabelButton::paintEvent(QPaintEvent*) {
    const bool pressed = isDown();
    PixelImage face(width(), height(), kGrey);
    const Point textAt = DrawLabelButtonFace(face, pressed);

    QPainter p(this);
    p.drawImage(0, 0, AsQImage(face));
    p.setFont(font());
    p.setPen(Qt::black);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(ToQColor(kGrey));
    const QString shown = text().left(kMaxTextLength);
    p.drawText(QRect(textAt.x, textAt.y, width(), height()), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               shown);
    if (isChecked()) {
        const int r = width();
        const int d = pressed ? 1 : 0;
        p.setPen(QPen(ToQColor(kDarkGrey), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPoint mark[3] = {{r - 5 + d, 0 + d}, {r - 8 + d, 8 + d}, {r - 6 + d, 1 + d}};
        p.drawPolyline(mark, 3);
    }
    DrawFocusFrame(p);
}

// ---- AnimatedBitmapButton ----

AnimatedBitmapButton::AnimatedBitmapButton(const QString& text, MenuAction action, QWidget* parent)
    : OwnerDrawnButton(text, action, parent) {
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &AnimatedBitmapButton::OnTimerTick);
}

void AnimatedBitmapButton::SetFrames(std::span<const PixelImage* const> pictures, int ticksPerPicture) {
    if (ticksPerPicture < 0) ticksPerPicture = 0;
    frames_.clear();
    if (ticksPerPicture_ != 0) timer_.stop();

    if (tickCounter_ >= ticksPerPicture) tickCounter_ = 0;
    ticksPerPicture_ = ticksPerPicture;
    const int count = static_cast<int>(pictures.size());
    if (pictureNumber_ >= count || ticksPerPicture_ == 0) pictureNumber_ = 0;

    if (!pictures.empty()) {
        frames_.assign(pictures.begin(), pictures.end());
        ShowPicture(frames_[static_cast<std::size_t>(pictureNumber_)]);
    }
    if (ticksPerPicture_ != 0) timer_.start();
}

void AnimatedBitmapButton::ShowPicture(const PixelImage* picture) {
    current_ = picture;
    update();
}

void AnimatedBitmapButton::OnTimerTick() {
    if (ticksPerPicture_ == 0 || frames_.empty()) return;
    if (++tickCounter_ < ticksPerPicture_) return;
    tickCounter_ = 0;
    if (++pictureNumber_ >= FrameCount()) pictureNumber_ = 0;
    ShowPicture(frames_[static_cast<std::size_t>(pictureNumber_)]);
}

void AnimatedBitmapButton::paintEvent(QPaintEvent*) {
    PixelImage face(width(), height(), kGrey);
    DrawPictureButtonFace(face, isDown(), current_);
    QPainter p(this);
    p.drawImage(0, 0, AsQImage(face));
    DrawFocusFrame(p);
}

// ---- TiledPictureControl ----

TiledPictureControl::TiledPictureControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TiledPictureControl::SetPicture(const PixelImage* picture) {
    picture_ = picture;
    updateGeometry();
    update();
}

QSize TiledPictureControl::PictureSize() const {
    if (!picture_) return {0, 0};
    return {picture_->Width(), picture_->Height()};
}

void TiledPictureControl::paintEvent(QPaintEvent*) {
    if (!picture_ || picture_->IsNull()) return;
    PixelImage tiled(width(), height());
    TilePicture(tiled, *picture_);
    QPainter p(this);
    p.drawImage(0, 0, AsQImage(tiled));
}

}  // namespace vexari
