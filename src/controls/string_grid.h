#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>

#include "controls/control_frame.h"
#include "controls/model/cell_store.h"
#include "controls/system_colours.h"

class QContextMenuEvent;
class QMenu;
class QMimeData;
class QScrollBar;
class TVkGridClient;

enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
};
using TGridOptions = unsigned;
constexpr TGridOptions kDefaultGridOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

struct TGridCoord {
    int X = 0;
    int Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

// A rectangle of cells, corners included.
struct TGridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Contains(int col, int row) const {
        return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
    bool operator==(const TGridRect&) const = default;
};

// The table model over a grid's cell store. Writes are announced to views once per turn of the
// event loop, as one changed range: a plot run writes about a million cells in one handler, and
// the grid repaints once afterwards.
class TVkStringGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TVkStringGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const TCellStore& Store() const { return store_; }
    void SetCells(int col, int row, std::string_view text);
    void SetRowCount(int value);
    void SetColCount(int value);
    // Announces the pending changed range now instead of at the next turn of the event loop.
    void FlushChanges();

private:
    TCellStore store_;
    int dirtyLeft_ = 0, dirtyTop_ = 0, dirtyRight_ = -1, dirtyBottom_ = -1;
    bool flushQueued_ = false;
};

// The result tables' grid: a header row that stays in place, uniform rows and columns, a
// vertical (and optionally horizontal) scroll bar, and the flat hot-tracked frame and state
// colours the input fields share. Cells are texts in a sparse store; rows beyond RowCount keep
// their texts. The cell area is drawn from the store directly, only the visible part, so a
// grid of 90001 rows scrolls as fast as one of ten.
class TVkStringGrid : public QWidget, public TFramedControl {
    Q_OBJECT
public:
    explicit TVkStringGrid(QWidget* parent = nullptr);
    ~TVkStringGrid() override;

    // Cells[column, row]; row 0 is the header row. Texts are UTF-8.
    QString Cells(int col, int row) const;
    const std::string& CellText(int col, int row) const;
    void SetCells(int col, int row, std::string_view text);
    void SetCells(int col, int row, const QString& text);
    void SetCells(int col, int row, const char* text) {
        SetCells(col, row, std::string_view(text));
    }

