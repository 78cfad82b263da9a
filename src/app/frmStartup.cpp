#include "app/frmStartup.h"

#include "app/DataLocation.h"
#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "platform/QtPictureBox.h"
#include "platform/QtProductLogo.h"
#include "platform/UserPrompt.h"
#include "records/frmProposalReport.h"
#include "records/frmTerms.h"
#include "settings/frmSetup.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct Routine {
    int index;
    const char *caption;
    const char *toolTip;
};

// Top to bottom as the menu shows them.
constexpr Routine Routines[] = {
    {0, "Create a Proposal", "Create a New Proposal"},
    {3, "Create a Field Proposal", "Create A Proposal on which you add items"},
    {4, "Display Proposals Report", "Shows all active Proposals"},
    {1, "Create Custom Terms and Disclosure Statements", "Customize to meet your requirements"},
};

// Opens a page of the manual that ships with the program. Where the desktop
// has nothing to show it with, the user is told where it is so it can be
// opened by hand.
void OpenManual(const QString &path) {
    const QString where = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile()) {
        MsgBox(QStringLiteral("The user manual was not found.\r\nIt belongs in the folder %1")
                   .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath())),
               MsgButtons::Ok, QStringLiteral("User Manual"));
        return;
    }
    if (!OpenWebPage(path))
        MsgBox(QStringLiteral("The user manual could not be opened: no program to show it was found.\r\n"
                              "Open this file in your web browser:\r\n%1")
                   .arg(where),
               MsgButtons::Ok, QStringLiteral("User Manual"));
}

// The order items ask first and open the page unless the answer is No.
void AskAndOpen(const QStringList &lines, const QString &title, const QString &page) {
    if (MsgBox(lines.join(QStringLiteral("\r\n")), MsgButtons::YesNo, title) == MsgAnswer::No)
        return;
    OpenManual(page);
}

} // namespace

