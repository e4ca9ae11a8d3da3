#pragma once

#include "ui/ViewController.h"
#include "views/CustomControls.h"

#include <QPointer>
#include <QStringList>

class DAOFactory;
class ManagerModel;
class LocationManager;
class ScrollView;
class Toolbar;

// The home screen: the city's name on the navigation bar, a strip of city facts, a grid of the
// guide's chapters with the fixed Maps and Bookmarks buttons, and the tool bar of the settings.
class ChapterPage : public ViewController, public CustomBarButtonItemDelegate {
    Q_OBJECT
public:
    explicit ChapterPage(QObject* parent = nullptr);
    ~ChapterPage() override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    void initNavigationBar();
    void addInfoPanelToPage();
    void addButtonsToPage();
    void initToolbar();

    void categoryTouched(Button* button);
    // Opens the chapter of the home screen with that label, as its button does; false when there is
    // none.
    bool openChapter(const QString& label);
    void barButtonItemTouched(CustomBarButtonItem* item) override;
    void infoTouched();

    ManagerModel* manager() const { return managerModel; }
    QStringList chapters() const { return chapterList; }
    QStringList buttonTags() const { return tags; }
    ScrollView* scrollView() const { return grid; }
    Toolbar* toolbar() const { return tools; }

protected:
    void loadView() override;
    // The metro map or the imprint closed: the bar gets its badge back.
    void didDismissModalViewController() override { initNavigationBar(); }

private:
    void push(std::unique_ptr<ViewController> page);
    void openChapterAt(int tag);
    void removeBadge();

    DAOFactory* dao = nullptr;
    ManagerModel* managerModel = nullptr;
    QStringList chapterList;
    QStringList tags;
    LocationManager* locationManager = nullptr;
    ScrollView* grid = nullptr;
    Toolbar* tools = nullptr;
    QPointer<Label> titleLabel;
    QPointer<Button> badge;
    QPointer<Button> infoButton;
};
