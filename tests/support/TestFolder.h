#pragma once
// A fresh data folder for one test: AppFolder points at an empty temporary
// folder, the shared variables are reset, a scripted prompt is installed and
// the program's end is caught instead of ending the test run.
#include "ScriptedPrompt.h"
#include "common/Currency.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class TestFolder {
public:
    TestFolder();
    ~TestFolder();

    QString path() const { return dir_.path(); }
    // Full path of a name relative to the folder ("Backup/x.txt").
    QString file(const QString &relative) const;
    void write(const QString &relative, const QByteArray &bytes) const;
    QByteArray read(const QString &relative) const;
    bool exists(const QString &relative) const;

    std::shared_ptr<ScriptedPrompt> prompt;
    int endRequests = 0; // how often the program asked to end

private:
    QTemporaryDir dir_;
};

// Unloads every screen and runs the deferred deletions.
void CloseAllScreens();

// An amount written as a number in a test ("Money(1250.50)").
inline Currency Money(double amount) { return Currency::FromAmount(amount).value(); }

// Currency in QCOMPARE's failure messages (found by argument lookup).
inline char *toString(const Currency &value) {
    return qstrdup(QByteArray::number(value.scaled).append(" ten-thousandths").constData());
}
