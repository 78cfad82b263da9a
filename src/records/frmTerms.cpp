#include "records/frmTerms.h"

#include "common/CommonRoutines.h"
#include "common/ScreenRegistry.h"
#include "common/StoredText.h"
#include "common/StoredTextUi.h"
#include "platform/UserPrompt.h"
#include "settings/TermsTexts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *MakeLabel(QWidget *parent, int index, const QString &caption) {
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QStringLiteral("Label1_%1").arg(index));
    label->setWordWrap(true);
    return label;
}

QLabel *MakeHeading(QWidget *parent, int index, const QString &caption) {
    QLabel *label = MakeLabel(parent, index, caption);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// A generic text: shown in a sunken panel so it reads like the boxes beside it.
QLabel *MakeGenericText(QWidget *parent, int index) {
    QLabel *label = MakeLabel(parent, index, QString());
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(6);
    label->setMinimumHeight(110);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString FileLabel(const QString &name) { return name.mid(1); }

} // namespace

frmTerms::frmTerms() : TamselForm(QStringLiteral("frmTerms")) {
    setWindowTitle(QStringLiteral("Custom Terms and Disclaimer Creation Screen"));

    Label1[6] = MakeHeading(this, 6,
                            QStringLiteral("You can create Custom Terms and a Custom Disclaimer to print on the Proposal"));
    Label1[7] = MakeLabel(this, 7,
                          QStringLiteral("NOTE: When creating a Proposal, you can choose to use either Custom or "
                                         "Generic Terms and Disclaimers."));
    Label1[2] = MakeHeading(this, 2, QStringLiteral("Generic Terms"));
    Label1[3] = MakeHeading(this, 3, QStringLiteral("Generic Disclaimer"));
    Label1[1] = MakeGenericText(this, 1);
    Label1[0] = MakeGenericText(this, 0);
    Label1[5] = MakeHeading(this, 5, QStringLiteral("Custom Terms"));
    Label1[4] = MakeHeading(this, 4, QStringLiteral("Custom Disclaimer"));

    for (int i = 0; i < 2; ++i) {
        Text1[i] = new QPlainTextEdit(this);
        Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        Text1[i]->setMinimumSize(320, 150);
        // Lines wrap at the box's width, so only a vertical scroll bar is ever needed.
        Text1[i]->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }

    const QString captions[9] = {QStringLiteral("Menu"),
                                 QStringLiteral("Save Terms"),
                                 QStringLiteral("Save Disclaimer"),
                                 QStringLiteral("Clear Custom Terms"),
                                 QStringLiteral("Clear Custom Disclaimer"),
                                 QStringLiteral("Load Custom Terms"),
                                 QStringLiteral("Load Custom Disclaimer"),
                                 QStringLiteral("Delete Custom Terms"),
                                 QStringLiteral("Delete Custom Disclaimer")};
    const QString tips[4] = {QStringLiteral("Saves the Data above to the  file"),
                             QStringLiteral("Clears the Text Box Above"),
                             QStringLiteral("Load the File to the Box Above"), QStringLiteral("Deletes the File")};
    for (int i = 0; i < 9; ++i) {
        Command1[i] = new QPushButton(captions[i], this);
        Command1[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        if (i > 0)
            Command1[i]->setToolTip(tips[(i - 1) / 2]);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }

    // Terms on the left, disclaimer on the right; each column shows the
    // generic text above the custom box and its four buttons.
    auto *columns = new QGridLayout;
    columns->setHorizontalSpacing(18);
    columns->setVerticalSpacing(6);
    const int generic[2] = {1, 0}, genericHeading[2] = {2, 3}, customHeading[2] = {5, 4};
    for (int column = 0; column < 2; ++column) {
        columns->addWidget(Label1[genericHeading[column]], 0, column);
        columns->addWidget(Label1[generic[column]], 1, column);
        columns->addItem(new QSpacerItem(0, 8), 2, column);
        columns->addWidget(Label1[customHeading[column]], 3, column);
        columns->addWidget(Text1[column], 4, column);
        auto *buttons = new QGridLayout;
        buttons->addWidget(Command1[1 + column], 0, 0); // save
        buttons->addWidget(Command1[5 + column], 0, 1); // load
        buttons->addWidget(Command1[3 + column], 1, 0); // clear
        buttons->addWidget(Command1[7 + column], 1, 1); // delete
        columns->addLayout(buttons, 5, column);
        columns->setColumnStretch(column, 1);
    }
    columns->setRowStretch(4, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    Command1[0]->setMinimumWidth(110);
    bottom->addWidget(Command1[0]);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->addWidget(Label1[6]);
    layout->addWidget(Label1[7]);
    layout->addSpacing(10);
    layout->addLayout(columns, 1);
    layout->addSpacing(6);
    layout->addLayout(bottom);
    resize(820, 600);
}

void frmTerms::Form_Load() {
    TamselForm::Form_Load();
    Label1[1]->setText(GenericTerms());
    Label1[0]->setText(GenericDisclaimer());
    Command1_Click(5);
    Command1_Click(6);
}

void frmTerms::Command1_Click(int Index) {
    if (Index == 0) {
        hide();
        ScreenRegistry::Show(Screen::MainMenu);
        return;
    }
    if (Index < 1 || Index > 8)
        return;
    // Odd indexes act on the terms, even ones on the disclaimer.
    const bool terms = Index % 2 == 1;
    const QString name = terms ? CustomTermsFile : CustomDisclaimerFile;
    QPlainTextEdit *box = Text1[terms ? 0 : 1];
    switch ((Index - 1) / 2) {
    case 0:
        SaveTextFile(name, box);
        break;
    case 1:
        box->clear();
        ShowClearedMessage(terms ? QStringLiteral("Custom Terms") : QStringLiteral("Custom Disclaimer"));
        break;
    case 2:
        LoadTextFile(name, box);
        break;
    default:
        // The box keeps its text; saving again writes the file anew.
        if (!DeleteWithBackup(name))
            MsgBox(QStringLiteral("The file ") + FileLabel(name) +
                       QStringLiteral(" could not be deleted (is it open in another program?)."),
                   MsgButtons::Ok, QStringLiteral("File not Deleted"));
        break;
    }
}

void frmTerms::SaveTextFile(const QString &name, QPlainTextEdit *box) {
    if (!FitBoxesToCodePage({box}))
        return;
    if (!SaveCustomText(name, box->toPlainText()))
        ReportWriteFailure(FileLabel(name));
}

void frmTerms::LoadTextFile(const QString &name, QPlainTextEdit *box) {
    const auto text = LoadCustomText(name);
    if (text.ok())
        box->setPlainText(BoxLineEnds(text.value));
    else if (text.outcome == ReadOutcome::Unreadable &&
             ReportDamagedFileWithBackup(name, QStringLiteral("The box above is left as it was.")))
        LoadTextFile(name, box); // the copy from the Backup folder is in place now
}

void frmTerms::ShowClearedMessage(const QString &label) {
    MsgBox(QStringLiteral("The ") + label + QStringLiteral(" input box has been Cleared") + QStringLiteral("\r\n") +
               QStringLiteral("The file ") + label + QStringLiteral(" has not been Deleted"),
           MsgButtons::Ok, QStringLiteral("Input Box Cleared"));
}
