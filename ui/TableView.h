#pragma once

#include "ui/TouchInput.h"
#include "ui/View.h"

#include <QElapsedTimer>

#include <QHash>
#include <QList>
#include <vector>

class TableView;

// A row of a table: made by the data source, handed back to it for reuse under its identifier.
class TableViewCell : public View {
    Q_OBJECT
public:
    enum SelectionStyle { SelectionNone, SelectionBlue };
    TableViewCell(const QRect& frame, const QString& reuseIdentifier, QWidget* parent = nullptr);

    QString reuseIdentifier() const { return identifier; }
    void setSelectionStyle(SelectionStyle style) { selection = style; }
    SelectionStyle selectionStyle() const { return selection; }
    virtual void setSelected(bool selected, bool animated);
    bool isSelected() const { return selectedState; }
    // The row index the cell shows (-1 while it waits for reuse).
    int row() const { return rowIndex; }
    // Selects the row as a tap does (the keyboard, assistive technology).
    void press() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class TableView;
    QString identifier;
    SelectionStyle selection = SelectionBlue;
    bool selectedState = false;
    int rowIndex = -1;
};

class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfRows(TableView* table) = 0;
    virtual int heightForRow(TableView* table, int row) = 0;
    virtual TableViewCell* cellForRow(TableView* table, int row) = 0;
    // Swipe-to-delete: rows that can be deleted show a delete button on a horizontal swipe (or a
    // right-click); touching it commits the deletion.
    virtual bool canDeleteRow(TableView* table, int row) {
        Q_UNUSED(table);
        Q_UNUSED(row);
        return false;
    }
    virtual void commitDeleteRow(TableView* table, int row) {
        Q_UNUSED(table);
        Q_UNUSED(row);
    }
};

class TableViewDelegate {
public:
    virtual ~TableViewDelegate() = default;
    virtual void didSelectRow(TableView* table, int row) = 0;
    virtual void willDisplayCell(TableView* table, TableViewCell* cell, int row) {
        Q_UNUSED(table);
        Q_UNUSED(cell);
        Q_UNUSED(row);
    }
    virtual void willBeginEditingRow(TableView* table, int row) {
        Q_UNUSED(table);
        Q_UNUSED(row);
    }
    virtual void didEndEditingRow(TableView* table, int row) {
        Q_UNUSED(table);
        Q_UNUSED(row);
    }
};

// One section of rows of given heights. Only the rows on screen (and one screenful around them)
// exist as views; the others are handed back for reuse, whatever the number of rows.
class TableView : public View {
    Q_OBJECT
public:
    explicit TableView(const QRect& frame, QWidget* parent = nullptr);
    ~TableView() override;

    // Not owned; guard is the object whose end makes them invalid (the page).
    void setDataSource(TableViewDataSource* source, QObject* guard);
    void setDelegate(TableViewDelegate* delegate, QObject* guard);

    void reloadData();
    // A cell waiting for reuse under that identifier, or null.
    TableViewCell* dequeueReusableCell(const QString& identifier);
    void deselectRow(int row, bool animated);
    // Selects the row and tells the delegate, as a tap on it does.
    void selectRow(int row);

    int numberOfRows() const { return int(offsets.size()) - 1; }
    QRect rectForRow(int row) const;
    int contentHeight() const { return offsets.empty() ? 0 : offsets.back(); }
    int contentOffset() const { return offset; }
    void setContentOffset(int y);
    // The cells that exist now, on screen or close to it.
    QList<TableViewCell*> visibleCells() const;
    TableViewCell* cellForRow(int row) const;
    int rowAt(int y) const; // y in the table's coordinates

    // The row showing its delete button (-1: none), and the button.
    void showDeleteButton(int row);
    void hideDeleteButton();
    int editingRow() const { return editing; }
    Button* deleteButton() const { return deleteControl; }

    // Taps and drags on cells pass through here first.
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void scrolled();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutRows();
    void recycle(TableViewCell* cell);
    void watch(QWidget* widget);
    void press(const QPoint& global, bool finger);
    void move(const QPoint& global);
    bool release(const QPoint& global);

    TableViewDataSource* dataSource = nullptr;
    TableViewDelegate* delegateObject = nullptr;
    QPointer<QObject> dataSourceGuard;
    QPointer<QObject> delegateGuard;
    std::vector<int> offsets{0}; // offsets[i]: top of row i; back(): total height
    QHash<int, TableViewCell*> shown;
    QHash<QString, QList<TableViewCell*>> reusable;
    int offset = 0;
    int editing = -1;
    QPointer<Button> deleteControl;
    bool swiped = false;
    bool tracking = false;
    bool byFinger = false; // the drag is a finger's, which glides on when it lifts
    Momentum momentum;
    QElapsedTimer clock;
    bool dragging = false;
    QPoint pressPoint;
    int pressOffset = 0;
};
