#include "platform/XdgMailComposer.h"

#include <QProcess>

QStringList XdgMailComposer::Arguments(const QString &subject, const QString &attachment) {
    return {QStringLiteral("--subject"), subject, QStringLiteral("--attach"), attachment};
}

void XdgMailComposer::Compose(const QString &subject, const QString &attachment, const Done &done) {
    // Not waited for: some mail programs keep xdg-email running until their
    // window closes; the answer comes back through the event loop.
    auto *process = new QProcess;
    process->setProgram(program_);
    process->setArguments(Arguments(subject, attachment));
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    const QString program = program_;
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, done, program](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         done(program + QStringLiteral(" could not be started (is xdg-utils installed?)."));
                         process->deleteLater();
                     });
    QObject::connect(
        process, &QProcess::finished, process,
        [process, done, program](int exitCode, QProcess::ExitStatus status) {
            if (status != QProcess::NormalExit)
                done(program + QStringLiteral(" stopped before it opened the mail program."));
            else if (exitCode != 0)
                done(program +
                     QStringLiteral(" could not open a mail program (exit code %1).").arg(exitCode));
            else
                done(QString());
            process->deleteLater();
        });
    process->start();
}
