#include "ScriptedDialogs.h"
#include "TestFolder.h"
#include "TestMain.h"

#include "app/frmStartup.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "platform/QtPictureBox.h"
#include "platform/QtProductLogo.h"
#include "records/frmFieldProposal.h"
#include "settings/frmSetup.h"
#include "settings/SettingsUi.h"
#include "settings/SetupRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QToolButton>

namespace {
const QByteArray SavedBusiness = "\"Harbor Lane Roofing\",\"118 Harbor Lane\",\"\",\"Springfield\",\"OR\",\"97477\","
                                 "\"(541) 555-0142\",\"\",\"\"\r\n";

// The dialogs answer from a script for the length of one test.
struct ScriptedDialogsInstalled {
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
    ScriptedDialogsInstalled() { SetDialogs(dialogs); }
    ~ScriptedDialogsInstalled() { SetDialogs(nullptr); }
    ScriptedDialogs *operator->() const { return dialogs.get(); }
};

// The setup screen as the program brings it up: settings loaded at start-up,
// then shown and activated.
frmSetup *OpenSetup() {
    LoadBusinessData();
    LoadProposalCounter();
    auto *setup = ScreenRegistry::Get<frmSetup>();
    ScreenRegistry::Show(setup);
    setup->Form_Activate();
    return setup;
}

QByteArray BusinessLine(const QStringList &fields) {
    QByteArray line;
    for (const QString &field : fields)
        line += (line.isEmpty() ? "\"" : ",\"") + field.toLatin1() + "\"";
    return line + "\r\n";
}
} // namespace

class SetupScreenTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunAsksForThePostalCodeThenSaves();
    void returnWritesBothFilesByteForByte();
    void addressStyle_data();
    void addressStyle();
    void switchingStylesKeepsWhatWasThere();
    void activationKeepsTypingUntilTheScreenIsLeft();
    void clearReloadAndSaveBusinessData();
    void logoSizeRule_data();
    void logoSizeRule();
    void spinnersWrapAround();
    void saveProposalNumber_data();
    void saveProposalNumber();
    void findAndStoreALogo();
    void arrowsMoveThroughTheTabsAndCallerIdNote();
};

void SetupScreenTest::firstRunAsksForThePostalCodeThenSaves() {
    TestFolder folder;
    frmSetup *setup = OpenSetup();
    setup->txtBusiness[0]->setText(QStringLiteral("Harbor Lane Roofing"));
    setup->tabSetup->setCurrentIndex(frmSetup::LogoTab);
    folder.prompt->AnswerOk();
    QTest::mouseClick(setup->cmdMenu, Qt::LeftButton);
    QCOMPARE(folder.prompt->Texts(), QStringList{QStringLiteral("The Postal Code field can not be Blank")});
    QVERIFY(folder.prompt->shown[0].beeped);
    QVERIFY(setup->isVisible());
    QCOMPARE(setup->tabSetup->currentIndex(), int(frmSetup::BusinessTab));
    QCOMPARE(setup->txtBusiness[0]->text(), QStringLiteral("Harbor Lane Roofing"));
    QVERIFY(!folder.exists(QStringLiteral("MyBusinessData.txt")));

    // With a postal code both files are written; the print settings are the defaults.
    setup->txtBusiness[5]->setText(QStringLiteral("97477"));
    QTest::mouseClick(setup->cmdMenu, Qt::LeftButton);
    QCOMPARE(folder.prompt->shown.size(), 1);
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")),
             QByteArray("\"Harbor Lane Roofing\",\"\",\"\",\"\",\"\",\"97477\",\"\",\"\",\"\"\r\n"));
    QCOMPARE(folder.read(QStringLiteral("PrintColors.txt")), QByteArray("0\r\n0\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n"));
    QVERIFY(!setup->isVisible());
    QVERIFY(ScreenRegistry::Existing<frmStartup>()->isVisible());
}

