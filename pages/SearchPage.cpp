#include "pages/SearchPage.h"

#include "pages/SearchText.h"

#include "catalog/SQLDAL.h"
#include "model/DAO.h"
#include "ui/Images.h"
#include "ui/NavigationController.h"

SearchPage::SearchPage(const QString& pageTitle) : VenueListPage(pageTitle) {}

SearchPage::~SearchPage() = default;

void SearchPage::viewDidLoad() {
    addPageBackground(view(), QStringLiteral("SearchPageBackground"), 416);
    auto* strip = new ImageView(QRect(0, 0, 320, 60), Images::named(QStringLiteral("InfoPanel60.png")));
    strip->setImageName(QStringLiteral("InfoPanel60.png"));
    view()->addSubview(strip);
    registerForLocation();

    prompt = new Label(QRect(10, 60, 300, 30));
    prompt->setText(QStringLiteral("Search for venues"));
    prompt->setTextColor(Qt::white);
    prompt->setTextAlignment(Qt::AlignCenter);
    prompt->setNumberOfLines(0);
    view()->addSubview(prompt);

    field = new TextField(QRect(20, 14, 220, 32));
    field->setPlaceholder(QStringLiteral("Help me find..."));
    field->setDelegate(this, this);
    view()->addSubview(field);

    button = new Button(QRect(260, 12, 36, 36));
    button->setBackgroundImage(Images::named(QStringLiteral("Search.png")));
    button->setBackgroundImageName(QStringLiteral("Search.png"));
    button->setEnabled(false);
    connect(button, &Button::touchUpInside, this, [this] { searchButtonTouched(); });
    view()->addSubview(button);

    addTable(QRect(0, 60, 320, 312));
    const ManagerModel* manager = readerSettings();
    tools = makeToolbar(manager->orderVenuesTools(), this, this);
    tools->setBarStyle(Toolbar::Black);
    view()->addSubview(tools);
}

void SearchPage::viewWillAppear(bool) {
    readerSettings();
    readDistanceUnit();
    header.build(navigationController(), title, QColor::fromRgbF(0.13f, 0.64f, 0.85f, 1.0f), this,
                 [this] { linkTouched(); });
    addLocationNotice();

    // The last search of the run is shown again, run here and now.
    const QString last = SearchText::get();
    if (!last.isEmpty()) {
        venueList = SQLDAL::getVenuesNamedAs(last);
        if (!venueList.isEmpty()) {
            if (position)
                fillDistances();
            else
                showLocationNotice();
        }
    }
    prompt->setVisible(venueList.isEmpty()); // an empty list shows the prompt's current text
    table->reloadData();
}

void SearchPage::viewWillDisappear(bool) {
    LocationManager* locationManager = LocationManager::getInstance();
    if (locationManager->locationDelegate() == this)
        locationManager->setLocationDelegate(nullptr);
    header.remove();
}

void SearchPage::searchButtonTouched() {
    prompt->hide();
    button->hide();
    auto* wheel = new ActivityIndicator(QRect(264, 17, 26, 26));
    view()->addSubview(wheel);
    wheel->startAnimating();
    indicator = wheel;

    const QString text = field->text();
    field->resignFirstResponder();
    operationQueue.addOperation([this, self = QPointer<QObject>(this), text, here = position] {
        // Kept as typed, blanks and all; the catalogue drops the blanks for the search.
        SearchText::set(text);
        VenueList results = SQLDAL::getVenuesNamedAs(text);
        if (!results.isEmpty() && here)
            ::fillDistances(results, here->latitude, here->longitude, distanceIsImperial());
        runOnMainThread(self, [this, here, results = std::move(results)]() mutable {
            showResults(std::move(results), here);
        });
    });
}

void SearchPage::showResults(VenueList results, const std::optional<PositionFix>& measuredFrom) {
    takeLoadedVenues(std::move(results), measuredFrom);
    if (!venueList.isEmpty() && !position)
        showLocationNotice();
    prompt->setText(venueList.isEmpty() ? QStringLiteral("Nothing was found")
                                        : QStringLiteral("Enter search query above"));
    prompt->setVisible(venueList.isEmpty());
    table->reloadData();
    if (indicator)
        indicator->removeFromSuperview();
    button->show();
}

bool SearchPage::shouldChangeCharacters(TextField*, const QString& before, int, int length,
                                        const QString& replacement) {
    if (before.size() == 1 && length == 1 && replacement.isEmpty())
        button->setEnabled(false);
    else if (!before.isEmpty() || !replacement.isEmpty())
        button->setEnabled(true);
    return true;
}

bool SearchPage::shouldReturn(TextField* textField) {
    textField->resignFirstResponder();
    return true;
}
