#pragma once
// A box during a benchmark means something failed: it is said on stderr and
// counted instead of waiting for a click.
#include "platform/UserPrompt.h"

#include <QTextStream>
#include <memory>

class BenchPrompt : public UserPrompt {
public:
    MsgAnswer MsgBox(const QString &text, MsgButtons, const QString &) override {
        QTextStream(stderr) << "message box: " << text << "\n";
        ++boxes;
        return MsgAnswer::Ok;
    }
    std::optional<QString> InputBox(const QString &, const QString &, const QString &) override { return {}; }
    void Beep() override {}
    int boxes = 0;
};

inline std::shared_ptr<BenchPrompt> InstallBenchPrompt() {
    auto prompt = std::make_shared<BenchPrompt>();
    SetPrompt(prompt);
    return prompt;
}
