#include "proposals/Templates.h"
#include "settings/TermsTexts.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QDir>
#include <QTest>

namespace {

const QString Tpl = QStringLiteral("Templates/Proposals/");

QStringList FilesIn(const QString &path) {
    return QDir(path).entryList(QDir::Files | QDir::NoDotAndDotDot);
}

} // namespace

class TemplatesTest : public QObject {
    Q_OBJECT
private slots:
    void templateNames_data();
    void templateNames();
    void newTemplateGainsTheTermsOnceAndReplacesOnlyAtYes();
    void templatesAndDocumentsLoadInsideTheirFolder();
    void documentsReadInTheirEncoding_data();
    void documentsReadInTheirEncoding();
};

void TemplatesTest::templateNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("usable");
    QTest::newRow("punctuation") << "Job #5 (2026), v2.1 & more" << true;
    QTest::newRow("blanks") << "   " << false;
    QTest::newRow("dot dot") << ".." << false;
    for (const char *bad : {"a/b", "a\\b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "tab\there"})
        QTest::newRow(bad) << QString::fromLatin1(bad) << false;
    QTest::newRow("device in lower case with a dot") << "lpt1.old" << false;
    QTest::newRow("device as part of a word") << "Console" << true;
    QTest::newRow("too long") << QString(201, QLatin1Char('x')) << false;
}

void TemplatesTest::templateNames() {
    QFETCH(QString, name);
    QFETCH(bool, usable);
    QCOMPARE(TemplateNameProblem(name).isEmpty(), usable);
}

void TemplatesTest::newTemplateGainsTheTermsOnceAndReplacesOnlyAtYes() {
    TestFolder folder;
    QDir().mkpath(folder.file(Tpl));
    folder.write(QStringLiteral("MyBusinessData.txt"), "\"Biz\"\r\n");
    // A name that would lead out of the folder saves nothing.
    folder.prompt->Type(QStringLiteral("../../MyBusinessData"));
    folder.prompt->AnswerOk();
    QVERIFY(!SaveBodyAsTemplate(QStringLiteral("Body")).saved);
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")), QByteArray("\"Biz\"\r\n"));
    QVERIFY(FilesIn(folder.file(Tpl)).isEmpty());

    folder.prompt->Type(QStringLiteral("Roof"));
    const TemplateSave first = SaveBodyAsTemplate(QStringLiteral("Tear off\nRe-roof"));
    QVERIFY(first.saved && first.added);
    QCOMPARE(folder.read(Tpl + QStringLiteral("Roof.txt")),
             QByteArray("Tear off\r\nRe-roof\r\n\r\n") + GenericTerms().toLatin1() + "\r\n");
    // Another letter case names the same template, as on the user's system; No keeps it.
    folder.prompt->Type(QStringLiteral("roof"));
    folder.prompt->Answer(MsgAnswer::No);
    const QByteArray before = folder.read(Tpl + QStringLiteral("Roof.txt"));
    QVERIFY(!SaveBodyAsTemplate(GenericTerms()).saved);
    QCOMPARE(folder.read(Tpl + QStringLiteral("Roof.txt")), before);
    // A body that holds the terms keeps them once.
    const QString withTerms = QStringLiteral("Deck\r\n") + GenericTerms() + QStringLiteral(".\r\nThanks");
    folder.prompt->Type(QStringLiteral("Roof"));
    folder.prompt->Answer(MsgAnswer::Yes);
    const TemplateSave replaced = SaveBodyAsTemplate(withTerms);
    QVERIFY(replaced.saved && !replaced.added);
    QCOMPARE(folder.read(Tpl + QStringLiteral("Roof.txt")), withTerms.toLatin1() + "\r\n");
    QCOMPARE(FilesIn(folder.file(Tpl)), QStringList{QStringLiteral("Roof.txt")});
}

// A template loads with one more line end than it was saved with; a name is a
// file of the templates folder itself, never a path out of it or into a folder below.
void TemplatesTest::templatesAndDocumentsLoadInsideTheirFolder() {
    TestFolder folder;
    QDir().mkpath(folder.file(Tpl));
    QVERIFY(SaveTemplateFile(QStringLiteral("Short"), QStringLiteral("Line 1\nLine 2")));
    QCOMPARE(LoadTemplate(QStringLiteral("Short.txt")).value, QStringLiteral("Line 1\r\nLine 2\r\n"));
    folder.write(QStringLiteral("doc.txt"), "One\nTwo\rThree");
    QCOMPARE(LoadDocument(folder.file(QStringLiteral("doc.txt"))).value, QStringLiteral("One\r\nTwo\r\nThree\r\n"));
    QCOMPARE(LoadTemplate(QStringLiteral("../doc.txt")).outcome, ReadOutcome::Missing);
    folder.write(Tpl + QStringLiteral("sub/Inner.txt"), "inner\r\n");
    QCOMPARE(LoadTemplate(QStringLiteral("sub/Inner.txt")).outcome, ReadOutcome::Missing);
    QVERIFY(!SaveTemplateFile(QStringLiteral("../doc"), QStringLiteral("x")));
    QCOMPARE(folder.read(QStringLiteral("doc.txt")), QByteArray("One\nTwo\rThree"));
    // Deleting asks first and stays in the folder.
    folder.prompt->Answer(MsgAnswer::No);
    QVERIFY(!DeleteTemplate(QStringLiteral("Short.txt")));
    folder.prompt->Answer(MsgAnswer::Yes);
    QVERIFY(DeleteTemplate(QStringLiteral("Short.txt")));
    QVERIFY(!DeleteTemplate(QStringLiteral("../doc.txt")));
    QVERIFY(folder.prompt->ScriptUsed() && folder.exists(QStringLiteral("doc.txt")));
    QCOMPARE(FilesIn(folder.file(Tpl)), QStringList());
}

void TemplatesTest::documentsReadInTheirEncoding_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray utf8 = QStringLiteral("Café — 5 m²").toUtf8();
    QTest::newRow("UTF-8 with byte-order mark") << QByteArray("\xEF\xBB\xBF") + utf8;
    QTest::newRow("Windows-1252") << QByteArray("Caf\xE9 \x97 5 m\xB2");
}

void TemplatesTest::documentsReadInTheirEncoding() {
    QFETCH(QByteArray, bytes);
    TestFolder folder;
    folder.write(QStringLiteral("doc.txt"), bytes + "\r\nLine two");
    QCOMPARE(LoadDocument(folder.file(QStringLiteral("doc.txt"))).value,
             QStringLiteral("Café — 5 m²\r\nLine two\r\n"));
}

TAMSEL_TEST(TemplatesTest)
#include "tst_Templates.moc"
