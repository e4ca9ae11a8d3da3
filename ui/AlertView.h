#pragma once

#include "ui/View.h"

#include <functional>

// The phone's alert: a title, a message and buttons over a dimmed screen. The cancel button has index
// 0 and the others follow in order; the handler is told the index of the touched button just before
// the alert goes away. The alert goes with the handler's context object (its page).
class AlertView : public View {
    Q_OBJECT
public:
    AlertView(const QString& title, const QString& message, const QString& cancelButtonTitle,
              const QStringList& otherButtonTitles);

    void setHandler(QObject* context, std::function<void(int)> willDismissWithButtonIndex);
    // Shows the alert on the key window.
    void show();

    QString title() const { return titleText; }
    QString message() const { return messageText; }
    QStringList buttonTitles() const { return buttons; }
    // The object whose alert this is (the handler's context), null once it is gone.
    QObject* handlerContext() const { return context; }
    // Touches the button with that index (the tests' and the keyboard's way in).
    void dismissWithButtonIndex(int index);

    // The alert on screen, if any.
    static AlertView* visibleAlert();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString titleText;
    QString messageText;
    QStringList buttons;
    QPointer<QObject> context;
    std::function<void(int)> handler;
    QRect box;
};
