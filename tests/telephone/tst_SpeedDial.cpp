#include "FileSizeLimit.h"
#include "TestFolder.h"
#include "TestMain.h"

#include "common/ScreenRegistry.h"
#include "telephone/frmDialer.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
const QByteArray TwoPairs = "Ann\r\n555-0101\r\nBob\r\n555-0102\r\n";
const QByteArray ThreePairs = "Ann\r\n555-0101\r\nBob\r\n555-0102\r\nCy\r\n555-0103\r\n";

frmDialer *OpenDialer(const QString &name = QStringLiteral("Harbor Lane Roofing"),
                      const QString &number = QStringLiteral("555-1234")) {
    frmDialer *dialer = ScreenRegistry::Get<frmDialer>();
    dialer->lblName->setText(name);
    dialer->lblNumber->setText(number);
    ScreenRegistry::Show(dialer);
    if (!QTest::qWaitForWindowActive(dialer))
        qWarning("the dialer was not activated");
    return dialer;
}

QStringList Captions(const frmDialer *dialer) {
    QStringList captions;
    for (const QPushButton *button : dialer->cmdDialer)
        captions << button->text();
    return captions;
}

QStringList Padded(QStringList captions) {
    while (captions.size() < 10)
        captions << QString();
    return captions;
}
} // namespace

// The ten speed-dial slots and SpeedNumbers.txt.
class SpeedDialTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CloseAllScreens(); }
    void saveIntoAFreeSlot();
    void deleteAsksFirst();
    void restoreAndLoadTheCurrentRecipient();
    void cancelLeavesTheFileAlone();
    void overlongFileIsToldOnce();
    void failedSaveKeepsTheOldFile();
    void helpShowsAndHides();
};

void SpeedDialTest::saveIntoAFreeSlot() {
    TestFolder folder;
    folder.write(QStringLiteral("SpeedNumbers.txt"), TwoPairs);
    frmDialer *dialer = OpenDialer();
    QCOMPARE(Captions(dialer), Padded({"Ann", "Bob"}));
    QVERIFY(dialer->fraSpeedDial->isHidden());
    dialer->cmdDialer[4]->click();
    QCOMPARE(dialer->SelectedSlot(), 4);
    QVERIFY(!dialer->fraSpeedDial->isHidden());
    QVERIFY(!dialer->cmdSpeedDialer[2]->isEnabled());
    // A free slot leaves the recipient as it was.
    QCOMPARE(dialer->lblName->text(), QStringLiteral("Harbor Lane Roofing"));
    dialer->txtDialer[0]->setText(QStringLiteral("Cy & Sons"));
    dialer->txtDialer[1]->setText(QStringLiteral("555-0103"));
    dialer->cmdSpeedDialer[0]->click();

    QCOMPARE(folder.read(QStringLiteral("SpeedNumbers.txt")),
             QByteArray("Ann\r\n555-0101\r\nBob\r\n555-0102\r\nCy & Sons\r\n555-0103\r\n"));
    QVERIFY(dialer->fraSpeedDial->isHidden());
    QVERIFY(dialer->txtDialer[0]->text().isEmpty());
    QVERIFY(dialer->txtDialer[1]->text().isEmpty());
    QCOMPARE(dialer->cmdDialer[4]->text(), QStringLiteral("Cy && Sons"));
    // Read again, the slots close up in file order.
    dialer->LoadSpeedDial();
    QCOMPARE(Captions(dialer), Padded({"Ann", "Bob", "Cy && Sons"}));
    QCOMPARE(dialer->SpeedDial()[2], (SpeedDialEntry{QStringLiteral("Cy & Sons"), QStringLiteral("555-0103")}));
    QVERIFY(folder.prompt->shown.isEmpty());
}

void SpeedDialTest::deleteAsksFirst() {
    TestFolder folder;
    folder.write(QStringLiteral("SpeedNumbers.txt"), ThreePairs);
    frmDialer *dialer = OpenDialer();
    dialer->cmdDialer[1]->click();
    QCOMPARE(dialer->lblName->text(), QStringLiteral("Bob"));
    QCOMPARE(dialer->lblNumber->text(), QStringLiteral("555-0102"));
    QVERIFY(dialer->cmdSpeedDialer[2]->isEnabled());

    folder.prompt->Answer(MsgAnswer::No);
    dialer->cmdSpeedDialer[2]->click();
    QCOMPARE(folder.prompt->shown[0].text, QStringLiteral("This will delete SpeedDial entry  Bob\r\nAre you Sure"));
    QCOMPARE(folder.prompt->shown[0].title, QStringLiteral("Delete Speed Dial"));
    QCOMPARE(folder.prompt->shown[0].buttons, MsgButtons::YesNo);
    QCOMPARE(folder.read(QStringLiteral("SpeedNumbers.txt")), ThreePairs);
    QVERIFY(!dialer->cmdSpeedDialer[2]->isEnabled());

    dialer->cmdDialer[1]->click();
    folder.prompt->Answer(MsgAnswer::Yes);
    dialer->cmdSpeedDialer[2]->click();
    QCOMPARE(folder.read(QStringLiteral("SpeedNumbers.txt")), QByteArray("Ann\r\n555-0101\r\nCy\r\n555-0103\r\n"));
    QCOMPARE(Captions(dialer), Padded({"Ann", "Cy"}));
    QCOMPARE(dialer->SpeedDial()[1].number, QStringLiteral("555-0103"));

    // The last one deleted leaves an empty file behind.
    for (int i = 0; i < 2; ++i) {
        dialer->cmdDialer[0]->click();
        folder.prompt->Answer(MsgAnswer::Yes);
        dialer->cmdSpeedDialer[2]->click();
    }
    QVERIFY(folder.exists(QStringLiteral("SpeedNumbers.txt")));
    QCOMPARE(folder.read(QStringLiteral("SpeedNumbers.txt")), QByteArray());
    QCOMPARE(Captions(dialer), Padded({}));
}

