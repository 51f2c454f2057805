// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <memory>
#include <vector>

#include "app/GameAccessible.h"
#include "render/GameScreen.h"
#include "game/GameHooks.h"
#include "game/GameRecord.h"
#include "settings/Settings.h"
#include "render/PixelImage.h"
#include "ui/MenuActions.h"
#include "render/StatusPictures.h"

namespace vexari {

class AnimatedBitmapButton;
class LabelButton;
class TiledPictureControl;

// The main window's client area: shows the game's screen image, repainting
// only what changed, lays it and its labels out for its size, and passes the
// keys, clicks and label commands on. It follows the events of the game it
// shows and tells assistive technology what changed.
class GameView : public QWidget, public GameEvents, private ScreenHost {
    Q_OBJECT
public:
    GameView(const GameRecord& record, const Settings& settings, const PixelImage& background, QWidget* parent);

    // The screen of the window's own game, the one its hooks paint.
    GameScreen& Screen() { return screen_; }
    // Shows another game (a replay) on a screen of its own instead of the
    // window's game, until ShowOwnGame(); the window's game is not touched.
    GameScreen& ShowOtherGame(const GameRecord& record, const Settings& settings);
    void ShowOwnGame();
    // While another game is shown, the status line says this.
    void ShowStatusText(const QString& text);
    // The labels and the status line: clicking them keeps the game's keys.
    bool IsOwnControl(const QWidget* widget) const;
    // The game shown (the window's own or a replay) and its layout.
    const GameRecord& ShownRecord() const { return *record_; }
    const Settings& ShownSettings() const { return *settings_; }
    const WindowLayout& Layout() const { return shown_->Layout(); }
    // Sends assistive technology a value change for each part, and for the
    // view's summary, that changed since the last call.
    void AnnounceChanges();

    // GameEvents of the game shown.
    void FigureLanded(const Landing&) override { AnnounceChanges(); }
    void PresentArrived(int) override { AnnounceChanges(); }
    void LevelChanged(int) override { AnnounceChanges(); }
    void GameOver(std::int32_t, std::int32_t) override { AnnounceChanges(); }
    void GameReset() override { AnnounceChanges(); }

    // As a window invalidated whole: the next paint draws everything anew
    // from the game as it then stands.
    void RepaintAll();
    void UpdateStatusLine() override;

signals:
    void actionRequested(MenuAction action);  // a label or the status line was clicked
    void keyPressed(KeyCode key, bool autoRepeat);
    void keyReleased(KeyCode key);
    void popupRequested(const QPoint& globalPos);  // a right click
    // A value assistive technology was told of: a part's or the view's.
    void announced(const QString& name, const QString& value);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // ScreenHost
    int TextWidth(const std::string& text) override;
    void DrawText(PixelImage& surface, int x, int y, const std::string& text) override;
    void SetIndicatorPicture(int index) override;
    void HeightChanged() override;
    void Invalidate(const Rect& rect) override;

    void LayOut();
    void MoveLabels();
    LabelButton* MakeLabel(const QString& text, MenuAction action);

    const GameRecord* record_;    // of the game shown
    const Settings* settings_;
    GameScreen screen_;
    std::unique_ptr<GameScreen> other_;
    GameScreen* shown_ = &screen_;
    PixelImage statusText_;  // the status line of the other game
    StatusLinePictures statusPictures_;
    std::vector<PixelImage> indicatorPictures_;
    LabelButton* nextLabel_ = nullptr;
    LabelButton* levelLabel_ = nullptr;
    LabelButton* scoreLabel_ = nullptr;
    LabelButton* linesLabel_ = nullptr;
    AnimatedBitmapButton* statusLine_ = nullptr;
    TiledPictureControl* picture_ = nullptr;
    GameDescription announced_;
    bool fullRepaintDue_ = true;
    bool painting_ = false;
};

}  // namespace vexari
