#pragma once
// The desktop's mail program through xdg-email, started directly (no shell,
// so nothing in a subject or file name is ever taken as a command).
#include "platform/MailComposer.h"

#include <QStringList>

class XdgMailComposer : public MailComposer {
public:
    explicit XdgMailComposer(QString program = QStringLiteral("xdg-email")) : program_(std::move(program)) {}
    void Compose(const QString &subject, const QString &attachment, const Done &done) override;

    static QStringList Arguments(const QString &subject, const QString &attachment);

private:
    QString program_;
};
