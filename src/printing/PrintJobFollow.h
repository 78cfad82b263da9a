#pragma once
// Following a print job through the print system: the printer must take jobs
// before anything is sent, the job must be in its queue afterwards (a refusal
// is a print error, told with its reason), a job that waits is told before
// the user confirms the print, and a print the user discards is taken back.
#include "platform/PrintJobs.h"

#include <QList>
#include <QString>

struct SentJob {
    QString printer;
    int id = 0;
};

// Before the job: empty when the printer takes jobs (or is not set up yet),
// else why it does not.
// lastJob is set to the newest of this user's jobs already on the printer.
QString PrinterProblem(PrintJobs &jobs, const QString &printer, int *lastJob);

struct JobCheck {
    SentJob job;     // id 0: the print system has no such job
    QString problem; // the print failed: why (nothing will print)
    QString waiting; // the job is queued but will not print yet: why
};
// After the document ended: the job named jobName newer than lastJob.
JobCheck CheckSentJob(PrintJobs &jobs, const QString &printer, const QString &jobName, int lastJob);

// Cancels the jobs not yet printed, so a discarded proposal never comes out.
// Empty when every one was cancelled (or had ended), else what to tell the user.
QString CancelUnprinted(PrintJobs &jobs, const QList<SentJob> &sent);
