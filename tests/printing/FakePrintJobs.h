#pragma once
// A print system for the print run's tests: one printer's queue whose
// status is set by the test, and a surface that hands its job to that queue
// when the document ends, as a printer's job reaches the print system.
#include "platform/PrintJobs.h"
#include "platform/RecordingPrintSurface.h"

#include <QList>
#include <optional>

class FakePrintJobs : public PrintJobs {
public:
    bool reachable = true;
    PrintQueueStatus queue{true, true, false, {}};
    std::optional<PrintJobState> takeAs = PrintJobState::Pending; // nothing: the job is refused
    QList<PrintJobInfo> jobs{{4, QStringLiteral("Customer List"), PrintJobState::Completed}};
    QList<int> cancelled; // every cancel asked for
    bool cancelWorks = true;
    int nextId = 10;

    void Submit(const QString &name) {
        if (takeAs)
            jobs << PrintJobInfo{nextId++, name, *takeAs};
    }
    std::optional<PrintQueueStatus> Queue(const QString &) override {
        return reachable ? std::optional(queue) : std::nullopt;
    }
    std::optional<QList<PrintJobInfo>> Jobs(const QString &) override {
        return reachable ? std::optional(jobs) : std::nullopt;
    }
    bool Cancel(const QString &, int id) override {
        cancelled << id;
        if (!cancelWorks)
            return false;
        for (PrintJobInfo &job : jobs)
            if (job.id == id)
                job.state = PrintJobState::Canceled;
        return true;
    }
};

class QueuedPrintSurface : public RecordingPrintSurface {
public:
    QueuedPrintSurface(FakePrintJobs &queue, const QString &printer) : queue_(queue) {
        SetPrinterName(printer);
    }

protected:
    bool FinishDocument() override {
        const bool finished = RecordingPrintSurface::FinishDocument();
        if (!PrinterName().isEmpty())
            queue_.Submit(JobName());
        return finished;
    }

private:
    FakePrintJobs &queue_;
};