void SpeedDialTest::restoreAndLoadTheCurrentRecipient() {
    TestFolder folder;
    folder.write(QStringLiteral("SpeedNumbers.txt"), TwoPairs);
    frmDialer *dialer = OpenDialer();
    dialer->cmdDialer[0]->click();
    QCOMPARE(dialer->lblName->text(), QStringLiteral("Ann"));
    dialer->cmdSpeedDialer[3]->click();
    QCOMPARE(dialer->lblName->text(), QStringLiteral("Harbor Lane Roofing"));
    QCOMPARE(dialer->lblNumber->text(), QStringLiteral("555-1234"));

    // The customer on screen goes into a free slot as they are.
    dialer->cmdDialer[7]->click();
    dialer->cmdSpeedDialer[4]->click();
    QCOMPARE(folder.read(QStringLiteral("SpeedNumbers.txt")), TwoPairs + "Harbor Lane Roofing\r\n555-1234\r\n");
    QVERIFY(dialer->fraSpeedDial->isHidden());
    QCOMPARE(dialer->cmdDialer[7]->text(), QStringLiteral("Harbor Lane Roofing"));
}

void SpeedDialTest::cancelLeavesTheFileAlone() {
    TestFolder folder;
    frmDialer *dialer = OpenDialer();
    QCOMPARE(Captions(dialer), Padded({}));
    dialer->cmdDialer[0]->click();
    dialer->txtDialer[0]->setText(QStringLiteral("Ann"));
    dialer->cmdSpeedDialer[1]->click();
    QVERIFY(dialer->fraSpeedDial->isHidden());
    QVERIFY(dialer->txtDialer[0]->text().isEmpty());
    QVERIFY(!folder.exists(QStringLiteral("SpeedNumbers.txt")));
}

void SpeedDialTest::overlongFileIsToldOnce() {
    TestFolder folder;
    QByteArray twelve, firstTen;
    for (int i = 0; i < 12; ++i) {
        const QByteArray pair = "Name" + QByteArray::number(i) + "\r\n555-01" + QByteArray::number(10 + i) + "\r\n";
        twelve += pair;
        if (i < 10)
            firstTen += pair;
    }
    folder.write(QStringLiteral("SpeedNumbers.txt"), twelve);
    folder.prompt->AnswerOk();
    frmDialer *dialer = OpenDialer();
    QCOMPARE(folder.prompt->shown.size(), 1);
    QCOMPARE(folder.prompt->shown[0].title, QStringLiteral("Speed Dial"));
    QVERIFY(folder.prompt->shown[0].text.endsWith(QLatin1String("\r\nName10 (555-0120)\r\nName11 (555-0121)")));
    QCOMPARE(dialer->cmdDialer[9]->text(), QStringLiteral("Name9"));

    // Coming back to the dialer does not tell it again.
    ScreenRegistry::Unload(dialer);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    dialer = OpenDialer();
    QCOMPARE(folder.prompt->shown.size(), 1);

    // Saving writes the ten shown.
    dialer->cmdDialer[9]->click();
    dialer->cmdSpeedDialer[3]->click();
    dialer->cmdDialer[9]->click();
    dialer->cmdSpeedDialer[4]->click();
    QCOMPARE(folder.read(QStringLiteral("SpeedNumbers.txt")), firstTen);
}

void SpeedDialTest::failedSaveKeepsTheOldFile() {
    TestFolder folder;
    folder.write(QStringLiteral("SpeedNumbers.txt"), TwoPairs);
    frmDialer *dialer = OpenDialer();
    dialer->cmdDialer[2]->click();
    dialer->txtDialer[0]->setText(QStringLiteral("Cy"));
    dialer->txtDialer[1]->setText(QStringLiteral("555-0103"));
    folder.prompt->AnswerOk();
    {
        FileSizeLimit full(8);
        QVERIFY(full.active());
        dialer->cmdSpeedDialer[0]->click();
    }
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY(folder.prompt->shown[0].text.contains(QLatin1String("SpeedNumbers.txt could not be written")));
    QCOMPARE(folder.read(QStringLiteral("SpeedNumbers.txt")), TwoPairs);
    // The buttons show what the file holds.
    QCOMPARE(Captions(dialer), Padded({"Ann", "Bob"}));
}

void SpeedDialTest::helpShowsAndHides() {
    TestFolder folder;
    frmDialer *dialer = OpenDialer();
    QVERIFY(dialer->fraHelp->isHidden());
    QCOMPARE(dialer->cmdHelp->text(), QStringLiteral("Show Help"));
    dialer->cmdHelp->click();
    QVERIFY(dialer->fraHelp->isVisible());
    QCOMPARE(dialer->cmdHelp->text(), QStringLiteral("Hide Help"));
    dialer->cmdHelp->click();
    QVERIFY(dialer->fraHelp->isHidden());
    QCOMPARE(dialer->cmdHelp->text(), QStringLiteral("Show Help"));
}

TAMSEL_TEST(SpeedDialTest)
#include "tst_SpeedDial.moc"
