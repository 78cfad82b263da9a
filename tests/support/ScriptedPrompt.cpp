#include "ScriptedPrompt.h"

MsgAnswer ScriptedPrompt::MsgBox(const QString &text, MsgButtons buttons, const QString &title) {
    shown.append(Shown{text, title.isEmpty() ? AppTitle : title, buttons, pendingBeep_, false});
    pendingBeep_ = false;
    if (answers_.isEmpty()) {
        unexpected.append(text);
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
    }
    return answers_.takeFirst();
}

std::optional<QString> ScriptedPrompt::InputBox(const QString &prompt, const QString &title,
                                                const QString &) {
    shown.append(Shown{prompt, title.isEmpty() ? AppTitle : title, MsgButtons::OkCancel, pendingBeep_, true});
    pendingBeep_ = false;
    if (inputs_.isEmpty()) {
        unexpected.append(prompt);
        return std::nullopt;
    }
    return inputs_.takeFirst();
}

void ScriptedPrompt::Beep() {
    ++beeps;
    pendingBeep_ = true;
}

QStringList ScriptedPrompt::Texts() const {
    QStringList texts;
    for (const Shown &box : shown)
        texts << box.text;
    return texts;
}
