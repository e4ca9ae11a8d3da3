#pragma once

#include "ui/ViewController.h"

#include <QPointer>

class QnUIScrollView;

// The imprint: the guide's logos and the edition's imprint text, with a mail link to the publisher's
// contact. Presented over the stack; its top-bar items are built each time it comes on screen.
class ImprintPage : public ViewController {
    Q_OBJECT
public:
    ImprintPage();
    ~ImprintPage() override;

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void sendMailTouched();
    void doneButtonTouched();

    QnUIScrollView* scrollView() const { return scroll; }
    Label* textLabel() const { return text; }
    Label* titleLabel() const { return title; }
    Button* doneButton() const { return done; }
    Button* mailButton() const { return mail; }

private:
    void initNavigationBar();

    QnUIScrollView* scroll = nullptr;
    Label* text = nullptr;
    QPointer<Label> title;
    QPointer<Button> done;
    QPointer<Button> mail;
};
