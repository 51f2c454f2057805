#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "ui/Controls.h"
#include "ui/StatusPictures.h"

using namespace vexari;

namespace {

// A list of count distinct pictures, each 1 x 1 of its own colour.
struct Pictures {
    std::vector<PixelImage> images;
    std::vector<const PixelImage*> refs;
    explicit Pictures(int count) {
        images.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) images.emplace_back(1, 1, MakeColor(i, 0, 0));
        for (const PixelImage& p : images) refs.push_back(&p);
    }
    const PixelImage* operator[](int i) const { return refs[static_cast<std::size_t>(i)]; }
};

void Tick(AnimatedBitmapButton& b, int n) {
    for (int i = 0; i < n; ++i) b.OnTimerTick();
}

Color PixelAt(const QImage& img, int x, int y) { return 0xFF000000u | img.pixel(x, y); }

}  // namespace

class TestControls : public QObject {
    Q_OBJECT
private slots:
    void animatedButtonStepsEveryTicksPerPicture();
    void setFramesKeepsThePictureNumberInTheNewSequence();
    void setFramesStillPictureStops();
    void setFramesEmptyListHoldsNothing();
    void statusLineSweepWithRealPictures();
    void labelClickSendsCommandAndReturnsFocus();
    void rightClickSendsNothing();
    void labelSizeIsTextExtentPlusMargins();
    void labelPaintsRaisedFaceAndPushedFrame();
    void animatedButtonPaintsItsPicture();
    void tiledPictureRepeatsOverTheControl();
    void tiledPictureWithoutPicturePaintsNothing();
};

void TestControls::animatedButtonStepsEveryTicksPerPicture() {
    const Pictures pics(32);
    AnimatedBitmapButton b("status", 32787);
    QVERIFY(!b.IsAnimating());
    b.SetFrames(pics.refs, 2);
    QVERIFY(b.IsAnimating());
    QCOMPARE(b.CurrentPicture(), pics[0]);
    b.OnTimerTick();
    QCOMPARE(b.PictureNumber(), 0);
    QCOMPARE(b.TickCounter(), 1);
    b.OnTimerTick();
    QCOMPARE(b.PictureNumber(), 1);
    QCOMPARE(b.TickCounter(), 0);
    QCOMPARE(b.CurrentPicture(), pics[1]);
    // 2 ticks of 55 ms a picture: a whole sweep of 32 pictures is 64 ticks.
    Tick(b, 60);
    QCOMPARE(b.PictureNumber(), 31);
    QCOMPARE(b.CurrentPicture(), pics[31]);
    Tick(b, 1);
    QCOMPARE(b.CurrentPicture(), pics[31]);
    Tick(b, 1);
    QCOMPARE(b.PictureNumber(), 0);
    QCOMPARE(b.CurrentPicture(), pics[0]);
}

void TestControls::setFramesKeepsThePictureNumberInTheNewSequence() {
    const Pictures play(32), pause(32), shorter(4);
    AnimatedBitmapButton b("status", 32787);
    b.SetFrames(play.refs, 2);
    Tick(b, 11);  // picture 5, one tick counted
    QCOMPARE(b.PictureNumber(), 5);
    QCOMPARE(b.TickCounter(), 1);
    b.SetFrames(pause.refs, 2);
    QCOMPARE(b.PictureNumber(), 5);
    QCOMPARE(b.TickCounter(), 1);
    QCOMPARE(b.CurrentPicture(), pause[5]);
    QVERIFY(b.IsAnimating());
    b.OnTimerTick();
    QCOMPARE(b.CurrentPicture(), pause[6]);
    // A repeated call with the same list continues where it was.
    b.SetFrames(pause.refs, 2);
    QCOMPARE(b.CurrentPicture(), pause[6]);
    // A picture number past the new list starts it again; a tick counter
    // not below the new ticks per picture is cleared.
    b.SetFrames(pause.refs, 3);
    Tick(b, 2);
    QCOMPARE(b.TickCounter(), 2);
    b.SetFrames(shorter.refs, 2);
    QCOMPARE(b.PictureNumber(), 0);
    QCOMPARE(b.TickCounter(), 0);
    QCOMPARE(b.CurrentPicture(), shorter[0]);
}

