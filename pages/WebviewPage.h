#pragma once

#include "ui/ViewController.h"

#include <QPointer>
#include <functional>

#include "ui/WebView.h"

// One web address shown inside the guide, presented over the stack and closed with its button. The
// status bar's network-activity indicator turns from the start of the load until it ends, fails or
// the page closes. Only http and https addresses are loaded; an address without a scheme gets
// "http://".
class WebviewPage : public ViewController {
    Q_OBJECT
public:
    explicit WebviewPage(const QString& webAddress);
    ~WebviewPage() override;

    void loadView() override;
    void viewDidLoad() override;
    void doneButtonTouched();
    // Runs once the page has been closed.
    void setOnClose(std::function<void()> closed) { onClose = std::move(closed); }
    // Runs when the page cannot be loaded (no network, an address that may not be reached, a load
    // that failed); without it the page shows whatever the web view shows.
    void setOnLoadFailed(std::function<void()> failed) { onLoadFailed = std::move(failed); }

    // The address loaded for the stored one, or an empty URL when it may not be loaded.
    static QUrl loadableAddress(const QString& webAddress);

    WebView* webView() const { return web; }
    Button* doneButton() const { return done; }
    QString webPageAddress() const { return address; }

private:
    QString address;
    QPointer<WebView> web;
    QPointer<Button> done;
    std::function<void()> onClose;
    std::function<void()> onLoadFailed;
};
