// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DesignDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "game/KeyNames.h"
#include "render/Background.h"
#include "ui/Controls.h"
#include "ui/KeyCaptureField.h"
#include "ui/PadSettingsBox.h"

namespace vexari {

const char* const kKeyConflictText = QT_TRANSLATE_NOOP(
    "vexari::DesignDialog", "You have defined the same keys for different operations. Please correct.");

BackgroundLoader DefaultBackgroundLoader() {
    return [](const std::string& path, PixelImage& image) { return LoadBackgroundImage(path, image); };
}

DesignValues DesignValues::FromSettings(const Settings& settings) {
    DesignValues v;
    v.keys = settings.keys;
    v.pad = settings.pad;
    v.dots = settings.dots;
    v.dotInterval = settings.dotInterval;
    v.color = settings.color != 0;
    v.animate = settings.animate != 0;
    v.bitmap = settings.bitmap;
    v.distinctColours = settings.palette == kPaletteDistinct;
    v.marks = settings.marks != 0;
    v.landing = settings.landing != 0;
    return v;
}

void DesignValues::ApplyTo(Settings& settings) const {
    settings.keys = keys;
    settings.pad = pad;
    settings.dots = static_cast<std::int16_t>(dots);
    settings.dotInterval = dotInterval;
    settings.color = color ? 1 : 0;
    settings.animate = animate ? 1 : 0;
    settings.bitmap = bitmap;
    settings.palette = distinctColours ? kPaletteDistinct : kPaletteClassic;
    settings.marks = marks ? 1 : 0;
    settings.landing = landing ? 1 : 0;
}

namespace {

KeyCode& KeyOf(KeyBindings& keys, DesignDialog::KeyField which) {
    switch (which) {
    case DesignDialog::kLeft: return keys.left;
    case DesignDialog::kRight: return keys.right;
    case DesignDialog::kRotate: return keys.rotate;
    case DesignDialog::kRotate2: return keys.rotate2;
    case DesignDialog::kDrop: return keys.drop;
    case DesignDialog::kAccelerate: break;
    case DesignDialog::kKeyFieldCount: break;
    }
    return keys.accelerate;
}

QLabel* MakeRotateIcon(QWidget* parent) {
    auto* icon = new QLabel(parent);
    icon->setPixmap(parent->style()->standardIcon(QStyle::SP_BrowserReload).pixmap(16, 16));
    return icon;
}

}  // namespace

DesignDialog::DesignDialog(const DesignValues& values, Prompts& prompts, BackgroundLoader loader, QWidget* parent)
    : QDialog(parent), prompts_(prompts), loader_(std::move(loader)), data_(values) {
    setWindowTitle(tr("Design Options"));
    ApplyDialogLook(this);

    // Keys, with the two rotate keys marked by an icon.
    static const char* const kKeyLabels[kKeyFieldCount] = {
        QT_TRANSLATE_NOOP("vexari::DesignDialog", "&Left Key"),
        QT_TRANSLATE_NOOP("vexari::DesignDialog", "&Right Key"),
        QT_TRANSLATE_NOOP("vexari::DesignDialog", "Ro&tate Key"),
        QT_TRANSLATE_NOOP("vexari::DesignDialog", "Rotate Ke&y"),
        QT_TRANSLATE_NOOP("vexari::DesignDialog", "&Drop Key"),
        QT_TRANSLATE_NOOP("vexari::DesignDialog", "&Accelerate Key")};
    static const char* const kKeyFieldNames[kKeyFieldCount] = {"leftKey",   "rightKey", "rotateKey",
                                                               "rotate2Key", "dropKey",  "accelerateKey"};
    auto* keys = new QGridLayout;
    const int fieldWidth = DialogUnits(this, 50, 12).width();
    for (int i = 0; i < kKeyFieldCount; ++i) {
        auto* label = new QLabel(tr(kKeyLabels[i]), this);
        keyFields_[static_cast<std::size_t>(i)] = new KeyCaptureField(this);
        keyFields_[static_cast<std::size_t>(i)]->setObjectName(QLatin1String(kKeyFieldNames[i]));
        keyFields_[static_cast<std::size_t>(i)]->setFixedWidth(fieldWidth);
        label->setBuddy(keyFields_[static_cast<std::size_t>(i)]);
        keys->addWidget(label, i, 0);
        keys->addWidget(keyFields_[static_cast<std::size_t>(i)], i, 1);
        if (i == kRotate || i == kRotate2) keys->addWidget(MakeRotateIcon(this), i, 2);
    }
    keys->setColumnStretch(3, 1);
    keys->setRowStretch(kKeyFieldCount, 1);  // the keys stay together beside the taller gamepad box

    auto* fixedKeys = new QVBoxLayout;
    for (const QString& text : {tr("Show/Hide Next Figure - \"1\" or \"Tab\""), tr("Pause - \"Esc\""),
                                tr("Mayday - \"Esc\" twice"), tr("Continue - \"Enter\""), tr("New Game  - \"F2\"")})
        fixedKeys->addWidget(new QLabel(text, this));

    // Strokes and interval.
    auto* strokesBox = new QGroupBox(tr("Background strokes"), this);
    auto* strokesLayout = new QGridLayout(strokesBox);
    auto* strokeGroup = new QButtonGroup(this);
    static const char* const kStrokeTexts[4] = {
        QT_TRANSLATE_NOOP("vexari::DesignDialog", "&None"), QT_TRANSLATE_NOOP("vexari::DesignDialog", "&White"),
        QT_TRANSLATE_NOOP("vexari::DesignDialog", "B&lac&k"), QT_TRANSLATE_NOOP("vexari::DesignDialog", "&Inverted")};
    static const char* const kStrokeNames[4] = {"noStrokes", "whiteStrokes", "blackStrokes", "invertedStrokes"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QRadioButton(tr(kStrokeTexts[i]), strokesBox);
        b->setObjectName(QLatin1String(kStrokeNames[i]));
        strokeButtons_[static_cast<std::size_t>(i)] = b;
        strokeGroup->addButton(b, i);
        strokesLayout->addWidget(b, i / 2, i % 2);
    }
    connect(strokeGroup, &QButtonGroup::idClicked, this, &DesignDialog::SetStrokes);
    auto* intervalLabel = new QLabel(tr("Interval"), strokesBox);
    intervalEdit_ = new QLineEdit(strokesBox);
    intervalEdit_->setObjectName(QStringLiteral("intervalEdit"));
    intervalEdit_->setFixedWidth(DialogUnits(this, 25, 12).width());
    intervalLabel->setBuddy(intervalEdit_);
    strokesLayout->addWidget(intervalLabel, 2, 0);
    strokesLayout->addWidget(intervalEdit_, 2, 1, Qt::AlignLeft);

    colorBox_ = new QCheckBox(tr("&Color pieces"), this);
    animateBox_ = new QCheckBox(tr("An&imate details"), this);
    paletteBox_ = new QCheckBox(tr("Colours for colour-blind &players"), this);
    marksBox_ = new QCheckBox(tr("&Mark figures with letters"), this);
    landingBox_ = new QCheckBox(tr("Show the landin&g place"), this);
    paletteBox_->setObjectName(QStringLiteral("paletteBox"));
    marksBox_->setObjectName(QStringLiteral("marksBox"));
    landingBox_->setObjectName(QStringLiteral("landingBox"));

    // Background picture.
    auto* bitmapBox = new QGroupBox(tr("Background bitmap:"), this);
    auto* bitmapLayout = new QVBoxLayout(bitmapBox);
    preview_ = new TiledPictureControl(bitmapBox);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setFixedSize(DialogUnits(this, 117, 117));
    bitmapLayout->addWidget(preview_, 0, Qt::AlignHCenter);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(tr("Current bitmap:"), bitmapBox));
    bitmapName_ = new QLabel(bitmapBox);
    bitmapName_->setObjectName(QStringLiteral("bitmapName"));
    nameRow->addWidget(bitmapName_, 1);
    bitmapLayout->addLayout(nameRow);
    auto* bitmapButtons = new QHBoxLayout;
    auto* black = new QPushButton(tr("&Black"), bitmapBox);
    auto* select = new QPushButton(tr("&Select ..."), bitmapBox);
    bitmapButtons->addWidget(black);
    bitmapButtons->addWidget(select);
    bitmapLayout->addLayout(bitmapButtons);
    connect(black, &QPushButton::clicked, this, &DesignDialog::ChooseBlack);
    connect(select, &QPushButton::clicked, this, &DesignDialog::SelectBitmap);

