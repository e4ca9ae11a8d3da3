#pragma once

#include "ui/View.h"

#include <QList>

// An item of a tool bar: a flexible space or a custom view.
class BarButtonItem : public QObject {
    Q_OBJECT
public:
    static BarButtonItem* flexibleSpace(QObject* parent = nullptr);
    // The item shows the view (of the given width); the item owns it until a tool bar shows it.
    explicit BarButtonItem(View* customView, QObject* parent = nullptr);
    ~BarButtonItem() override;

    bool isFlexibleSpace() const { return !view; }
    View* customView() const { return view; }
    bool isEnabled() const { return enabled; }
    void setEnabled(bool enabled);

private:
    BarButtonItem() = default;
    QPointer<View> view;
    bool enabled = true;
};

// The 44-point bar at the bottom of a page. Flexible spaces share the width the other items leave.
class Toolbar : public View {
    Q_OBJECT
public:
    enum Style { Default, Black, BlackTranslucent };
    explicit Toolbar(const QRect& frame, QWidget* parent = nullptr);

    void setBarStyle(Style style);
    Style barStyle() const { return style; }
    // The tool bar shows the items' views; the same flexible space may appear several times.
    void setItems(const QList<BarButtonItem*>& items);
    QList<BarButtonItem*> items() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutItems();
    QList<QPointer<BarButtonItem>> itemList;
    Style style = Default;
};
