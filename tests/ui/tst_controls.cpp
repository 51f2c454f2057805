#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "ui/Controls.h"

using namespace vexari;

namespace {

// A list of count distinct pictures, each 1 x 1 of its own colour.
struct Pictures {
    std::vector<PixelImage> images;
    std::vector<const PixelImage*> refs;
    explicit Pictures(int count) {
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
    void setFramesKeepsWhatStillFits();
    void setFramesEmptyListHoldsNothing();
    void leftClickSendsCommandAndReturnsFocus();
    void labelSizeIsTextExtentPlusMargins();
    void buttonsPaintTheirFaces();
    void tiledPictureRepeatsOverTheControl();
};

void TestControls::animatedButtonStepsEveryTicksPerPicture() {
    const Pictures pics(32);
    AnimatedBitmapButton b("status", 32787);
    QVERIFY(!b.IsAnimating());
    b.SetFrames(pics.refs, 2);
    QVERIFY(b.IsAnimating());
    // 2 ticks of 55 ms a picture: a whole sweep of 32 pictures is 64 ticks.
    for (int tick = 0; tick <= 66; ++tick, b.OnTimerTick()) QCOMPARE(b.CurrentPicture(), pics[tick / 2 % 32]);
}

void TestControls::setFramesKeepsWhatStillFits() {
    struct Case {
        const char* what;
        int oldCount, oldTicks, ticks;  // before: picture ticks / oldTicks, counter ticks % oldTicks
        int newCount, newTicks, picture, counter;
        bool animating;
    };
    const Case cases[] = {
        {"same pace keeps picture and counter", 32, 2, 11, 32, 2, 5, 1, true},
        {"slower keeps a counter below it", 32, 2, 11, 32, 3, 5, 1, true},
        {"faster clears a counter not below it", 32, 3, 8, 32, 2, 2, 0, true},
        {"a picture past the new list starts again", 32, 2, 11, 4, 2, 0, 1, true},
        {"single still picture", 32, 2, 9, 1, 0, 0, 0, false},
        {"a still list shows its first picture", 32, 2, 9, 32, 0, 0, 0, false},
        {"negative ticks count as still", 32, 2, 9, 32, -3, 0, 0, false},
    };
    for (const Case& c : cases) {
        const Pictures before(c.oldCount), after(c.newCount);
        AnimatedBitmapButton b("status", 32787);
        b.SetFrames(before.refs, c.oldTicks);
        Tick(b, c.ticks);
        b.SetFrames(after.refs, c.newTicks);
        QVERIFY2(b.PictureNumber() == c.picture && b.CurrentPicture() == after[c.picture], c.what);
        QVERIFY2(b.TickCounter() == c.counter && b.IsAnimating() == c.animating, c.what);
        // An animation goes on from where it was; a still picture stays.
        Tick(b, c.animating ? c.newTicks - c.counter : 5);
        const int next = c.animating ? (c.picture + 1) % c.newCount : c.picture;
        QVERIFY2(b.CurrentPicture() == after[next] && b.TickCounter() == 0, c.what);
    }
}

void TestControls::setFramesEmptyListHoldsNothing() {
    const Pictures play(3);
    AnimatedBitmapButton b("status", 32787);
    b.SetFrames(play.refs, 1);
    Tick(b, 1);
    b.SetFrames({}, 1);
    QCOMPARE(b.FrameCount(), 0);
    Tick(b, 5);  // nothing to step through
    QCOMPARE(b.CurrentPicture(), play[1]);
    QCOMPARE(b.PictureNumber(), 0);
}

void TestControls::leftClickSendsCommandAndReturnsFocus() {
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
    QCOMPARE(next->focusPolicy(), Qt::ClickFocus);  // Tab never moves the focus onto a label

    QSignalSpy spy(next, &OwnerDrawnButton::command);
    QTest::mousePress(next, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(next->hasFocus());  // the label takes the focus while pressed
    QCOMPARE(spy.count(), 0);
    QTest::mouseRelease(next, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 32773);
    QVERIFY(window.hasFocus());  // and gives it back on release
    // No click: the right button, or the left one released outside.
    QTest::mouseClick(next, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mousePress(next, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(next, Qt::LeftButton, {}, QPoint(500, 500));
    QCOMPARE(spy.count(), 1);

    QSignalSpy statusSpy(status, &OwnerDrawnButton::command);
    QTest::mouseClick(status, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(statusSpy.count(), 1);
    QCOMPARE(statusSpy.at(0).at(0).toInt(), 32787);
    QVERIFY(window.hasFocus());
}

void TestControls::labelSizeIsTextExtentPlusMargins() {
    LabelButton label("Level", 32771);
    const QFontMetrics fm(label.font());
    QCOMPARE(label.sizeHint(), QSize(fm.horizontalAdvance("Level") + 10, fm.height() + 9));
    QCOMPARE(LabelButton::SizeForText(QString(150, QChar('x')), label.font()).width(),
             fm.horizontalAdvance(QString(99, QChar('x'))) + 10);  // at most 99 characters
}

void TestControls::buttonsPaintTheirFaces() {
    LabelButton label("", 32771);
    label.resize(40, 20);
    QImage shot = label.grab().toImage();
    QCOMPARE(PixelAt(shot, 1, 1), kWhite);
    QCOMPARE(PixelAt(shot, 38, 18), kDarkGrey);
    label.setDown(true);
    shot = label.grab().toImage();
    QCOMPARE(PixelAt(shot, 1, 1), kDarkGrey);
    QCOMPARE(PixelAt(shot, 38, 10), kGrey);  // the inner ring's right line is covered

    // The status line: a 194 x 20 picture in a 203 x 26 button.
    const PixelImage red(194, 20, MakeColor(255, 0, 0));
    AnimatedBitmapButton b("status", 32787);
    b.resize(203, 26);
    b.SetFrames(std::vector<const PixelImage*>{&red}, 0);
    shot = b.grab().toImage();
    QCOMPARE(PixelAt(shot, 2, 2), kGrey);
    QCOMPARE(PixelAt(shot, 196, 22), MakeColor(255, 0, 0));
    QCOMPARE(PixelAt(shot, 197, 22), kGrey);  // the face beyond the picture
    b.setDown(true);
    shot = b.grab().toImage();
    QCOMPARE(PixelAt(shot, 2, 2), MakeColor(255, 0, 0));
    QCOMPARE(PixelAt(shot, 201, 1), kBlack);  // the pushed frame's odd corner
}

void TestControls::tiledPictureRepeatsOverTheControl() {
    TiledPictureControl control;
    control.resize(117, 117);
    control.grab();  // no picture yet: must return, painting nothing
    const PixelImage empty;
    control.SetPicture(&empty);
    control.grab();
    QCOMPARE(control.PictureSize(), QSize(0, 0));

    // The tiling itself is TilePicture's.
    PixelImage pic(32, 32, MakeColor(0, 0, 9));
    pic.SetPixel(20, 20, MakeColor(20, 20, 9));
    control.SetPicture(&pic);
    QCOMPARE(control.sizeHint(), QSize(32, 32));
    QCOMPARE(PixelAt(control.grab().toImage(), 116, 116), MakeColor(20, 20, 9));
    QVERIFY(control.testAttribute(Qt::WA_TransparentForMouseEvents));
}

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