    int RowCount() const;
    void SetRowCount(int value); // 0 or less sets 1
    int ColCount() const;
    void SetColCount(int value);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int value); // kept below RowCount
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int value);
    int DefaultColWidth() const { return colWidth_; }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return rowHeight_; }
    void SetDefaultRowHeight(int value);
    int GridLineWidth() const { return lineWidth_; }
    void SetGridLineWidth(int value);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);

    // Colours, beside the frame's background colours (Color, FocusColor, DisabledColor).
    QColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(const QColor& value);
    QColor LineColor() const { return lineColor_; }
    virtual void SetLineColor(const QColor& value);
    QColor FixedLineColor() const { return fixedLineColor_; }
    virtual void SetFixedLineColor(const QColor& value);

    // The frame shared with the input fields (TFramedControl's settings).
    // The system's visual theme never draws our frames (see TVkFrame::ThemeActive).
    virtual bool UseThemes() const { return TVkFrame::ThemeActive(); }

    // The background of the cells and of the empty area, chosen from the state.
    QColor CurrentBackground() const { return frame_.Background(isEnabled(), false); }
    // The colour the data lines are drawn in: LineColor, or 50 darker when it equals the
    // background, so the lines never vanish.
    QColor EffectiveLineColor() const;

    // Hint of the control and whether it shows (see hint_manager.h).
    QString Hint() const;
    void SetHint(const QString& value);
    bool ShowHint() const;
    void SetShowHint(bool value);

    // The cell under a point of the client area (the cells' area inside the frame); (-1, -1)
    // where there is none.
    void MouseToCell(int x, int y, int& col, int& row) const;
    TGridCoord MouseCoord(int x, int y) const;
    // A cell's rectangle in client coordinates, empty when it is not on screen.
    QRect CellRect(int col, int row) const;
    QWidget* ClientArea() const;

    // The current cell and the selection.
    int Col() const { return current_.X; }
    int Row() const { return current_.Y; }
    void SetCol(int value) { FocusCell(value, current_.Y, true); }
    void SetRow(int value) { FocusCell(current_.X, value, true); }
    TGridRect Selection() const;
    // Makes a cell current (kept inside the data area) and scrolls it into view; with
    // moveAnchor false the selection stretches from the anchor to it.
    void FocusCell(int col, int row, bool moveAnchor);
    // Selects every data row (Ctrl+A), also the rows a later run adds; the current cell and the
    // scroll position stay. The next move of the current cell ends it.
    void SelectAll();

    // Copying for a spreadsheet or a note: the clipboard gets the cells as tab-separated text
    // and as an HTML table, the header row first, the texts as the cells show them. "Copy"
    // (Ctrl+C) takes the selection, "Copy Row" the whole rows of the selection, "Copy Table"
    // every data row.
    void CopySelection() const;
    void CopyRows() const;
    void CopyTable() const;
    // The clipboard's content for a range of cells (the header rows are added).
    QMimeData* CellsMimeData(const TGridRect& range) const;
    // The menu of the cells ("Copy", "Copy Row", "Copy Table"), opened at a point of the screen
    // by the right button, the context-menu key or Shift+F10; null until first opened.
    QMenu* ContextMenu() const { return menu_; }
    void PopupContextMenu(const QPoint& globalPos);

    // Scroll position: the first scrollable row and column on screen.
    int TopRow() const { return topRow_; }
    void SetTopRow(int value);
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int value);
    // Scrollable rows (columns) that fit wholly into the client area.
    int VisibleRowCount() const;
    int VisibleColCount() const;

    TVkStringGridModel* Model() const { return model_; }
    QScrollBar* VerticalScrollBar() const { return vbar_; }
    QScrollBar* HorizontalScrollBar() const { return hbar_; }

    // After the grid's own handling, in client coordinates.
    std::function<void(QObject* sender, Qt::KeyboardModifiers shift, int x, int y)> OnMouseMove;
    // After every FocusCell (the mouse, the keys, the wheel, or the program), with the current
    // cell as it then is.
    std::function<void(QObject* sender, int col, int row)> OnCellFocused;

    // Paints the cells of the client area; the client widget calls it.
    void PaintCells(QPainter& painter, const QRect& dirty) const;

protected:
    void FrameChanged() override { update(); }
    void FrameColoursChanged() override { UpdateColors(); }
    virtual void UpdateColors();
    virtual void UpdateFrame(bool focusFlag, bool value);
    virtual void PaintFrame(QPainter& painter);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

private:
    friend class TVkGridClient;
    void ClientMousePress(QMouseEvent* event);
    void ClientMouseMove(QMouseEvent* event);
    void ClientMouseRelease(QMouseEvent* event);
    void ClientContextMenu(QContextMenuEvent* event);
    // Where the menu opens from the keyboard: below the current cell's left corner.
    QPoint KeyboardMenuPos() const;
    void LayoutChildren();
    void ClampPositions();
    void ModelChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    int MaxTopRow() const;
    int MaxLeftCol() const;
    int RowStep() const;
    int ColStep() const;

    TVkStringGridModel* model_;
    TVkGridClient* client_;
    QScrollBar* vbar_;
    QScrollBar* hbar_;

    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int colWidth_ = 60;
    int rowHeight_ = 18;
    int lineWidth_ = 1;
    TGridOptions options_ = kDefaultGridOptions;
    TScrollStyle scrollBars_ = ssBoth;
    QColor fixedColor_;
    QColor lineColor_;
    QColor fixedLineColor_;

    TGridCoord current_{1, 1};
    TGridCoord anchor_{1, 1};
    int topRow_ = 1;
    int leftCol_ = 1;
    bool selecting_ = false;
    bool allSelected_ = false;
    int wheelRemainder_ = 0;
    QMenu* menu_ = nullptr;
};
