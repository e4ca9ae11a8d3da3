#include "views/CustomControls.h"
#include "tests/support/GuideDriver.h"
#include "ui/AlertView.h"
#include "ui/Animation.h"
#include "ui/Images.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

using namespace testsupport;

namespace {

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Animation::setEnabled(false);
        screen = std::make_unique<Window>();
    }
    void settle() {
        for (int i = 0; i < 5 || Animation::running() > 0; ++i)
            QCoreApplication::processEvents();
    }
    void click(QWidget* target, const QPoint& point) {
        QMouseEvent press(QEvent::MouseButtonPress, point, target->mapToGlobal(QPointF(point)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, point, target->mapToGlobal(QPointF(point)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
    }
    std::unique_ptr<Window> screen;
};

struct Recorder : QObject, CustomBarButtonItemDelegate {
    QList<CustomBarButtonItem*> touched;
    void barButtonItemTouched(CustomBarButtonItem* item) override { touched.append(item); }
};

TEST_F(ControlsTest, ToolItemTellsItsDelegateOnceWithItself) {
    Recorder recorder;
    auto* item = new CustomBarButtonItem(u"Search"_qs, u"Search"_qs, 3, u" Search.page "_qs, &recorder);
    item->setDelegate(&recorder, &recorder);
    screen->addSubview(item->customView());
    EXPECT_EQ(item->button()->tag(), 3);
    EXPECT_EQ(item->label()->frame(), QRect(0, 30, 60, 16));
    EXPECT_EQ(item->label()->font().pixelSize(), 9);
    click(item->button(), QPoint(14, 14));
    ASSERT_EQ(recorder.touched.size(), 1);
    EXPECT_EQ(recorder.touched[0], item);

    // A touch that ends outside the button is no touch.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(14, 14), QPointF(14, 14), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(item->button(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(100, 100), QPointF(100, 100), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(item->button(), &release);
    EXPECT_EQ(recorder.touched.size(), 1);
}

TEST_F(ControlsTest, NoticeStripSlidesInAndOut) {
    auto* strip = new QnAlertLabel(QRect(0, 372, 320, 20), u"Updating location..."_qs);
    screen->addSubview(strip);
    EXPECT_EQ(strip->alpha(), 0);
    EXPECT_EQ(strip->label()->frame(), QRect(0, 0, 320, 20));
    EXPECT_EQ(strip->label()->font().pixelSize(), 12);

    // Never given a start position, it rises from the zero rectangle.
    strip->setEndPosition(QRect(0, 352, 320, 20));
    strip->showAlert();
    EXPECT_EQ(strip->frame(), QRect());
    settle();
    EXPECT_EQ(strip->frame(), QRect(0, 352, 320, 20));
    EXPECT_EQ(strip->alpha(), 1);

    strip->setStartPosition(QRect(0, 372, 320, 20));
    strip->hideAlert();
    strip->hideAlert();
    settle();
    EXPECT_EQ(strip->frame(), QRect(0, 372, 320, 20));
    EXPECT_EQ(strip->alpha(), 0);
    EXPECT_EQ(strip->parentWidget(), screen.get());
}

TEST_F(ControlsTest, ScrollViewTapsReachTheContentDragsScroll) {
    auto* scroll = new QnUIScrollView(QRect(0, 0, 320, 200));
    screen->addSubview(scroll);
    scroll->setContentSize(QSize(320, 600));
    auto* button = new Button(QRect(0, 0, 100, 100));
    scroll->addSubview(button);
    int touches = 0;
    QObject::connect(button, &Button::touchUpInside, [&] { ++touches; });
    QList<QPoint> taps;
    QObject::connect(scroll, &ScrollView::tapped, [&](const QPoint& p) { taps.append(p); });

    click(button, QPoint(50, 50));
    EXPECT_EQ(touches, 1);
    click(scroll->contentView(), QPoint(200, 150));
    EXPECT_EQ(taps, QList<QPoint>{QPoint(200, 150)});

    // A drag that starts on the button scrolls and does not press it.
    // Points on the screen (in the scroll view), delivered to the button wherever it has moved.
    auto send = [&](QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
        QMouseEvent event(type, button->mapFrom(scroll, QPointF(p)), scroll->mapToGlobal(QPointF(p)),
                          Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    };
    send(QEvent::MouseButtonPress, QPoint(50, 90), Qt::LeftButton);
    send(QEvent::MouseMove, QPoint(50, 60), Qt::LeftButton);
    send(QEvent::MouseMove, QPoint(50, 20), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPoint(50, 20), Qt::NoButton);
    EXPECT_EQ(touches, 1);
    EXPECT_EQ(scroll->contentOffset(), QPoint(0, 70));
    scroll->setContentOffset(QPoint(0, 10000));
    EXPECT_EQ(scroll->contentOffset(), QPoint(0, 400)); // no further than the content's end
}

TEST(ImageScaling, ScalesToAnySizeAndTurns) {
    QImage source(120, 90, QImage::Format_ARGB32);
    source.fill(Qt::red);
    QPainter(&source).fillRect(0, 0, 60, 90, Qt::blue); // left half blue

    const auto upright = ImageUtilites::imageByScalingToSize(source, QSize(106, 76));
    ASSERT_TRUE(upright);
    EXPECT_EQ(upright->size(), QSize(106, 76));
    EXPECT_EQ(upright->pixelColor(5, 38), QColor(Qt::blue));
    EXPECT_EQ(upright->pixelColor(100, 38), QColor(Qt::red));

    // Wider than the source: the picture is enlarged, not refused.
    const auto wide = ImageUtilites::imageByScalingToSize(source, QSize(640, 90));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->size(), QSize(640, 90));
    EXPECT_EQ(wide->pixelColor(600, 45), QColor(Qt::red));

    const auto left = ImageUtilites::imageByScalingToSize(source, QSize(106, 76), ImageUtilites::Left);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->size(), QSize(76, 106));
    // Turned a quarter: the blue half is now on top or at the bottom, not at a side.
    EXPECT_NE(left->pixelColor(38, 5), left->pixelColor(38, 100));
    EXPECT_EQ(left->pixelColor(5, 50), left->pixelColor(70, 50));

    const auto down = ImageUtilites::imageByScalingToSize(source, QSize(106, 76), ImageUtilites::Down);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->pixelColor(5, 38), QColor(Qt::red));
    EXPECT_EQ(down->pixelColor(100, 38), QColor(Qt::blue));

    LogCapture log;
    EXPECT_FALSE(ImageUtilites::imageByScalingToSize(QImage(), QSize(10, 10)));
    EXPECT_EQ(log.lines(), QStringList{u"Image conversion error"_qs});
}

} // namespace