void TestControls::setFramesStillPictureStops() {
    const Pictures play(32), still(1);
    AnimatedBitmapButton b("status", 32787);
    b.SetFrames(play.refs, 2);
    Tick(b, 9);
    QCOMPARE(b.PictureNumber(), 4);
    b.SetFrames(still.refs, 0);
    QVERIFY(!b.IsAnimating());
    QCOMPARE(b.PictureNumber(), 0);
    QCOMPARE(b.CurrentPicture(), still[0]);
    Tick(b, 10);
    QCOMPARE(b.CurrentPicture(), still[0]);
    QCOMPARE(b.TickCounter(), 0);
    // Back to the animated list: it starts at picture 0 again.
    b.SetFrames(play.refs, 2);
    QVERIFY(b.IsAnimating());
    QCOMPARE(b.CurrentPicture(), play[0]);
    // Negative ticks count as still.
    b.SetFrames(play.refs, -3);
    QVERIFY(!b.IsAnimating());
    QCOMPARE(b.TicksPerPicture(), 0);
}

void TestControls::setFramesEmptyListHoldsNothing() {
    const Pictures play(3);
    AnimatedBitmapButton b("status", 32787);
    b.SetFrames(play.refs, 1);
    Tick(b, 1);
    QCOMPARE(b.CurrentPicture(), play[1]);
    b.SetFrames({}, 1);
    QCOMPARE(b.FrameCount(), 0);
    Tick(b, 5);  // nothing to step through
    QCOMPARE(b.CurrentPicture(), play[1]);
    QCOMPARE(b.PictureNumber(), 0);
}

void TestControls::statusLineSweepWithRealPictures() {
    const StatusLinePictures pics;
    AnimatedBitmapButton b("... Press ENTER to play ...", 32787);
    b.SetFrames(pics.Play(), 2);
    Tick(b, 14);
    QCOMPARE(b.CurrentPicture(), &pics.Picture(false, 7));
    // Animation switched off: picture 7 alone, still.
    const std::vector<const PixelImage*> seventh{&pics.Picture(false, 7)};
    b.SetFrames(seventh, 0);
    QCOMPARE(b.CurrentPicture(), &pics.Picture(false, 7));
    QVERIFY(!b.IsAnimating());
}