void SetupScreenTest::returnWritesBothFilesByteForByte() {
    TestFolder folder;
    ScriptedDialogsInstalled dialogs;
    frmSetup *setup = OpenSetup();
    folder.write(QStringLiteral("Backup/PrintColors.txt"), "stale");
    const QStringList fields{QStringLiteral("Acme, Inc"), QStringLiteral("1 Main St"), QString(),
                             QStringLiteral("Salem"), QStringLiteral("OR"), QStringLiteral("97301"),
                             QStringLiteral("555-0100"), QString(), QString()};
    for (int i = 0; i < 9; ++i)
        setup->txtBusiness[i]->setText(fields[i]);
    // Cancelled dialogs change nothing; each opens on the value shown.
    dialogs->AnswerColor(std::nullopt);
    dialogs->AnswerColor(std::nullopt);
    dialogs->AnswerFont(std::nullopt);
    for (int index = 0; index < 3; ++index)
        setup->cmdChange_Click(index);
    QCOMPARE(dialogs->opened[2].current, QStringLiteral("Arial"));
    QCOMPARE(setup->lblFont->text(), QStringLiteral("Arial"));
    QCOMPARE(frmSetup::SwatchColor(setup->txtBorders), 0u);
    dialogs->AnswerColor(0x0000FFu);
    dialogs->AnswerColor(0x00FF00u);
    dialogs->AnswerFont(QStringLiteral("Courier New"));
    setup->cmdChange[0]->click();
    setup->cmdChange[1]->click();
    setup->cmdChange[2]->click();
    QCOMPARE(setup->txtBorders->styleSheet(), QStringLiteral("background-color: #ff0000;"));
    QCOMPARE(setup->lblFont->text(), QStringLiteral("Courier New"));
    setup->ckColor->click();
    setup->cboCopies->setCurrentIndex(1);
    emit setup->cboCopies->activated(1);
    setup->cmdMenu->click();
    QVERIFY(folder.prompt->shown.isEmpty());
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")),
             QByteArray("\"Acme, Inc\",\"1 Main St\",\"\",\"Salem\",\"OR\",\"97301\",\"555-0100\",\"\",\"\"\r\n"));
    QCOMPARE(folder.read(QStringLiteral("PrintColors.txt")),
             QByteArray("255\r\n65280\r\n\"Courier New\"\r\n#FALSE#\r\n2\r\n"));
    // The old backup copy must not come back in place of the new file.
    QVERIFY(!folder.exists(QStringLiteral("Backup/PrintColors.txt")));

    // Read back on the next start: the controls follow the file.
    CloseAllScreens();
    PrintInColor = true;
    NumCopies = 0;
    setup = OpenSetup();
    QVERIFY(!setup->ckColor->isChecked());
    QCOMPARE(setup->cboCopies->currentText(), QStringLiteral("2"));
    QCOMPARE(frmSetup::SwatchColor(setup->txtBorders), 0x0000FFu);
}

void SetupScreenTest::addressStyle_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("postal");
    QTest::addColumn<bool>("usa");
    QTest::newRow("empty data") << QString() << QString() << true;
    QTest::newRow("numeric postal code") << QString() << QStringLiteral("97477") << true;
    QTest::newRow("name and numeric postal code") << QStringLiteral("Acme") << QStringLiteral("97477") << true;
    QTest::newRow("name and postal code of letters") << QStringLiteral("Acme") << QStringLiteral("SW1A 1AA") << true;
    QTest::newRow("name without postal code") << QStringLiteral("Acme") << QString() << false;
    // Without a name, a postal code of letters still needs the field that shows it.
    QTest::newRow("postal code of letters only") << QString() << QStringLiteral("SW1A 1AA") << true;
}

