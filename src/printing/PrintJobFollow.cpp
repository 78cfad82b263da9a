#include "printing/PrintJobFollow.h"

namespace {

QString Unreachable() {
    return QStringLiteral("The print system cannot be reached (is the print service running?). Nothing was "
                          "printed.");
}

QString Named(const QString &printer) {
    return QStringLiteral("The printer \"") + printer + QStringLiteral("\"");
}

QString WithMessage(const QString &text, const QString &message) {
    return message.isEmpty() ? text : text + QStringLiteral(" (") + message + QStringLiteral(")");
}

bool Finished(PrintJobState state) {
    return state == PrintJobState::Completed || state == PrintJobState::Canceled ||
           state == PrintJobState::Aborted;
}

} // namespace

QString PrinterProblem(PrintJobs &jobs, const QString &printer, int *lastJob) {
    *lastJob = 0;
    const auto queue = jobs.Queue(printer);
    if (!queue)
        return Unreachable();
    // A printer the print system sets up on first use (one found on the
    // network) is not known yet: it is asked about once the job is sent.
    if (!queue->known)
        return {};
    if (!queue->accepting)
        return WithMessage(Named(printer) + QStringLiteral(" is not accepting jobs"), queue->message) +
               QStringLiteral(". Nothing was printed.");
    const auto before = jobs.Jobs(printer);
    if (!before)
        return Unreachable();
    for (const PrintJobInfo &job : *before)
        *lastJob = qMax(*lastJob, job.id);
    return {};
}

JobCheck CheckSentJob(PrintJobs &jobs, const QString &printer, const QString &jobName, int lastJob) {
    JobCheck check;
    const auto queue = jobs.Queue(printer);
    if (queue && !queue->known) {
        check.problem = Named(printer) + QStringLiteral(" is not known to the print system. Nothing was printed.");
        return check;
    }
    const auto after = jobs.Jobs(printer);
    if (!queue || !after) {
        check.problem = Unreachable();
        return check;
    }
    const PrintJobInfo *sent = nullptr;
    for (const PrintJobInfo &job : *after)
        if (job.id > lastJob && job.title == jobName && (!sent || job.id > sent->id))
            sent = &job;
    if (!sent) {
        check.problem = Named(printer) + QStringLiteral(" did not take the job. Nothing was printed.");
        return check;
    }
    check.job = {printer, sent->id};
    switch (sent->state) {
    case PrintJobState::Canceled:
    case PrintJobState::Aborted:
        check.problem = Named(printer) + QStringLiteral(" stopped the job before it printed.");
        break;
    case PrintJobState::Held:
        check.waiting = QStringLiteral("The job is held in the queue of the printer \"") + printer +
                        QStringLiteral("\": it will not print until it is released.");
        break;
    case PrintJobState::Stopped:
    case PrintJobState::Pending:
    case PrintJobState::Processing:
        if (sent->state == PrintJobState::Stopped || queue->stopped)
            check.waiting = WithMessage(Named(printer) + QStringLiteral(" is paused"), queue->message) +
                            QStringLiteral(": the job waits in its queue and prints when the printer is "
                                           "resumed.");
        break;
    case PrintJobState::Completed:
        break;
    }
    return check;
}

QString CancelUnprinted(PrintJobs &jobs, const QList<SentJob> &sent) {
    QString problem;
    for (const SentJob &job : sent) {
        if (job.id <= 0)
            continue;
        const auto now = jobs.Jobs(job.printer);
        bool finished = false;
        if (now)
            for (const PrintJobInfo &info : *now)
                if (info.id == job.id)
                    finished = Finished(info.state);
        if (!finished && !jobs.Cancel(job.printer, job.id))
            problem = QStringLiteral("The job of this Proposal could not be taken back from the queue of the "
                                     "printer \"") +
                      job.printer + QStringLiteral("\": it may still print. Cancel it in the printer's queue.");
    }
    return problem;
}