void TestControls::labelClickSendsCommandAndReturnsFocus() {
    QWidget window;
    window.resize(200, 200);
    window.setFocusPolicy(Qt::StrongFocus);
    auto* next = new LabelButton("Next", 32773, &window);
    next->setGeometry(10, 10, 60, 25);
    auto* status = new AnimatedBitmapButton("status", 32787, &window);
    status->setGeometry(10, 50, 100, 26);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.setFocus();
    QVERIFY(window.hasFocus());

    QSignalSpy spy(next, &OwnerDrawnButton::command);
    QTest::mousePress(next, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(next->hasFocus());  // the label takes the focus while pressed
    QCOMPARE(spy.count(), 0);
    QTest::mouseRelease(next, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 32773);
    QVERIFY(window.hasFocus());  // and gives it back on release

    QSignalSpy statusSpy(status, &OwnerDrawnButton::command);
    QTest::mouseClick(status, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(statusSpy.count(), 1);
    QCOMPARE(statusSpy.at(0).at(0).toInt(), 32787);
    QVERIFY(window.hasFocus());

    // Tab never moves the focus onto a label.
    QCOMPARE(next->focusPolicy(), Qt::ClickFocus);
}

void TestControls::rightClickSendsNothing() {
    LabelButton label("Score", 32770);
    label.resize(60, 25);
    QSignalSpy spy(&label, &OwnerDrawnButton::command);
    QTest::mouseClick(&label, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(spy.count(), 0);
    // Released outside the button: no click.
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(500, 500));
    QCOMPARE(spy.count(), 0);
}

void TestControls::labelSizeIsTextExtentPlusMargins() {
    LabelButton label("Level", 32771);
    const QFontMetrics fm(label.font());
    QCOMPARE(label.sizeHint(), QSize(fm.horizontalAdvance("Level") + 10, fm.height() + 9));
    const QString longText(150, QChar('x'));
    QCOMPARE(LabelButton::SizeForText(longText, label.font()).width(),
             fm.horizontalAdvance(QString(99, QChar('x'))) + 10);
}

void TestControls::labelPaintsRaisedFaceAndPushedFrame() {
    LabelButton label("", 32771);
    label.resize(40, 20);
    QImage up = label.grab().toImage();
    QCOMPARE(PixelAt(up, 0, 0), kDarkGrey);
    QCOMPARE(PixelAt(up, 39, 0), kGrey);  // the edge's odd corner
    QCOMPARE(PixelAt(up, 1, 1), kWhite);
    QCOMPARE(PixelAt(up, 38, 18), kDarkGrey);
    QCOMPARE(PixelAt(up, 39, 19), kGrey);
    QCOMPARE(PixelAt(up, 20, 10), kGrey);
    label.setDown(true);
    QImage down = label.grab().toImage();
    QCOMPARE(PixelAt(down, 1, 1), kDarkGrey);
    QCOMPARE(PixelAt(down, 38, 1), kGrey);
    QCOMPARE(PixelAt(down, 39, 10), kWhite);
    QCOMPARE(PixelAt(down, 38, 10), kGrey);  // the inner ring's right line is covered
}

void TestControls::animatedButtonPaintsItsPicture() {
    const PixelImage red(194, 20, MakeColor(255, 0, 0));
    AnimatedBitmapButton b("status", 32787);
    b.resize(203, 26);
    const std::vector<const PixelImage*> one{&red};
    b.SetFrames(one, 0);
    QImage up = b.grab().toImage();
    QCOMPARE(PixelAt(up, 2, 2), kGrey);
    QCOMPARE(PixelAt(up, 3, 3), MakeColor(255, 0, 0));
    QCOMPARE(PixelAt(up, 196, 22), MakeColor(255, 0, 0));
    QCOMPARE(PixelAt(up, 197, 22), kGrey);  // the face beyond the picture
    QCOMPARE(PixelAt(up, 3, 23), kGrey);
    b.setDown(true);
    QImage down = b.grab().toImage();
    QCOMPARE(PixelAt(down, 2, 2), MakeColor(255, 0, 0));
    QCOMPARE(PixelAt(down, 201, 1), kBlack);  // pushed frame's odd corner
}

void TestControls::tiledPictureRepeatsOverTheControl() {
    PixelImage pic(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) pic.SetPixel(x, y, MakeColor(x, y, 9));
    TiledPictureControl control;
    control.SetPicture(&pic);
    QCOMPARE(control.PictureSize(), QSize(32, 32));
    QCOMPARE(control.sizeHint(), QSize(32, 32));
    control.resize(117, 117);
    const QImage shown = control.grab().toImage();
    QCOMPARE(PixelAt(shown, 100, 40), MakeColor(4, 8, 9));
    QCOMPARE(PixelAt(shown, 116, 116), MakeColor(20, 20, 9));
    QVERIFY(control.testAttribute(Qt::WA_TransparentForMouseEvents));
}

void TestControls::tiledPictureWithoutPicturePaintsNothing() {
    TiledPictureControl control;
    control.resize(50, 50);
    control.grab();  // must return, painting nothing
    const PixelImage empty;
    control.SetPicture(&empty);
    control.grab();
    QCOMPARE(control.PictureSize(), QSize(0, 0));
}

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
