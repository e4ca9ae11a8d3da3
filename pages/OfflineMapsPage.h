#pragma once

#include "pages/PageSupport.h"
#include "ui/ViewController.h"

#include <QPointer>

class NavigationController;
class QnUIScrollView;

// The edition's map pictures as a grid of thumbnails with captions; a touch opens one in the viewer.
class OfflineMapsPage : public ViewController {
    Q_OBJECT
public:
    // maps: the OrderMaps setting, entries "caption:picture file:thumbnail" separated by ",".
    explicit OfflineMapsPage(const QString& maps);
    ~OfflineMapsPage() override;

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void mapButtonTouched(Button* button);
    // Opens the map of OrderMaps at that place, as its thumbnail does; false when there is none.
    bool openMap(int index);
    void linkTouched();

    QStringList mapArray() const { return entries; }
    QnUIScrollView* scrollView() const { return grid; }
    Label* titleLabel() const { return header.titleLabel(); }

private:
    QString maps;
    QStringList entries;
    QnUIScrollView* grid = nullptr;
    PageHeader header;
};

// One map picture full screen: zoomed from 0.2 to 4 times and scrolled, centred at first, with the
// bars hidden while it shows. It turns with the device. A double tap or the Close button closes it.
class MapView : public ViewController {
    Q_OBJECT
public:
    // mapName: the picture's file name ("MetroMap.png"); the part before the first "." is loaded.
    explicit MapView(const QString& mapName);
    ~MapView() override;

    void loadView() override;
    void viewWillAppear(bool animated) override;
    bool prefersStatusBarHidden() const override { return true; }
    bool prefersNavigationBarHidden() const override { return true; }
    bool shouldAutorotate() const override { return true; }
    void willRotate(bool landscape) override;
    void close();

    QString mapName() const { return name; }
    QnUIScrollView* scrollview() const { return scroller; }
    ImageView* map() const { return picture; }
    Button* closeButton() const { return closer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString name;
    QPointer<QnUIScrollView> scroller;
    QPointer<ImageView> picture;
    QPointer<Button> closer;
};
