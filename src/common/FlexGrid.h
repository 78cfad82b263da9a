#pragma once
// Mouse-wheel paging for the report grid: while the report is the active
// screen, every wheel step moves the grid a page of at least 10 rows.
//
// Rows are counted as on the report grid: row 0 is the heading (the view's
// horizontal header) and model row r is grid row r + 1, so the grid has
// model rows + 1 rows and its first visible row lies between 1 and rows - 1.
class QObject;
class QTableView;

// Rows a wheel step moves: the rows that fit in the grid's height, at least 10.
int WheelPageRows(int gridHeight, int row0Height);
// The first visible row after one wheel step: rotation > 0 (away from the
// user) moves up a page but not above row 1, otherwise down a page but not
// past rows - 1.
int WheelTopRow(int topRow, int rotation, int pageRows, int rows);

// Attaches the paging to the grid of a screen. At most one grid is hooked at
// a time: while a hook is in place, a second call does nothing.
void HookWheel(QObject *screen, QTableView *grid);
// Removes the hook; nothing happens when none is in place.
void UnhookWheel();
// One wheel step on the grid; the key flags and the position are not used.
void ScrollGridByWheel(int keyFlags, int rotation, int x, int y, QTableView *grid);
