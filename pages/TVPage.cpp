#include "pages/TVPage.h"

#include "model/DAO.h"
#include "pages/VideoFeedClient.h"
#include "pages/WebviewPage.h"
#include "platform/HttpClient.h"
#include "platform/Log.h"
#include "platform/Paths.h"
#include "ui/AlertView.h"
#include "ui/Images.h"
#include "ui/NavigationController.h"
#include "ui/VideoPlayer.h"
#include "ui/Window.h"
#include "views/CustomCell.h"
#include "views/CustomControls.h"

#include <QFileInfo>
#include <QRegularExpression>

TVPage::TVPage() {
    decoding.setMaxConcurrentOperationCount(maxThumbnailDownloads);
}

TVPage::~TVPage() {
    decoding.cancelAllOperations();
    decoding.waitUntilAllOperationsAreFinished();
}

void TVPage::loadView() {
    setView(new View(QRect(0, 0, 320, 416)));
}

void TVPage::viewDidLoad() {
    firstStart = true;
    overlay.show(QStringLiteral("Downloading YouTube playlist ..."));
    // Owned by the page's view from the start: a feed that fails never shows it, and it goes with the page.
    table = new TableView(QRect(0, 0, 320, 416), view());
    table->setDataSource(this, this);
    table->setDelegate(this, this);
    table->hide();
    addPageBackground(view(), QStringLiteral("BCKBlack"), 416);
    view()->setBackgroundColor(Qt::black);
    fetch();
}

void TVPage::fetch() {
    const ManagerModel* manager = readerSettings();
    VideoFeedClient::fetchFeedWithURL(QUrl(manager->feedTV()), this,
                                      [this](std::optional<QList<VideoEntry>> entries, const QString& error) {
                                          finished(std::move(entries), error);
                                      });
}

void TVPage::viewWillAppear(bool) {
    header.build(navigationController(), QStringLiteral("SBK TV"), guideTitleColor(), this,
                 [this] { linkTouched(); });
}

void TVPage::viewWillDisappear(bool) {
    header.remove();
}

void TVPage::linkTouched() {
    if (NavigationController* navigation = navigationController())
        navigation->popToRootViewControllerAnimated(true);
}

void TVPage::finished(std::optional<QList<VideoEntry>> entries, const QString& error) {
    if (!entries) {
        logLine(QStringLiteral("Video feed failed: %1").arg(error));
        auto* alert =
            new AlertView(QStringLiteral("Timeout"),
                          QStringLiteral("Oh no! The YouTube Feed is currently unavailable. Please check "
                                         "your internet connection and try again."),
                          QStringLiteral("Go Back"), {QStringLiteral("Try again")});
        alert->setHandler(this, [this](int index) {
            if (index == 1) {
                fetch();
                return;
            }
            overlay.hide();
            if (NavigationController* navigation = navigationController())
                navigation->popViewControllerAnimated(true);
        });
        alert->show();
        return;
    }
    if (!tableShown) {
        view()->addSubview(table);
        table->show();
        tableShown = true;
    }
    if (!firstStart) {
        table->reloadData();
        return;
    }
    for (const VideoEntry& entry : std::as_const(*entries)) {
        YouTubeVideo video;
        const auto thumbnail = entry.highQualityThumbnail();
        video.thumbnailURLString = thumbnail ? thumbnail->url : QString();
        video.videoLength = entry.duration;
        video.videoName = entry.mediaTitle;
        video.videoURL = entry.mediaContents.value(0);
        videos.append(video);
    }
    table->reloadData();
    for (int row = 0; row < videos.size(); ++row) {
        auto* spinner = new ActivityIndicator(QRect(39, 80 * row + 24, 32, 32));
        view()->addSubview(spinner);
        spinner->startAnimating();
        spinners.append(spinner);
        waitingThumbnails.append(row);
    }
    loadNextThumbnails();
    overlay.hide();
    firstStart = false;
}

// At most four downloads run at once; each picture is decoded and scaled on a worker and handed back.
void TVPage::loadNextThumbnails() {
    while (downloads < maxThumbnailDownloads && !waitingThumbnails.isEmpty()) {
        const int row = waitingThumbnails.takeFirst();
        const QUrl address(videos[row].thumbnailURLString);
        if (address.isEmpty()) {
            thumbnailArrived(row, QImage());
            continue;
        }
        ++downloads;
        mostDownloads = std::max(mostDownloads, downloads);
        HttpClient::Request request;
        request.url = address;
        request.maxBytes = maxThumbnailBytes;
        HttpClient::get(request, this, [this, row](const HttpResponse& response) {
            --downloads;
            loadNextThumbnails();
            if (!response.ok()) {
                thumbnailArrived(row, QImage());
                return;
            }
            decoding.addOperation([self = QPointer<QObject>(this), this, row, bytes = response.body] {
                QImage image;
                if (image.loadFromData(bytes))
                    image = ImageUtilites::imageByScalingToSize(image, QSize(106, 76)).value_or(QImage());
                runOnMainThread(self, [this, row, image] { thumbnailArrived(row, image); });
            });
        });
    }
}

void TVPage::thumbnailArrived(int row, QImage image) {
    if (row < 0 || row >= videos.size())
        return;
    videos[row].thumbnailImage = std::move(image);
    if (ActivityIndicator* spinner = spinners.value(row))
        spinner->stopAnimating();
    refreshTable();
}

void TVPage::refreshTable() {
    if (table)
        table->reloadData();
}

int TVPage::numberOfRows(TableView*) {
    return int(videos.size());
}

int TVPage::heightForRow(TableView*, int) {
    return 80;
}

