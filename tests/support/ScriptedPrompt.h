#pragma once
// The test double for message boxes, the input box and the beep. Each box
// takes the next scripted answer; every box is recorded with its text,
// title, buttons and whether a beep came just before it. A box nobody
// scripted is recorded as unexpected (the fixture fails the test on it).
#include "platform/UserPrompt.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class ScriptedPrompt : public UserPrompt {
public:
    struct Shown {
        QString text;
        QString title; // as shown: the application's title when none was given
        MsgButtons buttons = MsgButtons::Ok;
        bool beeped = false;
        bool isInput = false;
    };

    // Queue the answers of the next boxes, in order.
    void Answer(MsgAnswer answer) { answers_.append(answer); }
    void AnswerOk(int times = 1) {
        for (int i = 0; i < times; ++i)
            Answer(MsgAnswer::Ok);
    }
    // Queue the text typed into the next input box (nothing: cancelled).
    void Type(std::optional<QString> text) { inputs_.append(text); }

    MsgAnswer MsgBox(const QString &text, MsgButtons buttons, const QString &title) override;
    std::optional<QString> InputBox(const QString &prompt, const QString &title,
                                    const QString &defaultText) override;
    void Beep() override;

    QList<Shown> shown;
    QStringList unexpected; // texts of boxes with no scripted answer
    int beeps = 0;

    // Texts of the boxes shown so far.
    QStringList Texts() const;
    // True when every scripted answer was used.
    bool ScriptUsed() const { return answers_.isEmpty() && inputs_.isEmpty(); }

private:
    QList<MsgAnswer> answers_;
    QList<std::optional<QString>> inputs_;
    bool pendingBeep_ = false;
};
