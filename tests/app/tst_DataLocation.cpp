#include "TestFolder.h"
#include "TestMain.h"

#include "app/DataLocation.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTest>

// Where a portable copy, a system-wide install and a named folder keep the data.
class DataLocationTest : public QObject {
    Q_OBJECT
private slots:
    void programFolders_data();
    void programFolders();
};

void DataLocationTest::programFolders_data() {
    QTest::addColumn<QString>("layout");  // portable or system
    QTest::addColumn<QStringList>("env"); // NAME=value; "@" is the test folder
    QTest::addColumn<QString>("data");    // relative to the test folder
    QTest::addColumn<QString>("manual");

    const QString portable = QStringLiteral("Tamsel");
    const QString sysManual = QStringLiteral("usr/share/doc/tamselproposal/manual");
    QTest::newRow("portable keeps its data beside itself")
        << portable << QStringList{QStringLiteral("HOME=@/home")} << portable << QStringLiteral("Tamsel/Manual");
    QTest::newRow("portable with TAMSEL_DATA")
        << portable << QStringList{QStringLiteral("TAMSEL_DATA=@/elsewhere/data/")}
        << QStringLiteral("elsewhere/data") << QStringLiteral("Tamsel/Manual");
    QTest::newRow("system, XDG_DATA_HOME")
        << QStringLiteral("system")
        << QStringList{QStringLiteral("HOME=@/home"), QStringLiteral("XDG_DATA_HOME=@/xdg")}
        << QStringLiteral("xdg/TamselProposal") << sysManual;
    QTest::newRow("system, HOME only")
        << QStringLiteral("system") << QStringList{QStringLiteral("HOME=@/home")}
        << QStringLiteral("home/.local/share/TamselProposal") << sysManual;
    QTest::newRow("system, relative XDG_DATA_HOME is ignored")
        << QStringLiteral("system") << QStringList{QStringLiteral("HOME=@/home"), QStringLiteral("XDG_DATA_HOME=xdg")}
        << QStringLiteral("home/.local/share/TamselProposal") << sysManual;
    QTest::newRow("system with TAMSEL_DATA")
        << QStringLiteral("system")
        << QStringList{QStringLiteral("HOME=@/home"), QStringLiteral("TAMSEL_DATA=@/mine")}
        << QStringLiteral("mine") << sysManual;
}

void DataLocationTest::programFolders() {
    QFETCH(QString, layout);
    QFETCH(QStringList, env);
    QFETCH(QString, data);
    QFETCH(QString, manual);
    TestFolder folder;
    const QString root = folder.path();
    QString program = root + QStringLiteral("/Tamsel");
    if (layout == QStringLiteral("system")) {
        program = root + QStringLiteral("/usr/bin");
        QVERIFY(QDir().mkpath(root + QStringLiteral("/usr/share/doc/tamselproposal")));
    }
    QVERIFY(QDir().mkpath(program));
    QMap<QString, QString> values;
    for (const QString &pair : env)
        values.insert(pair.section(QLatin1Char('='), 0, 0),
                      pair.section(QLatin1Char('='), 1).replace(QLatin1Char('@'), root));

    const ProgramFolders folders =
        ChooseProgramFolders(program, [&](const char *name) { return values.value(QString::fromLatin1(name)); });
    QCOMPARE(folders.data, root + QLatin1Char('/') + data);
    QCOMPARE(folders.manual, root + QLatin1Char('/') + manual);
    // The user's data folder and its parents may not exist yet on a fresh account.
    QVERIFY(MakeDataFolder(folders.data));
    QVERIFY(QFileInfo(folders.data).isDir());
}

TAMSEL_TEST(DataLocationTest)
#include "tst_DataLocation.moc"