void SetupScreenTest::addressStyle() {
    QFETCH(QString, name);
    QFETCH(QString, postal);
    QFETCH(bool, usa);
    TestFolder folder;
    QCOMPARE(DerivedAddressStyle(name, postal), usa ? AddressStyle::Usa : AddressStyle::International);
    folder.write(QStringLiteral("MyBusinessData.txt"),
                 BusinessLine({name, QStringLiteral("1 Main St"), {}, QStringLiteral("Town"), QStringLiteral("Region"),
                               postal, {}, {}, {}}));
    frmSetup *setup = OpenSetup();
    for (int activation = 0; activation < 2; ++activation) {
        QCOMPARE(setup->cmdAddress->text(), usa ? QStringLiteral("USA Style Address")
                                                : QStringLiteral("International Style Address"));
        QCOMPARE(setup->lblAddress[4]->text(), usa ? QStringLiteral("State") : QStringLiteral("Address 4"));
        QCOMPARE(setup->txtBusiness[5]->isVisible(), usa);
        QCOMPARE(setup->txtBusiness[5]->text(), usa ? postal : QString());
        QCOMPARE(setup->txtBusiness[4]->maxLength(), usa ? 6 : 55); // "Region" is kept whole
        setup->hide();
        ScreenRegistry::Show(setup);
        setup->Form_Activate();
    }
    if (!usa) {
        setup->cmdMenu->click(); // no postal code message in international style
        QVERIFY(folder.prompt->shown.isEmpty());
        QVERIFY(!setup->isVisible());
    }
}

void SetupScreenTest::switchingStylesKeepsWhatWasThere() {
    TestFolder folder;
    folder.write(QStringLiteral("MyBusinessData.txt"), SavedBusiness);
    frmSetup *setup = OpenSetup();
    // Back to USA style, the saved postal code returns.
    QCOMPARE(setup->txtBusiness[5]->text(), QStringLiteral("97477"));
    setup->cmdAddress->click();
    QCOMPARE(setup->txtBusiness[5]->text(), QString());
    setup->txtBusiness[5]->setText(QStringLiteral("typed"));
    setup->cmdAddress->click();
    QCOMPARE(setup->cmdAddress->text(), QStringLiteral("USA Style Address"));
    QCOMPARE(setup->txtBusiness[5]->text(), QStringLiteral("97477"));
    QCOMPARE(setup->txtBusiness[4]->maxLength(), 2);

    folder.write(QStringLiteral("MyBusinessData.txt"),
                 BusinessLine({QStringLiteral("Acme"), {}, {}, {}, QStringLiteral("Province of Somewhere"), {}, {}, {}, {}}));
    setup->Image5_Click();
    QCOMPARE(setup->cmdAddress->text(), QStringLiteral("International Style Address"));
    setup->cmdAddress->click();
    // Only typing is limited; what is there stays whole.
    QCOMPARE(setup->txtBusiness[4]->text(), QStringLiteral("Province of Somewhere"));
    QCOMPARE(setup->txtBusiness[4]->maxLength(), 21);
    // Data reloaded in USA style is shown whole too.
    const QString longer = QStringLiteral("A much longer fourth address line");
    folder.write(QStringLiteral("MyBusinessData.txt"),
                 BusinessLine({QStringLiteral("Acme"), {}, {}, {}, longer, QStringLiteral("12345"), {}, {}, {}}));
    setup->Image5_Click();
    QCOMPARE(setup->cmdAddress->text(), QStringLiteral("USA Style Address"));
    QCOMPARE(setup->txtBusiness[4]->text(), longer);
}

void SetupScreenTest::activationKeepsTypingUntilTheScreenIsLeft() {
    TestFolder folder;
    folder.write(QStringLiteral("MyBusinessData.txt"), SavedBusiness);
    frmSetup *setup = OpenSetup();
    QVERIFY(QTest::qWaitForWindowActive(setup));
    setup->txtBusiness[1]->setText(QStringLiteral("typed, not saved"));
    setup->tabSetup->setCurrentIndex(frmSetup::LogoTab);
    // A box takes the focus and gives it back.
    QDialog box;
    box.show();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    box.close();
    setup->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(setup));
    QCOMPARE(setup->txtBusiness[1]->text(), QStringLiteral("typed, not saved"));
    QCOMPARE(setup->tabSetup->currentIndex(), int(frmSetup::LogoTab));
    // Leaving the screen and coming back shows the saved data again.
    setup->hide();
    ScreenRegistry::Show(setup);
    // The offscreen platform does not hand the activation back to a window
    // it still holds the focus for; a desktop does.
    QApplication::setActiveWindow(setup);
    QCOMPARE(setup->txtBusiness[1]->text(), QStringLiteral("118 Harbor Lane"));
    QCOMPARE(setup->tabSetup->currentIndex(), int(frmSetup::BusinessTab));
}

