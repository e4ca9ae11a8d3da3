#pragma once

#include "ui/ViewController.h"

#include <QPointer>

class Toolbar;

// A chapter's sponsored placement: its picture full size, with "Continue" on to the chapter's
// categories and, when it names a venue, "More Info" opening that venue. It stays beneath both.
class Placement : public ViewController {
    Q_OBJECT
public:
    Placement();
    ~Placement() override;

    void loadView() override;
    // Sets the picture and builds the tool bar; venueID must be set first.
    void initToolbar(const QString& pictureName);
    void more();
    void next();

    QString venueID() const { return venue; }
    void setVenueID(const QString& id) { venue = id; }
    QString chapterID() const { return chapter; }
    void setChapterID(const QString& id) { chapter = id; }
    QString chapterTitle() const { return title; }
    void setChapterTitle(const QString& text) { title = text; }
    QString idAndImage() const { return categoryTitle; }
    void setIdAndImage(const QString& text) { categoryTitle = text; }
    QString imageName() const { return image; }
    void setImageName(const QString& name) { image = name; }

    ImageView* img() const { return picture; }
    Toolbar* toolbar() const { return tools; }
    Button* moreInfoButton() const { return moreButton; }
    Button* continueButton() const { return continueTo; }

private:
    QString venue, chapter, title, categoryTitle, image;
    QPointer<ImageView> picture;
    QPointer<Toolbar> tools;
    QPointer<Button> moreButton;
    QPointer<Button> continueTo;
};
