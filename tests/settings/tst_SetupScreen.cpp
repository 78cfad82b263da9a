#include "LayoutCheck.h"
#include "ScriptedDialogs.h"
#include "TestFolder.h"
#include "TestMain.h"

#include "app/frmStartup.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "platform/QtPictureBox.h"
#include "platform/QtProductLogo.h"
#include "records/frmFieldProposal.h"
#include "settings/BusinessFiles.h"
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


// No named control sticks out of the window, overlaps a neighbour or has its
// text cut off, at the screen's size and when the window grows.
void CheckTidy(QWidget *screen) {
    const QStringList faults = TidyAtBothSizes(screen, screen->size());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
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
    void activationKeepsTypingClearAndReload();
    void logoSizeRule_data();
    void logoSizeRule();
    void saveProposalNumber_data();
    void saveProposalNumber();
    void findAndStoreALogo();
    void shortBusinessFileIsReportedAndKept();
    void damagedPrintColorsFallBackPerLine_data();
    void damagedPrintColorsFallBackPerLine();
    void counter_data();
    void counter();
    void logoThatIsGoneShowsNothing();
    void businessFilesPresentStopsAtTheFirstMissing();
};

void SetupScreenTest::firstRunAsksForThePostalCodeThenSaves() {
    TestFolder folder;
    frmSetup *setup = OpenSetup();
    QVERIFY(QTest::qWaitForWindowActive(setup));
    for (int tab : {frmSetup::BusinessTab, frmSetup::OptionsTab, frmSetup::ProposalTab, frmSetup::HelpTab}) {
        setup->tabSetup->setCurrentIndex(tab);
        CheckTidy(setup);
    }
    setup->txtBusiness[0]->setText(QStringLiteral("Harbor Lane Roofing"));
    setup->tabSetup->setCurrentIndex(frmSetup::LogoTab);
    folder.prompt->AnswerOk();
    QTest::mouseClick(setup->cmdMenu, Qt::LeftButton);
    QCOMPARE(folder.prompt->Texts(), QStringList{QStringLiteral("The Postal Code field can not be Blank")});
    QCOMPARE(setup->tabSetup->currentIndex(), int(frmSetup::BusinessTab));
    QVERIFY(setup->isVisible() && !folder.exists(QStringLiteral("MyBusinessData.txt")));
    // With a postal code both files are written; the print settings are the defaults.
    setup->txtBusiness[5]->setText(QStringLiteral("97477"));
    QTest::mouseClick(setup->cmdMenu, Qt::LeftButton);
    QCOMPARE(folder.prompt->shown.size(), 1);
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")),
             QByteArray("\"Harbor Lane Roofing\",\"\",\"\",\"\",\"\",\"97477\",\"\",\"\",\"\"\r\n"));
    QCOMPARE(folder.read(QStringLiteral("PrintColors.txt")), QByteArray("0\r\n0\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n"));
    QVERIFY(!setup->isVisible() && ScreenRegistry::Existing<frmStartup>()->isVisible());
    CheckTidy(ScreenRegistry::Existing<frmStartup>());
}

void SetupScreenTest::returnWritesBothFilesByteForByte() {
    TestFolder folder;
    ScriptedDialogsInstalled dialogs;
    frmSetup *setup = OpenSetup();
    folder.write(QStringLiteral("Backup/PrintColors.txt"), "stale");
    const QStringList fields{QStringLiteral("Acme, \"Inc\""), QStringLiteral("1 Main St"), QString(),
                             QStringLiteral("Salem"), QStringLiteral("OR"), QStringLiteral("97301"),
                             QStringLiteral("555-0100"), QString(), QString()};
    for (int i = 0; i < 9; ++i)
        setup->txtBusiness[i]->setText(fields[i]);
    dialogs->AnswerColor(0x0000FFu);
    dialogs->AnswerColor(0x00FF00u);
    dialogs->AnswerFont(QStringLiteral("Courier New"));
    for (int index = 0; index < 3; ++index)
        setup->cmdChange[index]->click();
    QCOMPARE(dialogs->opened[2].current, QStringLiteral("Arial")); // each opens on the value shown
    QCOMPARE(setup->txtBorders->styleSheet(), QStringLiteral("background-color: #ff0000;"));
    setup->ckColor->click();
    setup->cboCopies->setCurrentIndex(1);
    emit setup->cboCopies->activated(1);
    setup->cmdMenu->click();
    QVERIFY(folder.prompt->shown.isEmpty());
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")),
             QByteArray("\"Acme, \"\"Inc\"\"\",\"1 Main St\",\"\",\"Salem\",\"OR\",\"97301\","
                        "\"555-0100\",\"\",\"\"\r\n"));
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
    QCOMPARE(setup->lblFont->text(), QStringLiteral("Courier New"));
    QCOMPARE(setup->txtBusiness[0]->text(), fields[0]);
}

