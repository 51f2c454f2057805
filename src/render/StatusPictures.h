// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>
#include <vector>

#include "render/PixelImage.h"

namespace vexari {

// The pictures of the status line: for each of its two sequences (play and
// pause) 32 pictures of 194 x 20 pixels, black capital lettering on grey.
// Pictures 0 to 7 carry a white dithered chevron, at x = 15 k for picture
// k; pictures 8 to 31 are the plain lettering and share one image.
class StatusLinePictures {
public:
    static constexpr int kWidth = 194;
    static constexpr int kHeight = 20;
    static constexpr int kCount = 32;
    static constexpr int kSweep = 8;           // pictures with the chevron
    static constexpr int kChevronStep = 15;    // its x advance per picture
    static constexpr int kChevronWidth = 24;

    StatusLinePictures();
    StatusLinePictures(const StatusLinePictures&) = delete;
    StatusLinePictures& operator=(const StatusLinePictures&) = delete;
    // Moving keeps every picture where it is, so references stay valid.
    StatusLinePictures(StatusLinePictures&&) = default;
    StatusLinePictures& operator=(StatusLinePictures&&) = default;

    // The 32 pictures of a sequence, for AnimatedBitmapButton::SetFrames.
    // The references stay valid as long as this object lives.
    std::vector<const PixelImage*> Play() const { return Sequence(play_); }
    std::vector<const PixelImage*> Pause() const { return Sequence(pause_); }
    // Picture k (0 to 31) of the play or pause sequence.
    const PixelImage& Picture(bool pause, int k) const;

private:
    static std::vector<const PixelImage*> Sequence(const std::vector<PixelImage>& images);
    std::vector<PixelImage> play_;   // kSweep pictures with the chevron, then the plain one
    std::vector<PixelImage> pause_;
};

// Status-line lettering: "TO PLAY PRESS ENTER" / "TO PAUSE PRESS ESC".
inline constexpr std::string_view kPlayLettering = "TO PLAY PRESS ENTER";
inline constexpr std::string_view kPauseLettering = "TO PAUSE PRESS ESC";

// Draws the plain status-line lettering on a grey 194 x 20 picture: the
// last word in a taller, narrower face than the others.
PixelImage MakeStatusLettering(std::string_view text);

// Lays the white dithered right-pointing chevron over picture, its left
// edge at x, over the full height.
void DrawChevron(PixelImage& picture, int x);

// The five 60 x 60 LandingIndicator pictures (indices 0 to 4).
std::vector<PixelImage> MakeLandingIndicatorPictures();

}  // namespace vexari
