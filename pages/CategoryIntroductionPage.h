#pragma once

#include "pages/PageSupport.h"
#include "platform/OperationQueue.h"
#include "ui/ScrollView.h"
#include "ui/ViewController.h"

// A chapter's introduction: its icon, a large title and the scrolling body text.
class CategoryIntroductionPage : public ViewController {
    Q_OBJECT
public:
    CategoryIntroductionPage(const QString& title, const QString& imageName, const QString& chapterID);
    ~CategoryIntroductionPage() override;

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void linkTouched();

    QString pageTitle() const { return title; }
    QStringList details() const { return texts; }
    Label* categoryName() const { return titleLabel; }
    Label* description() const { return body; }
    ScrollView* scrollView() const { return scroll; }

private:
    void setTexts();

    QString title;
    QString imageName;
    QString chapterID;
    QStringList texts;
    QPointer<ImageView> categoryImageView;
    QPointer<Label> titleLabel;
    QPointer<ScrollView> scroll;
    QPointer<Label> body;
    PageHeader header;
    LoadingOverlay overlay;
    std::unique_ptr<OperationQueue> operationQueue;
};