void SetupScreenTest::addressStyle_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("postal");
    QTest::addColumn<bool>("usa");
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
    QCOMPARE(DerivedAddressStyle(name, postal), usa ? AddressStyle::Usa : AddressStyle::International);
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
    QCOMPARE(setup->txtBusiness[5]->text(), QStringLiteral("97477"));
    QCOMPARE(setup->txtBusiness[4]->maxLength(), 2);
    // International data: no postal code field, and only typing is limited.
    folder.write(QStringLiteral("MyBusinessData.txt"),
                 BusinessLine({QStringLiteral("Acme"), {}, {}, {}, QStringLiteral("Province of Somewhere"), {}, {}, {}, {}}));
    setup->Image5_Click();
    QCOMPARE(setup->cmdAddress->text(), QStringLiteral("International Style Address"));
    QCOMPARE(setup->lblAddress[4]->text(), QStringLiteral("Address 4"));
    QVERIFY(!setup->txtBusiness[5]->isVisible());
    QCOMPARE(setup->txtBusiness[4]->text(), QStringLiteral("Province of Somewhere"));
    QCOMPARE(setup->txtBusiness[4]->maxLength(), 55);
    // Data reloaded in USA style is shown whole too.
    const QString longer = QStringLiteral("A much longer fourth address line");
    folder.write(QStringLiteral("MyBusinessData.txt"),
                 BusinessLine({QStringLiteral("Acme"), {}, {}, {}, longer, QStringLiteral("12345"), {}, {}, {}}));
    setup->Image5_Click();
    QCOMPARE(setup->cmdAddress->text(), QStringLiteral("USA Style Address"));
    QCOMPARE(setup->txtBusiness[4]->text(), longer);
}

void SetupScreenTest::activationKeepsTypingClearAndReload() {
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
    // Clearing asks first and leaves the file alone; reloading brings it back.
    folder.prompt->Answer(MsgAnswer::Yes);
    QTest::mouseClick(setup->Image4, Qt::LeftButton);
    QVERIFY(setup->txtBusiness[0]->text().isEmpty() && setup->txtBusiness[6]->text().isEmpty());
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")), SavedBusiness);
    QTest::mouseClick(setup->Image5, Qt::LeftButton);
    QCOMPARE(setup->txtBusiness[6]->text(), QStringLiteral("(541) 555-0142"));
}

void SetupScreenTest::logoSizeRule_data() {
    QTest::addColumn<int>("twips");
    QTest::addColumn<bool>("grow");
    QTest::addColumn<int>("next");
    QTest::newRow("grow at 1800 wraps") << 1800 << true << 360;
    QTest::newRow("shrink at 360 wraps") << 360 << false << 1800;
    QTest::newRow("grow stops at 1800") << 1790 << true << 1800;
    QTest::newRow("too large a size shrinks") << 2000 << false << 1950;
}

void SetupScreenTest::logoSizeRule() {
    QFETCH(int, twips);
    QFETCH(bool, grow);
    QTEST(NextLogoSize(twips, grow), "next");
}

void SetupScreenTest::saveProposalNumber_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("saved"); // 0: refused
    QTest::newRow("grouped") << QStringLiteral("2,500") << 2500;
    QTest::newRow("highest") << QStringLiteral("32767") << 32767;
    QTest::newRow("letters") << QStringLiteral("abc") << 0;
    QTest::newRow("beyond the highest") << QStringLiteral("32768") << 0;
    // A proposal number names files ("0.txt", "-5.txt") and is written without a sign.
    QTest::newRow("zero") << QStringLiteral("0") << 0;
    QTest::newRow("negative") << QStringLiteral("-5") << 0;
}

void SetupScreenTest::saveProposalNumber() {
    QFETCH(QString, typed);
    QFETCH(int, saved);
    TestFolder folder;
    frmSetup *setup = OpenSetup();
    setup->txtProposalNo->setText(typed);
    if (!saved)
        folder.prompt->AnswerOk();
    QTest::mouseClick(setup->cmdSaveProposal, Qt::LeftButton);
    const int now = saved ? saved : 1001;
    QCOMPARE(ProposalNo, qint16(now));
    QCOMPARE(folder.read(QStringLiteral("TProposalCounter.txt")), QByteArray::number(now) + "\r\n");
    QCOMPARE(ScreenRegistry::Get<frmFieldProposal>()->txtNextFieldProposal->text(), QString::number(now));
    QCOMPARE(setup->txtProposalNo->text(), saved ? QString::number(saved) : QString());
    QCOMPARE(folder.prompt->Texts(),
             saved ? QStringList() : QStringList{"The Proposal Number must be a Whole Number from 1 to 32767"});
}

