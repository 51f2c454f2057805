// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameAccessible.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QLocale>
#include <QPointer>
#include <algorithm>
#include <cstdint>

#include "app/GameView.h"

namespace vexari {
namespace {

bool IsCounter(GamePart part) { return part == GamePart::Score || part == GamePart::Level || part == GamePart::Lines; }

QString WellValue(const GameRecord& r) {
    const int stack = r.height - std::clamp(r.stackTop, 0, r.height);
    if (r.waitingForStart)
        return QCoreApplication::translate("vexari::GameAccessible", "Waiting for the start, stack %1 of %2 rows")
            .arg(stack)
            .arg(r.height);
    if (!r.running)
        return QCoreApplication::translate("vexari::GameAccessible", "Paused, stack %1 of %2 rows")
            .arg(stack)
            .arg(r.height);
    int column = 0;  // leftmost column of the falling figure
    while (column < 3 && std::all_of(&r.mask.e[static_cast<std::size_t>(column * 4)],
                                     &r.mask.e[static_cast<std::size_t>(column * 4 + 4)], [](auto v) { return !v; }))
        ++column;
    return QCoreApplication::translate("vexari::GameAccessible", "Figure %1 in column %2, stack %3 of %4 rows")
        .arg(QChar(FigureLetter(FigureIndexOf(r.mask))))
        .arg(r.x + column + 1)
        .arg(stack)
        .arg(r.height);
}

// A part drawn in the view's image: no object of its own, told by the view.
class PartAccessible final : public QAccessibleInterface, public QAccessibleValueInterface {
public:
    PartAccessible(GameView* view, GamePart part) : view_(view), part_(part) {}

    bool isValid() const override { return !view_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (!view_) return {};
        if (t == QAccessible::Name) return GamePartName(part_);
        if (t == QAccessible::Value)
            return DescribeGame(view_->ShownRecord(), view_->ShownSettings()).values[static_cast<std::size_t>(part_)];
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!view_) return {};
        const Rect r = GamePartRect(part_, view_->Layout());
        return {view_->mapToGlobal(QPoint(r.x, r.y)), QSize(r.w, r.h)};
    }
    QAccessible::Role role() const override {
        return IsCounter(part_) ? QAccessible::StaticText : QAccessible::Graphic;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !view_ || !view_->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface && IsCounter(part_) ? static_cast<QAccessibleValueInterface*>(this)
                                                                       : nullptr;
    }

    // The counters as numbers.
    QVariant currentValue() const override { return view_ ? GamePartNumber(part_, view_->ShownRecord()) : 0; }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return INT32_MAX; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    QPointer<GameView> view_;
    GamePart part_;
};

// The view: its value is the summary line; the drawn parts come before the
// child widgets.
class GameViewAccessible final : public QAccessibleWidget {
public:
    explicit GameViewAccessible(GameView* view) : QAccessibleWidget(view, QAccessible::Client) {
        for (int p = 0; p < kGamePartCount; ++p) {
            auto* part = new PartAccessible(view, static_cast<GamePart>(p));
            parts_[static_cast<std::size_t>(p)] = part;
            ids_[static_cast<std::size_t>(p)] = QAccessible::registerAccessibleInterface(part);
        }
    }
    ~GameViewAccessible() override {
        for (const QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
    }

    QString text(QAccessible::Text t) const override {
        const auto* view = static_cast<const GameView*>(widget());
        if (t == QAccessible::Name) return GameAccessibleName();
        if (t == QAccessible::Value) return DescribeGame(view->ShownRecord(), view->ShownSettings()).summary;
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return kGamePartCount + QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0) return nullptr;
        if (index < kGamePartCount) return parts_[static_cast<std::size_t>(index)];
        return QAccessibleWidget::child(index - kGamePartCount);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int p = 0; p < kGamePartCount; ++p)
            if (parts_[static_cast<std::size_t>(p)] == child) return p;
        const int k = QAccessibleWidget::indexOfChild(child);
        return k < 0 ? -1 : k + kGamePartCount;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        if (QAccessibleInterface* widgetChild = QAccessibleWidget::childAt(x, y)) return widgetChild;
        for (PartAccessible* part : parts_)
            if (part->rect().contains(x, y)) return part;
        return nullptr;
    }

private:
    std::array<PartAccessible*, kGamePartCount> parts_{};
    std::array<QAccessible::Id, kGamePartCount> ids_{};
};

QAccessibleInterface* GameViewFactory(const QString& key, QObject* object) {
    if (key == QLatin1String(GameView::staticMetaObject.className()) && object && object->isWidgetType())
        return new GameViewAccessible(static_cast<GameView*>(object));
    return nullptr;
}

}  // namespace

GameDescription DescribeGame(const GameRecord& r, const Settings& s) {
    const QLocale locale;
    GameDescription d;
    QString next = QString(QChar(FigureLetter(r.nextFigure)));
    if (!s.next)
        next = QCoreApplication::translate("vexari::GameAccessible", "hidden");
    else if (r.waitingForStart)
        next = QCoreApplication::translate("vexari::GameAccessible", "none yet");
    d.values = {WellValue(r), next, locale.toString(r.score), locale.toString(r.Level()), locale.toString(r.lines)};
    d.summary = QCoreApplication::translate("vexari::GameAccessible", "Score %1, level %2, lines %3, next figure %4")
                    .arg(d.values[2], d.values[3], d.values[4], next);
    return d;
}

QString GameAccessibleName() { return QCoreApplication::translate("vexari::GameAccessible", "Game"); }

QString GamePartName(GamePart part) {
    switch (part) {
        case GamePart::Well: return QCoreApplication::translate("vexari::GameAccessible", "Well");
        case GamePart::Next: return QCoreApplication::translate("vexari::GameAccessible", "Next figure");
        case GamePart::Score: return QCoreApplication::translate("vexari::GameAccessible", "Score");
        case GamePart::Level: return QCoreApplication::translate("vexari::GameAccessible", "Level");
        case GamePart::Lines: break;
    }
    return QCoreApplication::translate("vexari::GameAccessible", "Lines");
}

int GamePartNumber(GamePart part, const GameRecord& r) {
    switch (part) {
        case GamePart::Score: return r.score;
        case GamePart::Level: return r.Level();
        case GamePart::Lines: return r.lines;
        default: return 0;
    }
}

Rect GamePartRect(GamePart part, const WindowLayout& l) {
    switch (part) {
        case GamePart::Well: return l.well;
        case GamePart::Next: return l.nextPanel;
        case GamePart::Score: return l.scoreBox;
        case GamePart::Level: return l.levelBox;
        case GamePart::Lines: break;
    }
    return l.linesBox;
}

void InstallGameAccessibility() {
    static const bool installed = (QAccessible::installFactory(GameViewFactory), true);
    (void)installed;
}

}  // namespace vexari
