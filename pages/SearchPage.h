#pragma once

#include "pages/VenueListPage.h"
#include "ui/TextField.h"

// Finds venues whose name or description holds the text the reader types, and lists them with their
// distance. The last search of the run is repeated whenever the page comes on screen.
class SearchPage : public VenueListPage, public TextFieldDelegate {
    Q_OBJECT
public:
    explicit SearchPage(const QString& title);
    ~SearchPage() override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    void searchButtonTouched();
    bool shouldChangeCharacters(TextField* field, const QString& before, int start, int length,
                                const QString& replacement) override;
    bool shouldReturn(TextField* field) override;

    TextField* searchField() const { return field; }
    Button* searchButton() const { return button; }
    Label* promptLabel() const { return prompt; }

private:
    void showResults(VenueList results, const std::optional<PositionFix>& measuredFrom);

    TextField* field = nullptr;
    Button* button = nullptr;
    Label* prompt = nullptr;
    QPointer<ActivityIndicator> indicator;
};
