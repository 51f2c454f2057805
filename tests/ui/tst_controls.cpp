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
    void animatedButtonStepsAndKeepsItsPlaceWhenTheListChanges() {
        const Pictures pics(32);
        AnimatedBitmapButton b("status", 32787);
        b.SetFrames(pics.refs, 2);
        // 2 ticks of 55 ms a picture: a whole sweep of 32 pictures is 64 ticks.
        for (int tick = 0; tick <= 66; ++tick, b.OnTimerTick()) QCOMPARE(b.CurrentPicture(), pics[tick / 2 % 32]);

        struct Case {
            const char* what;
            int oldTicks, ticks;  // before: picture ticks / oldTicks, counter ticks % oldTicks
            int newCount, newTicks, picture, counter;
            bool animating;
        } cases[] = {
            {"same pace keeps picture and counter", 2, 11, 32, 2, 5, 1, true},
            {"faster clears a counter not below it", 3, 8, 32, 2, 2, 0, true},
            {"a picture past the new list starts again", 2, 11, 4, 2, 0, 1, true},
            {"a still picture", 2, 9, 1, 0, 0, 0, false},
            {"negative ticks count as still", 2, 9, 32, -3, 0, 0, false},
        };
        for (const Case& c : cases) {
            const Pictures after(c.newCount);
            AnimatedBitmapButton t("status", 32787);
            t.SetFrames(pics.refs, c.oldTicks);
            Tick(t, c.ticks);
            t.SetFrames(after.refs, c.newTicks);
            QVERIFY2(t.PictureNumber() == c.picture && t.CurrentPicture() == after[c.picture], c.what);
            QVERIFY2(t.TickCounter() == c.counter && t.IsAnimating() == c.animating, c.what);
            // An animation goes on from where it was; a still picture stays.
            Tick(t, c.animating ? c.newTicks - c.counter : 5);
            const int next = c.animating ? (c.picture + 1) % c.newCount : c.picture;
            QVERIFY2(t.CurrentPicture() == after[next] && t.TickCounter() == 0, c.what);
        }
        // An empty list holds nothing to step through.
        b.SetFrames({}, 1);
        Tick(b, 5);
        QCOMPARE(b.FrameCount(), 0);
    }

    void leftClickSendsCommandAndReturnsFocus() {
        QWidget window;
        window.setFocusPolicy(Qt::StrongFocus);
        auto* next = new LabelButton("Next", 32773, &window);
        next->setGeometry(10, 10, 60, 25);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.setFocus();
        QCOMPARE(next->focusPolicy(), Qt::ClickFocus);  // Tab never moves the focus onto a label

        QSignalSpy spy(next, &OwnerDrawnButton::command);
        QTest::mousePress(next, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(next->hasFocus());  // the label takes the focus while pressed
        QTest::mouseRelease(next, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 32773);
        QVERIFY(window.hasFocus());  // and gives it back on release
        // No click: the right button, or the left one released outside.
        QTest::mouseClick(next, Qt::RightButton, {}, QPoint(5, 5));
        QTest::mousePress(next, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(next, Qt::LeftButton, {}, QPoint(500, 500));
        QCOMPARE(spy.count(), 1);

        const QFontMetrics fm(next->font());  // sized to its text, at most 99 characters of it
        QCOMPARE(LabelButton::SizeForText(QString(150, QChar('x')), next->font()),
                 QSize(fm.horizontalAdvance(QString(99, QChar('x'))) + 10, fm.height() + 9));
    }

    void buttonsPaintTheirFaces() {
        LabelButton label("", 32771);
        label.resize(40, 20);
        QImage shot = label.grab().toImage();
        QCOMPARE(PixelAt(shot, 1, 1), kWhite);
        QCOMPARE(PixelAt(shot, 38, 18), kDarkGrey);
        label.setDown(true);
        QCOMPARE(PixelAt(label.grab().toImage(), 1, 1), kDarkGrey);

        // The status line: a 194 x 20 picture in a 203 x 26 button, moved by one when pushed.
        const PixelImage red(194, 20, MakeColor(255, 0, 0));
        AnimatedBitmapButton b("status", 32787);
        b.resize(203, 26);
        b.SetFrames(std::vector<const PixelImage*>{&red}, 0);
        shot = b.grab().toImage();
        QCOMPARE(PixelAt(shot, 2, 2), kGrey);
        QCOMPARE(PixelAt(shot, 196, 22), MakeColor(255, 0, 0));
        b.setDown(true);
        QCOMPARE(PixelAt(b.grab().toImage(), 2, 2), MakeColor(255, 0, 0));

        TiledPictureControl tiled;  // no picture yet, or an empty one: painting must return
        tiled.resize(117, 117);
        tiled.grab();
        const PixelImage empty;
        tiled.SetPicture(&empty);
        tiled.grab();
        QVERIFY(tiled.testAttribute(Qt::WA_TransparentForMouseEvents));
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
