#pragma once
// The print system's queues through the CUPS API, on the server CUPS is set
// to use (CUPS_SERVER, client.conf or the local one).
#include "platform/PrintJobs.h"

class CupsPrintJobs : public PrintJobs {
public:
    std::optional<PrintQueueStatus> Queue(const QString &printer) override;
    std::optional<QList<PrintJobInfo>> Jobs(const QString &printer) override;
    bool Cancel(const QString &printer, int id) override;
};