void SetupScreenTest::findAndStoreALogo() {
    TestFolder folder;
    ScriptedDialogsInstalled dialogs;
    const QString logo = folder.file(QStringLiteral("Logo.png"));
    QVERIFY(ProductLogo(QSize(90, 60)).save(logo));
    folder.write(QStringLiteral("NotAPicture.png"), "this is text, not a picture");
    frmSetup *setup = OpenSetup();
    QVERIFY(!setup->cmdLogo[1]->isEnabled());
    // What cannot be read is refused with a message.
    dialogs->AnswerFile(folder.file(QStringLiteral("NotAPicture.png")));
    folder.prompt->AnswerOk();
    setup->cmdLogo_Click(0);
    QVERIFY(folder.prompt->shown[0].text.startsWith(
        QStringLiteral("The file NotAPicture.png is not a picture this program can read.")));
    QVERIFY(!setup->Image2->hasPicture() && !setup->cmdLogo[1]->isEnabled());
    dialogs->AnswerFile(logo);
    setup->cmdLogo[0]->click();
    QCOMPARE(setup->Image2->twipsSize(), QSize(90 * 15, 60 * 15));
    QVERIFY(setup->Image3->hasPicture() && setup->cmdLogo[1]->isEnabled());
    // The spinners: the width one size down, the height down from the smallest round to the largest.
    setup->Image3->setTwipsSize(QSize(1440, 360));
    setup->UpDown2_DownClick();
    setup->UpDown1_DownClick();
    folder.prompt->AnswerOk();
    setup->cmdLogo[1]->click();
    QCOMPARE(folder.prompt->shown.last().text, QStringLiteral("Your Logo has been Stored"));
    QCOMPARE(folder.read(QStringLiteral("CompanyLogo.txt")), "\"" + logo.toLocal8Bit() + "\"\r\n");
    QCOMPARE(folder.read(QStringLiteral("LogoSettings.txt")), QByteArray("1390,1800\r\n"));
    QVERIFY(!setup->cmdLogo[1]->isEnabled() && dialogs->unexpected.isEmpty());
    // The next start shows the stored logo at its stored size.
    CloseAllScreens();
    setup = OpenSetup();
    QCOMPARE(setup->Image3->twipsSize(), QSize(1390, 1800));
    // Deleting asks first; the logo goes with its backup copy, its size stays.
    folder.write(QStringLiteral("Backup/CompanyLogo.txt"), folder.read(QStringLiteral("CompanyLogo.txt")));
    folder.prompt->Answer(MsgAnswer::Yes);
    setup->cmdLogo[2]->click();
    QVERIFY(!setup->Image3->hasPicture());
    QVERIFY(!folder.exists(QStringLiteral("CompanyLogo.txt")));
    QVERIFY(!folder.exists(QStringLiteral("Backup/CompanyLogo.txt")));
    QVERIFY(folder.exists(QStringLiteral("LogoSettings.txt")));
    CloseAllScreens();
    QVERIFY(!OpenSetup()->Image3->hasPicture());
}


void SetupScreenTest::shortBusinessFileIsReportedAndKept() {
    TestFolder folder;
    // Eight fields of the nine: one short is as damaged as seven.
    const QByteArray damaged = "\"Acme Roofing\",\"1 Main St\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
    folder.write(QStringLiteral("MyBusinessData.txt"), damaged);
    folder.prompt->AnswerOk();
    LoadBusinessData();
    QCOMPARE(BusinessData[1], QStringLiteral("1 Main St"));
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY(folder.prompt->shown[0].text.contains(QStringLiteral("MyBusinessData.txt")));
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")), damaged);
}

void SetupScreenTest::damagedPrintColorsFallBackPerLine_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<quint32>("border");
    QTest::addColumn<QString>("font");
    QTest::addColumn<bool>("inColor");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("damaged");
    const auto flagAndCopies = [](const QByteArray &border, const QByteArray &copies) {
        return border + "\r\n0\r\n\"Arial\"\r\n#FALSE#\r\n" + copies + "\r\n";
    };
    QTest::newRow("text for a colour") << QByteArray("\"red\"\r\n0\r\n\"Courier New\"\r\n#FALSE#\r\n2\r\n") << 0u
                                       << "Courier New" << false << 2 << true;
    QTest::newRow("white, five copies") << flagAndCopies("16777215", "5") << 0xFFFFFFu << "Arial" << false << 5
                                        << false;
    QTest::newRow("six copies") << flagAndCopies("0", "6") << 0u << "Arial" << false << 3 << true;
    QTest::newRow("colour above white") << flagAndCopies("16777216", "2") << 0u << "Arial" << false << 2 << true;
}

