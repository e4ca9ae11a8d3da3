#pragma once

#include "feeds/VideoFeed.h"
#include "pages/PageSupport.h"
#include "platform/OperationQueue.h"
#include "ui/TableView.h"
#include "ui/VideoPlayer.h"
#include "ui/ViewController.h"

#include <QImage>
#include <QPointer>

// One clip of the list.
struct YouTubeVideo {
    QString thumbnailURLString;
    QImage thumbnailImage; // 106 x 76; null until loaded
    int videoLength = 0;   // seconds
    QString videoName;
    QString videoURL;
};

// The edition's video playlist: one row per clip with its thumbnail, title and length; a touch plays
// the clip. Thumbnails load four at a time, each row's spinner turning until its own picture arrives
// or fails; answers that come after the page went touch nothing.
class TVPage : public ViewController, public TableViewDataSource, public TableViewDelegate {
    Q_OBJECT
public:
    TVPage();
    ~TVPage() override;

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    int numberOfRows(TableView* table) override;
    int heightForRow(TableView* table, int row) override;
    TableViewCell* cellForRow(TableView* table, int row) override;
    void didSelectRow(TableView* table, int row) override;
    void willDisplayCell(TableView* table, TableViewCell* cell, int row) override;
    void linkTouched();
    void refreshTable();

    const QList<YouTubeVideo>& videoFeed() const { return videos; }
    TableView* tableView() const { return table; }
    const QList<QPointer<ActivityIndicator>>& activityIndicators() const { return spinners; }
    bool isWaiting() const { return overlay.isShown(); }
    static constexpr int maxThumbnailDownloads = 4;
    static constexpr qint64 maxThumbnailBytes = 2 * 1024 * 1024;
    // The most thumbnail downloads that ran at one time (benchmarks, tests).
    int mostThumbnailDownloads() const { return mostDownloads; }

private:
    void fetch();
    void finished(std::optional<QList<VideoEntry>> entries, const QString& error);
    void loadNextThumbnails();
    void thumbnailArrived(int row, QImage image);

    QList<YouTubeVideo> videos;
    QList<QPointer<ActivityIndicator>> spinners;
    QList<int> waitingThumbnails;
    int downloads = 0;
    int mostDownloads = 0;
    bool firstStart = true;
    TableView* table = nullptr;
    bool tableShown = false;
    LoadingOverlay overlay;
    PageHeader header;
    OperationQueue decoding;
};

// One clip playing full screen on black, with a close button and play/pause; it closes itself (no
// slide) when the clip ends or the reader closes it. The address of a web player is opened where such
// a player runs.
class VideoPage : public ViewController {
    Q_OBJECT
public:
    explicit VideoPage(const QString& videoURL);
    ~VideoPage() override;

    void loadView() override;
    void viewWillAppear(bool animated) override;
    // The clip has the screen below the status bar.
    bool prefersNavigationBarHidden() const override { return true; }
    void close();
    // The Timeout alert; Go Back closes the clip.
    void cannotPlay(const QString& reason);

    QString videoURLString() const { return url; }
    VideoPlayer* player() const { return playerView; }
    Button* closeButton() const { return closer; }
    Button* playPauseButton() const { return toggle; }

    // The address the player is given for a feed's clip address: an http or https address the HTTP
    // client may reach (this machine only in tests, nothing without network), or a plain name of the
    // edition's videos folder; none for anything else (file: addresses, paths).
    static QUrl playableAddress(const QString& videoURL);
    // The embed address of a web player's clip ("/v/ID", "watch?v=ID", "/embed/ID"), or an empty URL.
    static QUrl embedAddress(const QString& videoURL);

private:
    QString url;
    QPointer<VideoPlayer> playerView;
    QPointer<Button> closer;
    QPointer<Button> toggle;
    bool closing = false;
};
