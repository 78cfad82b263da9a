#pragma once
// The print system's queues as the print run sees them: whether a printer
// takes jobs, the jobs it holds for this user, and cancelling one. The running
// program asks CUPS (CupsPrintJobs); tests install a fake.
#include <QList>
#include <QString>
#include <memory>
#include <optional>

struct PrintQueueStatus {
    bool known = false;     // the print system has a printer of that name
    bool accepting = false; // it takes new jobs
    bool stopped = false;   // paused: jobs wait in its queue
    QString message;        // what the print system says about it, if anything
};

enum class PrintJobState { Pending, Held, Processing, Stopped, Canceled, Aborted, Completed };

struct PrintJobInfo {
    int id = 0;
    QString title;
    PrintJobState state = PrintJobState::Pending;
};

class PrintJobs {
public:
    virtual ~PrintJobs() = default;
    // Nothing when the print system cannot be reached.
    virtual std::optional<PrintQueueStatus> Queue(const QString &printer) = 0;
    // This user's jobs on the printer, finished ones included; nothing when
    // the print system cannot be reached.
    virtual std::optional<QList<PrintJobInfo>> Jobs(const QString &printer) = 0;
    virtual bool Cancel(const QString &printer, int id) = 0;
};

// The print system in use; until one is set, none can be reached.
PrintJobs &PrintJobService();
void SetPrintJobs(std::shared_ptr<PrintJobs> jobs);
