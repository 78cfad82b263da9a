#include "proposals/Templates.h"
#include "settings/TermsTexts.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QDir>
#include <QTest>

namespace {

const QString Tpl = QStringLiteral("Templates/Proposals/");

void MakeTemplateFolder(const TestFolder &folder) { QDir().mkpath(folder.file(Tpl)); }

QStringList FilesIn(const QString &path) {
    return QDir(path).entryList(QDir::Files | QDir::NoDotAndDotDot);
}

} // namespace

class TemplatesTest : public QObject {
    Q_OBJECT
private slots:
    void templateNames_data();
    void templateNames();
    void refusedNameSavesNothing_data();
    void refusedNameSavesNothing();
    void newTemplateGainsTheTermsOnceAndReplacesOnlyAtYes();
    void savedTemplateLoadsWithOneMoreLineEnd();
    void listingFollowsTheFolder();
    void deletingAsksFirstAndStaysInTheFolder();
};

void TemplatesTest::templateNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("usable");
    QTest::newRow("plain") << "Roof Repair" << true;
    QTest::newRow("punctuation") << "Job #5 (2026), v2.1 & more" << true;
    QTest::newRow("accents") << "D\u00e9cor" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks") << "   " << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    for (const char *bad : {"a/b", "a\\b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "tab\there", "../x"})
        QTest::newRow(bad) << QString::fromLatin1(bad) << false;
    QTest::newRow("device") << "CON" << false;
    QTest::newRow("device in lower case with a dot") << "lpt1.old" << false;
    QTest::newRow("device as part of a word") << "Console" << true;
    QTest::newRow("too long") << QString(201, QLatin1Char('x')) << false;
}

void TemplatesTest::templateNames() {
    QFETCH(QString, name);
    QFETCH(bool, usable);
    QCOMPARE(TemplateNameProblem(name).isEmpty(), usable);
}

void TemplatesTest::refusedNameSavesNothing_data() {
    QTest::addColumn<std::optional<QString>>("typed");
    QTest::newRow("input box cancelled") << std::optional<QString>();
    QTest::newRow("nothing typed") << std::optional<QString>(QString());
    QTest::newRow("way out of the folder") << std::optional<QString>(QStringLiteral("../../MyBusinessData"));
}

void TemplatesTest::refusedNameSavesNothing() {
    QFETCH(std::optional<QString>, typed);
    TestFolder folder;
    MakeTemplateFolder(folder);
    folder.write(QStringLiteral("MyBusinessData.txt"), "\"Biz\"\r\n");
    folder.prompt->Type(typed);
    folder.prompt->AnswerOk();
    const TemplateSave save = SaveBodyAsTemplate(QStringLiteral("Body"));
    QVERIFY(!save.saved);
    QCOMPARE(folder.prompt->shown.size(), 2);
    QVERIFY(folder.prompt->shown[1].text.contains(QStringLiteral("has not been saved")));
    QVERIFY(FilesIn(folder.file(Tpl)).isEmpty());
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")), QByteArray("\"Biz\"\r\n"));
    QCOMPARE(FilesIn(folder.path()), QStringList{QStringLiteral("MyBusinessData.txt")});
}

void TemplatesTest::newTemplateGainsTheTermsOnceAndReplacesOnlyAtYes() {
    TestFolder folder;
    MakeTemplateFolder(folder);
    folder.prompt->Type(QStringLiteral("Roof"));
    const TemplateSave first = SaveBodyAsTemplate(QStringLiteral("Tear off\nRe-roof"));
    QVERIFY(first.saved && first.added);
    QCOMPARE(first.body, QStringLiteral("Tear off\nRe-roof\r\n\r\n") + GenericTerms());
    QCOMPARE(folder.read(Tpl + QStringLiteral("Roof.txt")),
             QByteArray("Tear off\r\nRe-roof\r\n\r\n") + GenericTerms().toLatin1() + "\r\n");
    // The search is exact: other letter case does not count as the terms.
    folder.prompt->Type(QStringLiteral("Fence"));
    const TemplateSave upper = SaveBodyAsTemplate(GenericTerms().toUpper());
    QCOMPARE(upper.body, GenericTerms().toUpper() + QStringLiteral("\r\n\r\n") + GenericTerms());

    // Another letter case names the same template, as on the user's system; No keeps it.
    folder.prompt->Type(QStringLiteral("roof"));
    folder.prompt->Answer(MsgAnswer::No);
    const QByteArray before = folder.read(Tpl + QStringLiteral("Roof.txt"));
    QVERIFY(!SaveBodyAsTemplate(GenericTerms()).saved);
    QCOMPARE(folder.prompt->shown.last().text,
             QStringLiteral("A Template named roof already exists\r\nClick Yes to Replace it"));
    QCOMPARE(folder.prompt->shown.last().buttons, MsgButtons::YesNo);
    QCOMPARE(folder.read(Tpl + QStringLiteral("Roof.txt")), before);
    QCOMPARE(FilesIn(folder.file(Tpl)), (QStringList{QStringLiteral("Fence.txt"), QStringLiteral("Roof.txt")}));
    // A body that holds the terms keeps them once.
    const QString withTerms = QStringLiteral("Deck\r\n") + GenericTerms() + QStringLiteral(".\r\nThanks");
    folder.prompt->Type(QStringLiteral("Roof"));
    folder.prompt->Answer(MsgAnswer::Yes);
    const TemplateSave replaced = SaveBodyAsTemplate(withTerms);
    QVERIFY(replaced.saved && !replaced.added);
    QCOMPARE(folder.read(Tpl + QStringLiteral("Roof.txt")), withTerms.toLatin1() + "\r\n");
}

