#include "pages/ImprintPage.h"

#include "model/DAO.h"
#include "pages/PageSupport.h"
#include "platform/Paths.h"
#include "ui/Images.h"
#include "views/CustomControls.h"

#include <QCoreApplication>
#include <QFile>

ImprintPage::ImprintPage() = default;
ImprintPage::~ImprintPage() = default;

void ImprintPage::loadView() {
    setView(new View(QRect(0, 0, 320, 460)));
}

void ImprintPage::viewDidLoad() {
    const int w = view()->width();
    auto* background =
        new ImageView(QRect(0, -20, 320, 480), Images::named(QStringLiteral("Background.png")));
    background->setImageName(QStringLiteral("Background.png"));
    view()->addSubview(background);
    auto* bar = new ImageView(Images::named(QStringLiteral("NavigationBar.png")));
    bar->setImageName(QStringLiteral("NavigationBar.png"));
    view()->addSubview(bar);
    auto* logoSBK =
        new ImageView(QRect(w / 2 - 75, 60, 150, 39), Images::named(QStringLiteral("LogoSBK.png")));
    logoSBK->setImageName(QStringLiteral("LogoSBK.png"));
    view()->addSubview(logoSBK);
    auto* logoVantor =
        new ImageView(QRect(w / 2 - 50, 120, 110, 75), Images::named(QStringLiteral("LogoVantor.png")));
    logoVantor->setImageName(QStringLiteral("LogoVantor.png"));
    view()->addSubview(logoVantor);

    scroll = new QnUIScrollView(QRect(0, 204, 320, 245));
    QFile file(Paths::resourcePath(QStringLiteral("imprint.txt")));
    const QString imprint = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    const QFont font = Fonts::named(QStringLiteral("ArialMT"), 13);
    const int height = imprint.isEmpty() ? 0 : measureWrappedHeight(font, imprint, 280);
    text = new Label(QRect(20, 0, 280, height));
    text->setFont(font);
    text->setTextColor(Qt::white);
    text->setNumberOfLines(0);
    text->setText(imprint);
    scroll->addSubview(text);
    scroll->setContentSize(QSize(280, height));
    view()->addSubview(scroll);
}

void ImprintPage::viewWillAppear(bool) {
    readerSettings();
    initNavigationBar();
}

void ImprintPage::initNavigationBar() {
    viewWillDisappear(false);
    title = new Label(QRect(140, 0, 80, 44));
    title->setText(QStringLiteral("Info"));
    title->setFont(Fonts::boldSystem(20));
    title->setTextColor(guideTitleColor());
    view()->addSubview(title);
    done = new Button(QRect(10, 3, 40, 40));
    done->setBackgroundImage(Images::named(QStringLiteral("Close.png")));
    done->setBackgroundImageName(QStringLiteral("Close.png"));
    connect(done, &Button::touchUpInside, this, [this] { doneButtonTouched(); });
    view()->addSubview(done);
    mail = new Button(QRect(275, 7, 30, 30));
    mail->setBackgroundImage(Images::named(QStringLiteral("SendMail.png")));
    mail->setBackgroundImageName(QStringLiteral("SendMail.png"));
    connect(mail, &Button::touchUpInside, this, [this] { sendMailTouched(); });
    view()->addSubview(mail);
}

void ImprintPage::viewWillDisappear(bool) {
    if (title)
        title->removeFromSuperview();
    if (mail)
        mail->removeFromSuperview();
    if (done)
        done->removeFromSuperview();
}

void ImprintPage::sendMailTouched() {
    const QString contact = DAOFactory::getInstance()->dao()->manager()->contactVantor();
    const QString subject =
        QStringLiteral("SBK - %1 %2")
            .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion());
    // Whatever the result, the reader is back on the imprint.
    writeMailOrTell(contact, subject, this, [this] { initNavigationBar(); });
}

void ImprintPage::doneButtonTouched() {
    dismissModalViewControllerAnimated(true);
}