void SetupScreenTest::clearReloadAndSaveBusinessData() {
    TestFolder folder;
    folder.write(QStringLiteral("MyBusinessData.txt"), SavedBusiness);
    frmSetup *setup = OpenSetup();
    folder.prompt->Answer(MsgAnswer::No);
    QTest::mouseClick(setup->Image4, Qt::LeftButton);
    QCOMPARE(setup->txtBusiness[0]->text(), QStringLiteral("Harbor Lane Roofing"));
    QCOMPARE(folder.prompt->shown[0].buttons, MsgButtons::YesNo);

    folder.prompt->Answer(MsgAnswer::Yes);
    QTest::mouseClick(setup->Image4, Qt::LeftButton);
    for (QLineEdit *field : setup->txtBusiness)
        QVERIFY(field->text().isEmpty());
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")), SavedBusiness);

    QTest::mouseClick(setup->Image5, Qt::LeftButton);
    QCOMPARE(setup->txtBusiness[6]->text(), QStringLiteral("(541) 555-0142"));

    // Cleared data is saved only past the postal code check.
    folder.prompt->Answer(MsgAnswer::Yes);
    setup->Image4_Click();
    folder.prompt->AnswerOk();
    setup->cmdMenu_Click();
    QCOMPARE(folder.prompt->shown.last().text, QStringLiteral("The Postal Code field can not be Blank"));
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")), SavedBusiness);
    setup->cmdAddress_Click(); // international: no postal code needed
    setup->cmdMenu_Click();
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")), BusinessLine(QStringList(9, QString())));
    QVERIFY(!setup->isVisible());
}

void SetupScreenTest::logoSizeRule_data() {
    QTest::addColumn<int>("twips");
    QTest::addColumn<bool>("grow");
    QTest::addColumn<int>("next");
    QTest::newRow("grow") << 1440 << true << 1490;
    QTest::newRow("grow at 1800 wraps") << 1800 << true << 360;
    QTest::newRow("shrink at 360 wraps") << 360 << false << 1800;
    QTest::newRow("grow stops at 1800") << 1790 << true << 1800;
    QTest::newRow("shrink stops at 360") << 380 << false << 360;
    QTest::newRow("too large a size shrinks") << 2000 << false << 1950;
}

void SetupScreenTest::logoSizeRule() {
    QFETCH(int, twips);
    QFETCH(bool, grow);
    QFETCH(int, next);
    QCOMPARE(NextLogoSize(twips, grow), next);
}

void SetupScreenTest::spinnersWrapAround() {
    TestFolder folder;
    frmSetup *setup = OpenSetup();
    QTest::mouseClick(setup->UpDown2Down, Qt::LeftButton);
    QTest::mouseClick(setup->UpDown1Down, Qt::LeftButton);
    QCOMPARE(setup->Image3->twipsSize(), QSize(1390, 1390));
    setup->Image3->setTwipsSize(QSize(1800, 360));
    setup->UpDown2_UpClick();
    setup->UpDown1_DownClick();
    QCOMPARE(setup->Image3->twipsSize(), QSize(360, 1800));
    setup->UpDown2_DownClick();
    setup->UpDown1_UpClick();
    QCOMPARE(setup->Image3->twipsSize(), QSize(1800, 360));
    QCOMPARE(setup->Image3->size(), QSize(120, 24));
    QVERIFY(!folder.exists(QStringLiteral("LogoSettings.txt")));
}

