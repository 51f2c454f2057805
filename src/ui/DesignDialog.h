// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "settings/Settings.h"
#include "ui/DialogCommon.h"
#include "render/PixelImage.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vexari {

class KeyCaptureField;
class PadSettingsBox;
class TiledPictureControl;

// Loads a background picture file into image; false (and a black image)
// when it cannot. An empty path gives black and true.
using BackgroundLoader = std::function<bool(const std::string& path, PixelImage& image)>;
// The loader of the program: LoadBackgroundImage.
BackgroundLoader DefaultBackgroundLoader();

// What the design dialog edits.
struct DesignValues {
    KeyBindings keys;
    PadSettings pad;
    int dots = 1;  // 0 none, 1 white, 2 black, 3 inverted
    int dotInterval = 1;
    bool color = true;
    bool animate = true;
    std::string bitmap;  // empty: black background
    bool distinctColours = false;  // the palette told apart in colour vision deficiencies
    bool marks = false;
    bool landing = false;

    static DesignValues FromSettings(const Settings& settings);
    void ApplyTo(Settings& settings) const;
};

// "Design Options": the six player keys, the background picture with a
// tiled preview, the background strokes, coloured pieces and animation,
// the palette, letters on the figures and the landing place.
//
// The dialog keeps its data between runs: the strokes buttons, "&Black" and
// "&Select ..." change it at once; the keys, the check boxes and the
// interval are read into it on OK.
class DesignDialog : public QDialog {
    Q_OBJECT
public:
    // Order of the key fields.
    enum KeyField { kLeft, kRight, kRotate, kRotate2, kDrop, kAccelerate, kKeyFieldCount };
    static constexpr int kMinInterval = 1;
    static constexpr int kMaxInterval = 3;
    // The bitmap path is kept in at most this many bytes.
    static constexpr std::size_t kMaxBitmapPath = 99;

    DesignDialog(const DesignValues& values, Prompts& prompts = DefaultPrompts(),
                 BackgroundLoader loader = DefaultBackgroundLoader(), QWidget* parent = nullptr);

    // The dialog data.
    const DesignValues& Data() const { return data_; }
    // Shows the dialog data in the controls, as each run of the dialog starts.
    void ShowData();


public slots:
    // Reads the controls; stays open when the interval is refused.
    void accept() override;
    void ChooseBlack();
    void SelectBitmap();

private:
    void SetStrokes(int dots);
    void ShowBitmapName();
    void UpdatePreview();

    Prompts& prompts_;
    BackgroundLoader loader_;
    DesignValues data_;
    PixelImage previewPicture_;
    std::array<KeyCaptureField*, kKeyFieldCount> keyFields_{};
    std::array<QRadioButton*, 4> strokeButtons_{};
    QLineEdit* intervalEdit_ = nullptr;
    QCheckBox* colorBox_ = nullptr;
    QCheckBox* animateBox_ = nullptr;
    QCheckBox* paletteBox_ = nullptr;
    QCheckBox* marksBox_ = nullptr;
    QCheckBox* landingBox_ = nullptr;
    QLabel* bitmapName_ = nullptr;
    TiledPictureControl* preview_ = nullptr;
    PadSettingsBox* padBox_ = nullptr;
};

// "You have defined the same keys for different operations. Please correct."
extern const char* const kKeyConflictText;

// Runs the design dialog on settings and stores its values on OK. After each
// close, OK or Cancel, the six keys now in settings are checked; while they
// conflict the message is shown and the dialog opens again with its data as
// it stood. Returns true when an OK stored values.
bool RunDesignDialog(QWidget* parent, Settings& settings, Prompts& prompts = DefaultPrompts(),
                     const BackgroundLoader& loader = DefaultBackgroundLoader());

// Loads the BITMAP picture of settings into background. While it cannot be
// loaded, says so and runs the design dialog again, until a loadable file or
// black is chosen. The caller repaints afterwards.
void LoadBackgroundOrAsk(QWidget* parent, Settings& settings, PixelImage& background,
                         Prompts& prompts = DefaultPrompts(), const BackgroundLoader& loader = DefaultBackgroundLoader());

// The Design... and Keyboard... command: the dialog, then the background
// reload. The caller then refreshes the "Next figure" check mark and
// repaints the whole window.
void RunDesignCommand(QWidget* parent, Settings& settings, PixelImage& background,
                      Prompts& prompts = DefaultPrompts(), const BackgroundLoader& loader = DefaultBackgroundLoader());

}  // namespace vexari