TableViewCell* TVPage::cellForRow(TableView* tableView, int row) {
    const YouTubeVideo& video = videos[row];
    const QRect frame(0, 0, 320, 80);
    auto* cell = static_cast<CustomCell*>(tableView->dequeueReusableCell(QStringLiteral("Cell")));
    if (cell) {
        cell->updateWithVideo(frame, video.thumbnailImage, video.videoLength, video.videoName);
        return cell;
    }
    return CustomCell::initWithVideo(frame, video.thumbnailImage, video.videoLength, video.videoName,
                                     QStringLiteral("Cell"));
}

void TVPage::willDisplayCell(TableView*, TableViewCell* cell, int) {
    cell->setBackgroundColor(Qt::transparent);
}

void TVPage::didSelectRow(TableView* tableView, int row) {
    if (NavigationController* navigation = navigationController())
        navigation->pushViewController(std::make_unique<VideoPage>(videos.value(row).videoURL), true);
    tableView->deselectRow(row, true);
}

// ---------------------------------------------------------------------------------------------

VideoPage::VideoPage(const QString& videoURL) : url(videoURL) {}

VideoPage::~VideoPage() = default;

void VideoPage::loadView() {
    // Full screen below the status bar: the navigation bar is hidden while the clip plays.
    auto* page = new View(QRect(0, 0, 320, 460));
    page->setBackgroundColor(Qt::black);
    setView(page);
}

QUrl VideoPage::embedAddress(const QString& videoURL) {
    static const QRegularExpression player(QStringLiteral("(?:/v/|[?&]v=|/embed/)([A-Za-z0-9_-]{6,})"));
    const QUrl address(videoURL);
    if (!address.host().contains(QStringLiteral("youtube")) &&
        !address.host().contains(QStringLiteral("youtu.be")))
        return {};
    const QRegularExpressionMatch match = player.match(videoURL);
    if (!match.hasMatch())
        return {};
    return QUrl(QStringLiteral("https://www.youtube.com/embed/") + match.captured(1));
}

void VideoPage::viewWillAppear(bool) {
    closing = false;
    // A web player's clip plays in the web page, at the player's own https address; the clip's page
    // closes with it.
    if (const QUrl embed = embedAddress(url); !embed.isEmpty()) {
        logLine(QStringLiteral("The clip %1 plays in the web player %2").arg(url, embed.toString()));
        QMetaObject::invokeMethod(
            this,
            [this, embed] {
                auto page = std::make_unique<WebviewPage>(embed.toString());
                page->setModalTransitionStyle(CrossDissolve);
                page->setOnClose([this] { close(); });
                page->setOnLoadFailed([this] { cannotPlay(QStringLiteral("the web player did not load")); });
                presentModalViewController(std::move(page), true);
            },
            Qt::QueuedConnection);
        return;
    }
    if (playerView)
        playerView->deleteLater();
    playerView = new VideoPlayer(QRect(0, 0, 320, 460));
    view()->addSubview(playerView);
    connect(playerView, &VideoPlayer::ended, this, [this] { close(); });
    connect(playerView, &VideoPlayer::failed, this, [this](const QString& reason) { cannotPlay(reason); });
    closer = new Button(QRect(270, 10, 40, 40));
    closer->setImage(Images::named(QStringLiteral("Close.png")));
    closer->setBackgroundImageName(QStringLiteral("Close.png"));
    connect(closer, &Button::touchUpInside, this, [this] { close(); });
    view()->addSubview(closer);
    toggle = new Button(QRect(130, 400, 60, 40));
    toggle->setTitle(QStringLiteral("❚❚"));
    connect(toggle, &Button::touchUpInside, this, [this] {
        if (playerView->isPlaying()) {
            playerView->pause();
            toggle->setTitle(QStringLiteral("▶"));
        } else {
            playerView->resume();
            toggle->setTitle(QStringLiteral("❚❚"));
        }
    });
    view()->addSubview(toggle);
    const QUrl playable = playableAddress(url);
    if (playable.isEmpty()) {
        cannotPlay(QStringLiteral("the address may not be played here"));
        return;
    }
    playerView->play(playable);
}

QUrl VideoPage::playableAddress(const QString& videoURL) {
    const QString trimmed = videoURL.trimmed();
    const QUrl address(trimmed);
    if (address.scheme() == u"http" || address.scheme() == u"https")
        return HttpClient::mayReach(address) ? address : QUrl();
    // A plain name is a clip of the edition's own videos folder; no other file of the device is opened.
    if (address.scheme().isEmpty() && Paths::isPlainName(trimmed)) {
        const QString path = Paths::resourcePath(QStringLiteral("videos/") + trimmed);
        if (QFileInfo(path).isFile())
            return QUrl::fromLocalFile(path);
    }
    return {};
}

void VideoPage::cannotPlay(const QString& reason) {
    logLine(QStringLiteral("The clip %1 cannot be played: %2").arg(url, reason));
    auto* alert =
        new AlertView(QStringLiteral("Timeout"),
                      QStringLiteral("Oh no! This video cannot be played. Please check your internet "
                                     "connection and try again."),
                      QStringLiteral("Go Back"), {});
    alert->setHandler(this, [this](int) {
        // The web player's page closes with the clip's.
        if (modalViewController())
            dismissModalViewControllerAnimated(false);
        close();
    });
    alert->show();
}

void VideoPage::close() {
    if (closing)
        return;
    closing = true;
    if (NavigationController* navigation = navigationController();
        navigation && navigation->topViewController() == this)
        navigation->popViewControllerAnimated(false);
}