void SetupScreenTest::saveProposalNumber_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("saved"); // 0: refused
    QTest::newRow("2500") << QStringLiteral("2500") << 2500;
    QTest::newRow("grouped") << QStringLiteral("2,500") << 2500;
    QTest::newRow("highest") << QStringLiteral("32767") << 32767;
    QTest::newRow("lowest") << QStringLiteral("1") << 1;
    QTest::newRow("letters") << QStringLiteral("abc") << 0;
    QTest::newRow("fraction") << QStringLiteral("2500.5") << 0;
    QTest::newRow("beyond the highest") << QStringLiteral("32768") << 0;
    // A proposal number names files ("0.txt", "-5.txt") and is written without a sign.
    QTest::newRow("zero") << QStringLiteral("0") << 0;
    QTest::newRow("negative") << QStringLiteral("-5") << 0;
    QTest::newRow("lowest 16-bit number") << QStringLiteral("-32768") << 0;
}

void SetupScreenTest::saveProposalNumber() {
    QFETCH(QString, typed);
    QFETCH(int, saved);
    TestFolder folder;
    frmSetup *setup = OpenSetup();
    QCOMPARE(ProposalNo, qint16(1001));
    setup->txtProposalNo->setText(typed);
    if (!saved)
        folder.prompt->AnswerOk();
    QTest::mouseClick(setup->cmdSaveProposal, Qt::LeftButton);
    auto *field = ScreenRegistry::Get<frmFieldProposal>();
    if (saved) {
        QVERIFY(folder.prompt->shown.isEmpty());
        QCOMPARE(ProposalNo, qint16(saved));
        QCOMPARE(folder.read(QStringLiteral("TProposalCounter.txt")), QByteArray::number(saved) + "\r\n");
        QCOMPARE(field->txtNextFieldProposal->text(), QString::number(saved));
        QCOMPARE(setup->txtProposalNo->text(), QString::number(saved));
    } else {
        QCOMPARE(folder.prompt->Texts(), QStringList{QStringLiteral("The Proposal Number must be a Whole Number from 1 to 32767")});
        QVERIFY(setup->txtProposalNo->text().isEmpty());
        QCOMPARE(ProposalNo, qint16(1001));
        QCOMPARE(folder.read(QStringLiteral("TProposalCounter.txt")), QByteArray("1001\r\n"));
        QCOMPARE(field->txtNextFieldProposal->text(), QStringLiteral("1001"));
    }
}