    for (QPushButton* b : {black, select}) b->setAutoDefault(false);

    // The gamepad under the background picture, so the dialog stays low
    // enough for a small or scaled screen.
    padBox_ = new PadSettingsBox(this);
    auto* left = new QVBoxLayout;
    left->addLayout(keys);
    left->addSpacing(DialogUnits(this, 0, 6).height());
    left->addLayout(fixedKeys);
    left->addWidget(strokesBox);
    left->addWidget(colorBox_);
    for (QCheckBox* box : {animateBox_, paletteBox_, marksBox_, landingBox_}) left->addWidget(box);
    left->addStretch();
    left->addWidget(MakeOkCancelButtons(this, tr("&Ok"), tr("Canc&el")));
    auto* right = new QVBoxLayout;
    right->addWidget(bitmapBox);
    right->addWidget(padBox_);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);
    // Never smaller than the layout needs: a longer translation on a small
    // screen would otherwise be cut.
    setMinimumSize(DialogUnits(this, 305, 215).expandedTo(layout->totalMinimumSize()));

    ShowData();
}

void DesignDialog::ShowData() {
    for (int i = 0; i < kKeyFieldCount; ++i)
        keyFields_[static_cast<std::size_t>(i)]->SetKey(KeyOf(data_.keys, static_cast<KeyField>(i)));
    padBox_->Show(data_.pad);
    UpdatePreview();
    for (int i = 0; i < 4; ++i) strokeButtons_[static_cast<std::size_t>(i)]->setChecked(i == data_.dots);
    ShowBitmapName();
    colorBox_->setChecked(data_.color);
    animateBox_->setChecked(data_.animate);
    paletteBox_->setChecked(data_.distinctColours);
    marksBox_->setChecked(data_.marks);
    landingBox_->setChecked(data_.landing);
    intervalEdit_->setText(QString::number(data_.dotInterval));
}