namespace {

TEST(TextMeasuring, WrappedHeightMatchesTheLinesALabelDraws) {
    const QFont font = Fonts::named(u"Arial-BoldMT"_qs, 20);
    const QString name = u"St. Stephen's Cathedral"_qs;
    // A label as wide as the text's measured width (rounded down) and as high as its wrapped height
    // shows it whole.
    const int width = measureTextWidth(font, name);
    Label label(QRect(0, 0, width, measureWrappedHeight(font, name, width + 2)));
    label.setFont(font);
    label.setNumberOfLines(0);
    label.setText(name);
    EXPECT_EQ(label.displayedLines(), QStringList{name});
    // Narrower, it wraps at a word and takes as many lines as measured.
    const QStringList lines = wrapText(font, name, 150);
    EXPECT_EQ(lines, (QStringList{u"St. Stephen's"_qs, u"Cathedral"_qs}));
    Label narrow(QRect(0, 0, 150, measureWrappedHeight(font, name, 150)));
    narrow.setFont(font);
    narrow.setNumberOfLines(0);
    narrow.setText(name);
    EXPECT_EQ(narrow.displayedLines(), lines);
}

} // namespace

namespace {

TEST_F(ControlsTest, AlertTellsTheIndexOfTheTouchedButtonAndGoes) {
    screen->makeKeyAndVisible();
    QObject owner;
    QList<int> told;
    auto* alert = new AlertView(u"Timeout"_qs, u"Oh no! The weather feed did not answer."_qs, u"Go Back"_qs,
                                {u"Try again"_qs});
    alert->setHandler(&owner, [&](int index) { told.append(index); });
    alert->show();
    EXPECT_EQ(AlertView::visibleAlert(), alert);
    EXPECT_EQ(alert->buttonTitles(), (QStringList{u"Go Back"_qs, u"Try again"_qs}));
    // The buttons sit side by side; touching "Try again" reports index 1.
    QList<Button*> buttons = alert->findChildren<Button*>();
    ASSERT_EQ(buttons.size(), 2);
    Button* tryAgain = buttons[0]->title() == u"Try again" ? buttons[0] : buttons[1];
    click(tryAgain, QPoint(10, 10));
    EXPECT_EQ(told, QList<int>{1});
    settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(AlertView::visibleAlert(), nullptr);

    // A handler whose owner is gone is not called.
    auto* second = new AlertView(u"Timeout"_qs, QString(), u"Go Back"_qs, {});
    {
        QObject gone;
        second->setHandler(&gone, [&](int index) { told.append(index); });
    }
    second->show();
    second->dismissWithButtonIndex(0);
    EXPECT_EQ(told, QList<int>{1});
}

} // namespace
