// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAbstractButton>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <span>
#include <vector>

#include "game/GameRules.h"
#include "render/PixelImage.h"
#include "ui/MenuActions.h"

namespace vexari {

// A push button that draws itself in the program's grey 3D look and sends a
// menu action when clicked. It takes the keyboard focus when pressed
// with the mouse and hands it back to its parent when the left button is
// released, so that keys keep reaching the game. Like any button it is
// reached with Tab and Shift+Tab and pressed with Space; it shows a focus
// frame while it holds the keyboard focus that way.
class OwnerDrawnButton : public QAbstractButton {
    Q_OBJECT
public:
    OwnerDrawnButton(const QString& text, MenuAction action, QWidget* parent = nullptr);
    // The focus came through the keyboard.
    bool KeyboardFocus() const { return keyboardFocus_; }

signals:
    // Emitted on every click with the button's action.
    void actionRequested(MenuAction action);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Draws the focus frame when the keyboard focus came through the keyboard.
    void DrawFocusFrame(QPainter& painter) const;

private:
    MenuAction action_;
    bool keyboardFocus_ = false;
};

// A clickable label: its text (at most 99 characters) on a raised grey face.
class LabelButton : public OwnerDrawnButton {
    Q_OBJECT
public:
    static constexpr int kMaxTextLength = 99;
    LabelButton(const QString& text, MenuAction action, QWidget* parent = nullptr);

    // The extent of text in font plus 10 in width and 9 in height.
    static QSize SizeForText(const QString& text, const QFont& font);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A push button that shows one picture of a sequence and steps through the
// sequence on its own timer, at the game's tick (kTickMs). It does not own the pictures: each must
// outlive its use by the button.
class AnimatedBitmapButton : public OwnerDrawnButton {
    Q_OBJECT
public:
    AnimatedBitmapButton(const QString& text, MenuAction action, QWidget* parent = nullptr);

    // Gives the button a sequence. The picture number is kept when it still
    // lies in the new sequence and the sequence animates, so a repeated call
    // continues where it was; ticksPerPicture 0 (or less) shows the picture
    // still. An empty list leaves the button without a list (nothing steps).
    void SetFrames(std::span<const PixelImage* const> pictures, int ticksPerPicture);
    // Makes picture current and repaints the button.
    void ShowPicture(const PixelImage* picture);

    const PixelImage* CurrentPicture() const { return current_; }
    int PictureNumber() const { return pictureNumber_; }
    int TickCounter() const { return tickCounter_; }
    int FrameCount() const { return static_cast<int>(frames_.size()); }
    bool IsAnimating() const { return timer_.isActive(); }

public slots:
    // One tick of the button's timer (public so that it can be driven
    // directly).
    void OnTimerTick();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer timer_;
    const PixelImage* current_ = nullptr;
    std::vector<const PixelImage*> frames_;
    int ticksPerPicture_ = 0;
    int tickCounter_ = 0;
    int pictureNumber_ = 0;
};

// A picture repeated over the control's area from its top-left corner. It
// takes no mouse input: clicks reach the window beneath. It does not own the
// picture.
class TiledPictureControl : public QWidget {
    Q_OBJECT
public:
    explicit TiledPictureControl(QWidget* parent = nullptr);

    // Makes picture current (null: paint nothing) and repaints the control.
    void SetPicture(const PixelImage* picture);
    const PixelImage* Picture() const { return picture_; }
    // The size of the current picture (0 x 0 without one).
    QSize PictureSize() const;
    QSize sizeHint() const override { return PictureSize(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PixelImage* picture_ = nullptr;
};

}  // namespace vexari
