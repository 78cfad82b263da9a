// E-mail: the proposal saved as a PDF in the data folder and handed to the
// mail program (a recording double, then xdg-email's command line through a
// stand-in program), and the box saying where the PDF is when that fails.
#include "PrintFixtures.h"
#include "TestMain.h"
#include "common/CommonVariables.h"
#include "platform/MailComposer.h"
#include "platform/XdgMailComposer.h"
#include "printing/ProposalPrinting.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace PrintFixtures;

namespace {
struct RecordingComposer : MailComposer {
    QString failure; // what the mail program answers
    QStringList handed;
    void Compose(const QString &subject, const QString &attachment, const Done &done) override {
        handed << subject << attachment;
        done(failure);
    }
};
} // namespace

class ProposalMailTest : public QObject {
    Q_OBJECT
private slots:
    void init() { folder = std::make_unique<TestFolder>(); }
    void cleanup() {
        SetMailComposer(nullptr);
        QVERIFY2(folder->prompt->unexpected.isEmpty(), qPrintable(folder->prompt->unexpected.join(" | ")));
        folder.reset();
    }

    void savesThePdfAndHandsItOver_data() {
        QTest::addColumn<QString>("customer");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("fileName"); // empty: nothing saved
        QTest::newRow("handed to the mail program") << "Mr. John Q Public"
                                                    << ""
                                                    << "Proposal 1001 - Mr. John Q Public.pdf";
        QTest::newRow("characters unsafe in a file name replaced") << "A/B: \"C\" <D>?*|\\.."
                                                                   << ""
                                                                   << "Proposal 1001 - A_B_ _C_ _D_____.pdf";
        QTest::newRow("no mail program: the box says where the PDF is") << "Ann Baker"
                                                                        << "xdg-email could not be started"
                                                                        << "Proposal 1001 - Ann Baker.pdf";
        QTest::newRow("body file missing: a print error, nothing saved") << "Ann Baker"
                                                                         << ""
                                                                         << "";
    }
    void savesThePdfAndHandsItOver() {
        QFETCH(QString, customer);
        QFETCH(QString, failure);
        QFETCH(QString, fileName);
        BusinessData = Settings().business;
        NumCopies = 3; // Original, Duplicate and Triplicate on paper
        auto composer = std::make_shared<RecordingComposer>();
        composer->failure = failure;
        SetMailComposer(composer);
        if (!fileName.isEmpty())
            WriteBody(*folder, BodyLines(3));
        // An older PDF of the proposal is replaced whole.
        folder->write("E-mail/" + (fileName.isEmpty() ? QStringLiteral("x.pdf") : fileName), "old");
        ProposalDocument document = Document();
        document.customer[1] = customer;
        if (!failure.isEmpty() || fileName.isEmpty())
            folder->prompt->AnswerOk();

        EmailProposal(document);

        if (fileName.isEmpty()) {
            QVERIFY(composer->handed.isEmpty());
            QVERIFY(folder->prompt->Texts().first().startsWith(QLatin1String("A Print Error has occurred")));
            return;
        }
        const QString pdf = folder->file("E-mail/" + fileName);
        QCOMPARE(composer->handed, (QStringList{"Proposal 1001 from Hollis Roofing and Gutters", pdf}));
        QVERIFY(folder->read("E-mail/" + fileName).startsWith("%PDF"));
        QVERIFY(!QFile::exists(pdf + ".part"));
        QCOMPARE(folder->prompt->shown.size(), failure.isEmpty() ? 0 : 1);
        if (!failure.isEmpty()) {
            QCOMPARE(folder->prompt->shown.first().title, QStringLiteral("E-mail"));
            QVERIFY(folder->prompt->Texts().first().startsWith(failure));
            QVERIFY(folder->prompt->Texts().first().endsWith(pdf));
        }
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (!pdftotext.isEmpty()) {
            QProcess text;
            text.start(pdftotext, {pdf, "-"});
            QVERIFY(text.waitForFinished());
            // The Original alone, whatever the labelled copies on paper are.
            const QString pages = QString::fromUtf8(text.readAllStandardOutput());
            QCOMPARE(pages.count("Body line 3"), 1);
            QVERIFY(!pages.contains("Duplicate"));
        }
    }

    // xdg-email's command line, run through a stand-in that records its
    // arguments and ends as told.
    void mailProgram_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("failure");
        QTest::newRow("taken") << "exit 0"
                               << "";
        QTest::newRow("fails") << "exit 3"
                               << "could not open a mail program (exit code 3)";
        QTest::newRow("not installed") << ""
                                       << "could not be started";
    }
    void mailProgram() {
        QFETCH(QString, program);
        QFETCH(QString, failure);
        const QString stand = folder->file("xdg-email");
        if (!program.isEmpty()) {
            folder->write("xdg-email", "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"$0.args\"\n" +
                                           program.toLatin1() + "\n");
            QFile::setPermissions(stand, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        std::optional<QString> answer;
        XdgMailComposer(stand).Compose("Proposal 1001 from Hollis; rm -rf x", "/tmp/a b/P 1001.pdf",
                                       [&answer](const QString &why) { answer = why; });
        QTRY_VERIFY_WITH_TIMEOUT(answer.has_value(), 20000);
        QVERIFY2(failure.isEmpty() ? answer->isEmpty() : answer->contains(failure), qPrintable(*answer));
        if (!program.isEmpty())
            QCOMPARE(folder->read("xdg-email.args"),
                     QByteArray(
                         "--subject\nProposal 1001 from Hollis; rm -rf x\n--attach\n/tmp/a b/P 1001.pdf\n"));
    }

private:
    std::unique_ptr<TestFolder> folder;
};

TAMSEL_TEST(ProposalMailTest)
#include "tst_ProposalMail.moc"