frmStartup::frmStartup() : TamselForm(QStringLiteral("frmStartup")) {
    setWindowTitle(QStringLiteral("Tamsel PROPOSAL"));

    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    auto action = [this](QMenu *menu, const char *name, const char *caption, void (frmStartup::*handler)()) {
        QAction *item = menu->addAction(QString::fromLatin1(caption));
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    mnuFiles = menuBar->addMenu(QStringLiteral("Files"));
    mnuFiles->setObjectName(QStringLiteral("mnuFiles"));
    mnuCreate = action(mnuFiles, "mnuCreate", "Create/Modify", &frmStartup::mnuCreate_Click);
    mnuExit = action(mnuFiles, "mnuExit", "&Exit", &frmStartup::mnuExit_Click);
    mnuOrder = menuBar->addMenu(QStringLiteral("Order Forms"));
    mnuOrder->setObjectName(QStringLiteral("mnuOrder"));
    mnuPPaper = action(mnuOrder, "mnuPPaper", "Plain Paper", &frmStartup::mnuPPaper_Click);
    mnuPPPaper = action(mnuOrder, "mnuPPPaper", "Perforated Paper", &frmStartup::mnuPPPaper_Click);
    mnuProposalSets = action(mnuOrder, "mnuProposalSets", "Proposal Sets", &frmStartup::mnuProposalSets_Click);
    mnuAddress = action(mnuOrder, "mnuAddress", "Address Labels", &frmStartup::mnuAddress_Click);
    mnuLabels = action(mnuOrder, "mnuLabels", "Shipping Labels", &frmStartup::mnuLabels_Click);
    mnuHelpContentsFile = menuBar->addAction(QStringLiteral("&Help"));
    mnuHelpContentsFile->setObjectName(QStringLiteral("mnuHelpContentsFile"));
    connect(mnuHelpContentsFile, &QAction::triggered, this, &frmStartup::mnuHelpContentsFile_Click);

    auto *routines = new QGroupBox(QStringLiteral("Proposal Sub-Routines"), this);
    routines->setObjectName(QStringLiteral("fraRoutines"));
    QFont bigger = routines->font();
    bigger.setPointSizeF(bigger.pointSizeF() * 1.15);
    auto *options = new QVBoxLayout(routines);
    options->setContentsMargins(16, 14, 16, 14);
    options->setSpacing(14);
    for (const Routine &routine : Routines) {
        auto *option = new QRadioButton(QString::fromLatin1(routine.caption), routines);
        option->setObjectName(QStringLiteral("optProgramRoutine_%1").arg(routine.index));
        option->setToolTip(QString::fromLatin1(routine.toolTip));
        option->setFont(bigger);
        option->installEventFilter(this);
        const int index = routine.index;
        connect(option, &QRadioButton::toggled, this, [this, index](bool on) {
            if (on)
                optProgramRoutine_Click(index);
        });
        optProgramRoutine[index] = option;
        options->addWidget(option);
    }
    options->addStretch();

    cmdStart = new QPushButton(QStringLiteral("&Go to Selected Routine"), this);
    cmdStart->setObjectName(QStringLiteral("cmdStart"));
    cmdStart->setToolTip(QStringLiteral("Starts the Selected Routine"));
    cmdStart->setDefault(true);
    cmdStart->setMinimumHeight(cmdStart->sizeHint().height() * 3 / 2);
    connect(cmdStart, &QPushButton::clicked, this, &frmStartup::cmdStart_Click);

    Image1 = new QtPictureBox(QStringLiteral("Image1"), this);
    Image1->setTwipsSize(QSize(2400, 1440));
    Image1->setPicture(ProductLogo(QSize(320, 192)));
    Image1->setToolTip(QStringLiteral("Displays the Setup Screen"));
    Image1->setCursor(Qt::PointingHandCursor);
    connect(Image1, &QtPictureBox::clicked, this, &frmStartup::Image1_Click);

    auto *side = new QVBoxLayout;
    side->addWidget(Image1, 0, Qt::AlignHCenter);
    side->addStretch();
    side->addWidget(cmdStart);

    auto *body = new QHBoxLayout;
    body->setSpacing(18);
    body->addWidget(routines, 1);
    body->addLayout(side);

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->setContentsMargins(18, 12, 18, 18);
    layout->addLayout(body);
    resize(600, 270);
}

void frmStartup::Form_Activate() {
    optProgramRoutine[0]->setChecked(true);
    SelectedRoutine = 1;
}

void frmStartup::optProgramRoutine_Click(int Index) { SelectedRoutine = qint16(Index + 1); }

void frmStartup::optProgramRoutine_DblClick(int Index) {
    SelectedRoutine = qint16(Index + 1);
    cmdStart_Click();
}

void frmStartup::cmdStart_Click() {
    switch (SelectedRoutine) {
    case 1:
    case 4:
        // The customer screen opens the writer or the field proposal once a customer is chosen.
        ScreenRegistry::Show(ScreenRegistry::Get<frmCustomer>());
        break;
    case 2:
        ScreenRegistry::Show(ScreenRegistry::Get<frmTerms>());
        break;
    case 5:
        ScreenRegistry::Show(ScreenRegistry::Get<frmProposalReport>());
        break;
    default:
        break;
    }
    ScreenRegistry::Unload(this);
}

void frmStartup::Image1_Click() { mnuCreate_Click(); }

void frmStartup::mnuCreate_Click() {
    hide();
    ScreenRegistry::Show(ScreenRegistry::Get<frmSetup>());
}

void frmStartup::mnuExit_Click() { ExitProgram(); }

QString frmStartup::ManualPage() { return ManualPath(QStringLiteral("index.html")); }
QString frmStartup::PaperPage() { return ManualPath(QStringLiteral("paper.html")); }

void frmStartup::mnuHelpContentsFile_Click() { OpenManual(ManualPage()); }

void frmStartup::mnuPPaper_Click() {
    AskAndOpen({QStringLiteral("Use Plain Paper for Reports (etc)"), QStringLiteral("Click Yes to connect to a Supplier")},
               QStringLiteral("Order Paper"), PaperPage());
}

void frmStartup::mnuPPPaper_Click() {
    AskAndOpen({QStringLiteral("Perforated Response Paper is used to create"),
                QStringLiteral("Invoices with a remittance Slip"), QStringLiteral("Click Yes to connect to a Supplier")},
               QStringLiteral("Order Paper"), PaperPage());
}

void frmStartup::mnuProposalSets_Click() {
    AskAndOpen({QStringLiteral("2 and 3 Part Carbonless Paper"),
                QStringLiteral("Suitable for creating a Proposal Form on which"),
                QStringLiteral("information can be hand written as well as printed"),
                QStringLiteral("Click Yes to connect to a Supplier")},
               QStringLiteral("Carbonless Forms"), PaperPage());
}

void frmStartup::mnuAddress_Click() {
    AskAndOpen({QStringLiteral("30 to a Page Mailing Labels"), QStringLiteral("Click Yes to connect to a Supplier")},
               QStringLiteral("Order Paper"), PaperPage());
}

void frmStartup::mnuLabels_Click() {
    AskAndOpen({QStringLiteral("Click YES to Connect to a Supplier")}, QStringLiteral("Order Labels"), PaperPage());
}

bool frmStartup::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int index = 0; index < int(optProgramRoutine.size()); ++index)
            if (optProgramRoutine[index] && watched == optProgramRoutine[index]) {
                optProgramRoutine_DblClick(index);
                return true;
            }
    }
    return TamselForm::eventFilter(watched, event);
}