void TemplatesTest::savedTemplateLoadsWithOneMoreLineEnd() {
    TestFolder folder;
    MakeTemplateFolder(folder);
    QVERIFY(SaveTemplateFile(QStringLiteral("Short"), QStringLiteral("Line 1\nLine 2")));
    const auto loaded = LoadTemplate(QStringLiteral("Short.txt"));
    QVERIFY(loaded.ok());
    QCOMPARE(loaded.value, QStringLiteral("Line 1\r\nLine 2\r\n"));
    // The same reading for a document anywhere on disk; a last line without its end gets one.
    folder.write(QStringLiteral("doc.txt"), "One\nTwo\rThree");
    QCOMPARE(LoadDocument(folder.file(QStringLiteral("doc.txt"))).value, QStringLiteral("One\r\nTwo\r\nThree\r\n"));
    QCOMPARE(LoadDocument(folder.file(QStringLiteral("none.txt"))).outcome, ReadOutcome::Missing);
    // A name is a file of the templates folder itself, never a path into a folder below it.
    QCOMPARE(LoadTemplate(QStringLiteral("../doc.txt")).outcome, ReadOutcome::Missing);
    folder.write(Tpl + QStringLiteral("sub/Inner.txt"), "inner\r\n");
    QCOMPARE(LoadTemplate(QStringLiteral("sub/Inner.txt")).outcome, ReadOutcome::Missing);
    QCOMPARE(LoadTemplate(QStringLiteral("sub\\Inner.txt")).outcome, ReadOutcome::Missing);
    QVERIFY(!SaveTemplateFile(QStringLiteral("../doc"), QStringLiteral("x")));
    QCOMPARE(folder.read(QStringLiteral("doc.txt")), QByteArray("One\nTwo\rThree"));
}

void TemplatesTest::listingFollowsTheFolder() {
    TestFolder folder;
    QVERIFY(!ListTemplates().anyFile); // no folder at all
    MakeTemplateFolder(folder);
    QVERIFY(!ListTemplates().anyFile);
    folder.write(Tpl + QStringLiteral("notes.doc"), "x");
    TemplateList list = ListTemplates();
    QVERIFY(list.anyFile); // any file enables the option, even with nothing to list
    QVERIFY(list.files.isEmpty());
    folder.write(Tpl + QStringLiteral("deck.TXT"), "x");
    folder.write(Tpl + QStringLiteral("Attic.txt"), "x");
    QDir().mkpath(folder.file(Tpl + QStringLiteral("Old.txt")));
    list = ListTemplates();
    QCOMPARE(list.files, (QStringList{QStringLiteral("Attic.txt"), QStringLiteral("deck.TXT")}));
}

void TemplatesTest::deletingAsksFirstAndStaysInTheFolder() {
    TestFolder folder;
    MakeTemplateFolder(folder);
    folder.write(Tpl + QStringLiteral("Roof.txt"), "x");
    folder.write(QStringLiteral("Roof.txt"), "outside");

    folder.prompt->Answer(MsgAnswer::No);
    QVERIFY(!DeleteTemplate(QStringLiteral("Roof.txt")));
    QVERIFY(folder.exists(Tpl + QStringLiteral("Roof.txt")));

    folder.prompt->Answer(MsgAnswer::Yes);
    QVERIFY(DeleteTemplate(QStringLiteral("Roof.txt")));
    QVERIFY(!folder.exists(Tpl + QStringLiteral("Roof.txt")));

    QVERIFY(!DeleteTemplate(QStringLiteral("../../Roof.txt")));
    QVERIFY(folder.exists(QStringLiteral("Roof.txt")));
    QCOMPARE(folder.prompt->shown.size(), 2);
}

TAMSEL_TEST(TemplatesTest)
#include "tst_Templates.moc"