void DesignDialog::SetStrokes(int dots) { data_.dots = dots; }

void DesignDialog::ShowBitmapName() {
    bitmapName_->setText(data_.bitmap.empty() ? QString()
                                              : QFileInfo(QString::fromStdString(data_.bitmap)).fileName());
}

void DesignDialog::UpdatePreview() {
    if (!loader_ || !loader_(data_.bitmap, previewPicture_)) previewPicture_ = MakeBlackImage();
    preview_->SetPicture(&previewPicture_);
}

void DesignDialog::ChooseBlack() {
    data_.bitmap.clear();
    bitmapName_->clear();
    UpdatePreview();
}

void DesignDialog::SelectBitmap() {
    FileDialogRequest request;
    request.initialPath = QString::fromStdString(data_.bitmap);
    request.defaultSuffix = QStringLiteral("bmp");
    request.filters = {tr("Bitmap files (*.bmp)"), tr("All files (*.*)")};
    const std::optional<QString> chosen = prompts_.OpenFile(this, request);
    if (!chosen) return;
    std::string path = chosen->toStdString();
    if (path.size() > kMaxBitmapPath) {
        // The settings file keeps no longer path; a cut one would name
        // another file.
        prompts_.Message(this, tr("The path of this file is too long: at most %1 characters can be kept.")
                                   .arg(kMaxBitmapPath));
        return;
    }
    data_.bitmap = std::move(path);
    ShowBitmapName();
    UpdatePreview();
}

void DesignDialog::accept() {
    const std::optional<int> interval =
        ReadIntegerField(prompts_, this, intervalEdit_, kMinInterval, kMaxInterval);
    if (!interval) return;
    const std::optional<PadSettings> pad = padBox_->Read(prompts_);
    if (!pad) return;
    data_.pad = *pad;
    for (int i = 0; i < kKeyFieldCount; ++i)
        KeyOf(data_.keys, static_cast<KeyField>(i)) = keyFields_[static_cast<std::size_t>(i)]->Key();
    data_.color = colorBox_->isChecked();
    data_.animate = animateBox_->isChecked();
    data_.distinctColours = paletteBox_->isChecked();
    data_.marks = marksBox_->isChecked();
    data_.landing = landingBox_->isChecked();
    data_.dotInterval = *interval;
    QDialog::accept();
}

bool RunDesignDialog(QWidget* parent, Settings& settings, Prompts& prompts, const BackgroundLoader& loader) {
    DesignDialog dialog(DesignValues::FromSettings(settings), prompts, loader, parent);
    bool stored = false;
    for (;;) {
        dialog.ShowData();
        if (prompts.Exec(dialog) == QDialog::Accepted) {
            dialog.Data().ApplyTo(settings);
            stored = true;
        }
        if (!KeysConflict(settings.keys)) return stored;
        prompts.Message(parent, DesignDialog::tr(kKeyConflictText));
    }
}

void LoadBackgroundOrAsk(QWidget* parent, Settings& settings, PixelImage& background, Prompts& prompts,
                         const BackgroundLoader& loader) {
    while (!settings.bitmap.empty()) {
        if (loader(settings.bitmap, background)) return;
        // The same words as BackgroundLoadErrorText, in the user's language.
        prompts.Message(parent, DesignDialog::tr("Cannon read bitmap file %1.Please change the file pathname or set "
                                                 "backround to BLACK")
                                    .arg(QString::fromStdString(settings.bitmap)));
        RunDesignDialog(parent, settings, prompts, loader);
    }
    if (!loader(std::string(), background)) background = MakeBlackImage();
}

void RunDesignCommand(QWidget* parent, Settings& settings, PixelImage& background, Prompts& prompts,
                      const BackgroundLoader& loader) {
    RunDesignDialog(parent, settings, prompts, loader);
    LoadBackgroundOrAsk(parent, settings, background, prompts, loader);
}

}  // namespace vexari
