#include "common/FlexGrid.h"

#include "common/CommonVariables.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QPointer>
#include <QScrollBar>
#include <QTableView>
#include <QWheelEvent>
#include <algorithm>

int WheelPageRows(int gridHeight, int row0Height) {
    const int fit = row0Height > 0 ? gridHeight / row0Height : 0;
    return std::max(10, fit);
}

int WheelTopRow(int topRow, int rotation, int pageRows, int rows) {
    if (rotation > 0)
        return std::max(1, topRow - pageRows);
    return std::min(rows - 1, topRow + pageRows);
}

namespace {

// Sits on the grid's viewport and takes every wheel event, so the view never
// scrolls by itself as well. High-resolution wheels and touch pads send
// fractions of a step: they are summed until a whole step (120) is reached.
class WheelFilter : public QObject {
public:
    WheelFilter(QTableView *grid) : QObject(grid->viewport()), grid_(grid) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::Wheel)
            return QObject::eventFilter(watched, event);
        auto *wheel = static_cast<QWheelEvent *>(event);
        pending_ += wheel->angleDelta().y();
        const QPoint at = wheel->position().toPoint();
        while (grid_ && std::abs(pending_) >= 120) {
            const int rotation = pending_ > 0 ? 1 : -1;
            pending_ -= rotation * 120;
            ScrollGridByWheel(int(wheel->modifiers()), rotation, at.x(), at.y(), grid_);
        }
        event->accept();
        return true;
    }

private:
    QPointer<QTableView> grid_;
    int pending_ = 0;
};

QPointer<WheelFilter> &Hook() {
    static QPointer<WheelFilter> hook;
    return hook;
}

} // namespace

void HookWheel(QObject *screen, QTableView *grid) {
    if (Hook() || !grid)
        return;
    HookedForm = screen;
    WheelGrid = grid;
    Hook() = new WheelFilter(grid);
    grid->viewport()->installEventFilter(Hook());
}

void UnhookWheel() {
    delete Hook().data();
    HookedForm = nullptr;
    WheelGrid = nullptr;
}

void ScrollGridByWheel(int, int rotation, int, int, QTableView *grid) {
    if (!grid || !grid->model())
        return;
    QAbstractItemModel *model = grid->model();
    const int modelRows = model->rowCount(grid->rootIndex());
    if (modelRows <= 0)
        return;
    const int row0Height = grid->horizontalHeader()->isVisible() ? grid->horizontalHeader()->height()
                                                                 : grid->rowHeight(0);
    const int page = WheelPageRows(grid->height(), row0Height);
    const int top = grid->rowAt(0) + 1; // grid rows count the heading as row 0
    const int newTop = WheelTopRow(std::max(1, top), rotation, page, modelRows + 1);
    // Only the rows move: the column the user scrolled to stays in view.
    const int column = grid->horizontalScrollBar()->value();
    grid->scrollTo(model->index(newTop - 1, 0, grid->rootIndex()), QAbstractItemView::PositionAtTop);
    grid->horizontalScrollBar()->setValue(column);
}
