#include "app/frmSplash.h"

#include "app/frmStartup.h"
#include "common/ScreenRegistry.h"
#include "platform/QtPictureBox.h"
#include "platform/QtProductLogo.h"
#include "settings/BusinessFiles.h"
#include "settings/frmSetup.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

frmSplash::frmSplash() : TamselForm(QStringLiteral("frmSplash")) {
    setWindowTitle(QStringLiteral("Tamsel Proposal"));

    auto *title = new QLabel(QStringLiteral("Tamsel Proposal"), this);
    title->setObjectName(QStringLiteral("lblProductName"));
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() * 2);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto *subtitle = new QLabel(QStringLiteral("Written proposals for contractors and service businesses\n"
                                               "Version 1.0"),
                                this);
    subtitle->setObjectName(QStringLiteral("lblVersion"));

    Image1 = new QtPictureBox(QStringLiteral("Image1"), this);
    Image1->setTwipsSize(QSize(2400, 1440));
    Image1->setPicture(ProductLogo(QSize(320, 192)));
    Image1->setCursor(Qt::PointingHandCursor);
    connect(Image1, &QtPictureBox::clicked, this, &frmSplash::Image1_Click);

    lblLogoPointer = new QLabel(QStringLiteral("LOGO >"), this);
    lblLogoPointer->setObjectName(QStringLiteral("lblLogoPointer"));
    QFont pointerFont = lblLogoPointer->font();
    pointerFont.setBold(true);
    lblLogoPointer->setFont(pointerFont);
    lblLogoPointer->setVisible(false);

    lblFolderProgress = new QLabel(this);
    lblFolderProgress->setObjectName(QStringLiteral("lblFolderProgress"));
    lblFolderProgress->setVisible(false);

    fraWelcome = new QFrame(this);
    fraWelcome->setObjectName(QStringLiteral("fraWelcome"));
    fraWelcome->setFrameShape(QFrame::StyledPanel);
    auto *welcome = new QVBoxLayout(fraWelcome);
    auto *heading = new QLabel(QStringLiteral("Welcome! A few things before your first proposal:"), fraWelcome);
    heading->setObjectName(QStringLiteral("lblWelcomeHeading"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    welcome->addWidget(heading);
    const char *texts[] = {
        "It has a series of File Folders where information the program requires is stored.",
        "The Setup Screen will be displayed when you click our LOGO.",
        "Enter the information for each Folder.",
        "When you're completed, click on the Menu Button. That's it!",
        "The program will start.(Unless you forgot something)",
        "If you see this screen after initial Setup, one of your files is missing.",
        "An unsuccessful attempt was made to restore it from the Backup Folder. You need to recreate it.",
        "You may return to the Setup Screen at any time and make changes by Selecting Files | Create/Modify "
        "from the Main Menu Screen."};
    int index = 0;
    for (const char *text : texts) {
        auto *label = new QLabel(QString::fromLatin1(text), fraWelcome);
        label->setObjectName(QStringLiteral("lblWelcome_%1").arg(index++));
        label->setWordWrap(true);
        welcome->addWidget(label);
    }
    fraWelcome->setVisible(false);

    cmdContinue = new QPushButton(QStringLiteral("&Continue"), this);
    cmdContinue->setObjectName(QStringLiteral("cmdContinue"));
    cmdContinue->setDefault(true);
    connect(cmdContinue, &QPushButton::clicked, this, &frmSplash::cmdContinue_Click);

    auto *logoRow = new QHBoxLayout;
    auto *texts_ = new QVBoxLayout;
    texts_->addWidget(title);
    texts_->addWidget(subtitle);
    texts_->addStretch();
    logoRow->addLayout(texts_, 1);
    logoRow->addWidget(lblLogoPointer, 0, Qt::AlignVCenter);
    logoRow->addWidget(Image1, 0, Qt::AlignTop);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdContinue);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(12);
    layout->addLayout(logoRow);
    layout->addWidget(lblFolderProgress);
    layout->addWidget(fraWelcome);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(620, 300);
}

void frmSplash::cmdContinue_Click() {
    if (BusinessFilesPresent()) {
        ScreenRegistry::Show(ScreenRegistry::Get<frmStartup>());
        ScreenRegistry::Unload(this);
        return;
    }
    // A first run (or a lost settings file): explain, and wait for the logo.
    fraWelcome->setVisible(true);
    lblLogoPointer->setVisible(true);
    cmdContinue->setEnabled(false);
    adjustSize();
}

void frmSplash::Image1_Click() {
    fraWelcome->setVisible(false);
    ScreenRegistry::Show(ScreenRegistry::Get<frmSetup>());
    ScreenRegistry::Unload(this);
}

void frmSplash::ShowFolderProgress(int done, int total) {
    preparing_ = true;
    lblFolderProgress->setText(QStringLiteral("Preparing the customer folders\u2026 %1 of %2").arg(done).arg(total));
    lblFolderProgress->setVisible(true);
    // Start-up has not finished: paint, but leave clicks and keys for later.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmSplash::EndFolderProgress() {
    lblFolderProgress->setVisible(false);
    lblFolderProgress->clear();
    preparing_ = false;
    if (closeDeferred_) {
        closeDeferred_ = false;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

FolderProgress frmSplash::FolderProgressReporter(int delayMs, int intervalMs) {
    QElapsedTimer clock;
    clock.start();
    qint64 due = delayMs;
    QPointer<frmSplash> splash(this);
    return [=](int done, int total) mutable {
        if (!splash || clock.elapsed() < due)
            return;
        splash->ShowFolderProgress(done, total);
        due = clock.elapsed() + intervalMs;
    };
}

void frmSplash::closeEvent(QCloseEvent *event) {
    // Ending the program half way through start-up would leave it half
    // started: the close waits until the folders are made.
    if (preparing_) {
        closeDeferred_ = true;
        event->ignore();
        return;
    }
    TamselForm::closeEvent(event);
}