void SetupScreenTest::findAndStoreALogo() {
    TestFolder folder;
    ScriptedDialogsInstalled dialogs;
    const QString logo = folder.file(QStringLiteral("Logo.png"));
    QVERIFY(ProductLogo(QSize(90, 60)).save(logo));
    folder.write(QStringLiteral("NotAPicture.png"), "this is text, not a picture");
    frmSetup *setup = OpenSetup();
    QVERIFY(!setup->cmdLogo[1]->isEnabled());

    dialogs->AnswerFile(std::nullopt);
    setup->cmdLogo[0]->click();
    QVERIFY(!setup->Image2->hasPicture());
    QVERIFY(!setup->cmdLogo[1]->isEnabled());
    QVERIFY(dialogs->opened[0].filter.contains(QLatin1String("*.PNG")));

    // What cannot be read is refused with a message.
    dialogs->AnswerFile(folder.file(QStringLiteral("NotAPicture.png")));
    folder.prompt->AnswerOk();
    setup->cmdLogo_Click(0);
    QVERIFY(folder.prompt->shown[0].text.startsWith(
        QStringLiteral("The file NotAPicture.png is not a picture this program can read.")));
    QVERIFY(!setup->Image2->hasPicture());

    dialogs->AnswerFile(logo);
    setup->cmdLogo[0]->click();
    QVERIFY(setup->Image2->hasPicture());
    QCOMPARE(setup->Image2->twipsSize(), QSize(90 * 15, 60 * 15));
    QVERIFY(setup->Image3->hasPicture());
    QVERIFY(setup->cmdLogo[1]->isEnabled());
    setup->UpDown2_DownClick();

    folder.prompt->AnswerOk();
    setup->cmdLogo[1]->click();
    QCOMPARE(folder.prompt->shown.last().text, QStringLiteral("Your Logo has been Stored"));
    QCOMPARE(folder.read(QStringLiteral("CompanyLogo.txt")), "\"" + logo.toLocal8Bit() + "\"\r\n");
    QCOMPARE(folder.read(QStringLiteral("LogoSettings.txt")), QByteArray("1390,1440\r\n"));
    QVERIFY(!setup->cmdLogo[1]->isEnabled());
    QVERIFY(dialogs->unexpected.isEmpty());

    // The next start shows the stored logo at its stored size.
    CloseAllScreens();
    setup = OpenSetup();
    QVERIFY(setup->Image2->hasPicture());
    QCOMPARE(setup->Image3->twipsSize(), QSize(1390, 1440));

    // Deleting asks first; the logo goes with its backup copy, its size stays.
    const QByteArray logoFile = folder.read(QStringLiteral("CompanyLogo.txt"));
    folder.write(QStringLiteral("Backup/CompanyLogo.txt"), logoFile);
    folder.prompt->Answer(MsgAnswer::No);
    setup->cmdLogo[2]->click();
    QVERIFY(setup->Image3->hasPicture());
    QCOMPARE(folder.read(QStringLiteral("CompanyLogo.txt")), logoFile);
    folder.prompt->Answer(MsgAnswer::Yes);
    setup->cmdLogo[2]->click();
    QVERIFY(!setup->Image3->hasPicture());
    QCOMPARE(setup->Image2->twipsSize(), QSize(1440, 1440));
    QVERIFY(!folder.exists(QStringLiteral("CompanyLogo.txt")));
    QVERIFY(!folder.exists(QStringLiteral("Backup/CompanyLogo.txt")));
    QVERIFY(folder.exists(QStringLiteral("LogoSettings.txt")));
    CloseAllScreens();
    QVERIFY(!OpenSetup()->Image3->hasPicture());
}

void SetupScreenTest::arrowsMoveThroughTheTabsAndCallerIdNote() {
    TestFolder folder;
    // The screen by itself: no modem looked for, so the Phone sub-tab stays on.
    frmSetup::PhoneSettingsLoader = nullptr;
    frmSetup *setup = OpenSetup();
    QStringList tabs;
    for (int i = 0; i < 5; ++i) {
        tabs << setup->tabSetup->tabText(setup->tabSetup->currentIndex());
        QTest::mouseClick(setup->Image1[0], Qt::LeftButton);
    }
    QCOMPARE(tabs, QStringList({QStringLiteral("Business Information"), QStringLiteral("Options"),
                                QStringLiteral("Proposal"), QStringLiteral("Logo"), QStringLiteral("Help")}));
    QCOMPARE(setup->tabSetup->currentIndex(), int(frmSetup::BusinessTab));
    // The sub-tab arrow toggles Printing and Phone, on the Options tab.
    setup->Image1_Click(1);
    QCOMPARE(setup->tabSub->currentIndex(), int(frmSetup::PhoneTab));
    QCOMPARE(setup->tabSetup->currentIndex(), int(frmSetup::OptionsTab));
    // The caller ID check box shows its note on the Phone tab.
    QVERIFY(!setup->lblCallid->isVisible());
    setup->ckCallerID->click();
    QVERIFY(setup->lblCallid->isVisible());
    setup->Image1_Click(1);
    QCOMPARE(setup->tabSub->currentIndex(), int(frmSetup::PrintingTab));
    // A tab that is switched off is passed over.
    setup->tabSetup->setTabEnabled(frmSetup::OptionsTab, false);
    setup->tabSetup->setCurrentIndex(frmSetup::BusinessTab);
    setup->Image1_Click(0);
    QCOMPARE(setup->tabSetup->currentIndex(), int(frmSetup::ProposalTab));
}

TAMSEL_TEST(SetupScreenTest)
#include "tst_SetupScreen.moc"