void SetupScreenTest::damagedPrintColorsFallBackPerLine() {
    QFETCH(QByteArray, file);
    QFETCH(int, copies);
    QFETCH(bool, damaged);
    TestFolder folder;
    folder.write(QStringLiteral("PrintColors.txt"), file);
    folder.prompt->AnswerOk();
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    QTEST(frmSetup::SwatchColor(setup->txtBorders), "border");
    QTEST(setup->lblFont->text(), "font");
    QTEST(PrintInColor, "inColor");
    QCOMPARE(setup->cboCopies->currentText(), QString::number(copies));
    QCOMPARE(folder.prompt->Texts().filter(QStringLiteral("PrintColors.txt")).size(), damaged ? 1 : 0);
    QCOMPARE(folder.read(QStringLiteral("PrintColors.txt")), file);
}

void SetupScreenTest::counter_data() {
    QTest::addColumn<QByteArray>("file");  // null: none
    QTest::addColumn<int>("loaded");       // 0: damaged, so 1001 is used and the file kept
    QTest::addColumn<int>("advanced");     // 0: refused, the number stays
    QTest::newRow("none: a first start begins at 1001") << QByteArray() << 1001 << 1002;
    QTest::newRow("highest never wraps") << QByteArray("32767\r\n") << 32767 << 0;
    QTest::newRow("letters") << QByteArray("abc\r\n") << 0 << 0;
    QTest::newRow("one past the highest") << QByteArray("32768\r\n") << 0 << 0;
    // Numbers below 1 would name files "0.txt" and "-5.txt".
    QTest::newRow("negative") << QByteArray("-5\r\n") << 0 << 0;
}

void SetupScreenTest::counter() {
    QFETCH(QByteArray, file);
    QFETCH(int, loaded);
    QFETCH(int, advanced);
    const QString name = QStringLiteral("TProposalCounter.txt");
    TestFolder folder;
    if (!file.isNull())
        folder.write(name, file);
    folder.prompt->AnswerOk();
    QVERIFY(LoadProposalCounter());
    QCOMPARE(ProposalNo, qint16(loaded ? loaded : 1001));
    if (loaded)
        QCOMPARE(AdvanceProposalNo(), advanced != 0);
    const int now = advanced ? advanced : loaded;
    QCOMPARE(folder.read(name), loaded ? QByteArray::number(now) + "\r\n" : file);
    QCOMPARE(ScreenRegistry::Get<frmSetup>()->txtProposalNo->text(), QString::number(now ? now : 1001));
    // Said when the file is damaged, and when the highest number cannot move on.
    QCOMPARE(folder.prompt->shown.size(), advanced ? 0 : 1);
    QVERIFY(advanced || folder.prompt->shown[0].text.contains(loaded ? QStringLiteral("32767") : name));
}

void SetupScreenTest::logoThatIsGoneShowsNothing() {
    TestFolder folder;
    folder.write(QStringLiteral("CompanyLogo.txt"), "\"/no/such/logo.bmp\"\r\n");
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    QVERIFY(!setup->Image2->hasPicture() && !setup->Image3->hasPicture());
    // Without a picture there is no size to store.
    QVERIFY(setup->SaveLogoSize());
    QVERIFY(!folder.exists(QStringLiteral("LogoSettings.txt")));
    // A size of nothing is no size: said so, and the logo keeps its square.
    folder.write(QStringLiteral("LogoSettings.txt"), "0,600\r\n");
    folder.prompt->AnswerOk();
    QCOMPARE(ReadLogoSizeFile(), std::optional<QSize>(QSize(1440, 1440)));
    QCOMPARE(folder.prompt->shown.size(), 1);
}

void SetupScreenTest::businessFilesPresentStopsAtTheFirstMissing() {
    TestFolder folder;
    folder.write(QStringLiteral("Backup/PrintColors.txt"), "0\r\n0\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n");
    QVERIFY(!BusinessFilesPresent());
    QVERIFY(!folder.exists(QStringLiteral("PrintColors.txt"))); // never looked at
    folder.write(QStringLiteral("Backup/MyBusinessData.txt"), "\"A\"\r\n");
    QVERIFY(BusinessFilesPresent());
    QVERIFY(folder.exists(QStringLiteral("MyBusinessData.txt")) && folder.exists(QStringLiteral("PrintColors.txt")));
}

TAMSEL_TEST(SetupScreenTest)
#include "tst_SetupScreen.moc"
