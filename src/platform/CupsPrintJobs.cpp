#include "platform/CupsPrintJobs.h"

#include <cups/cups.h>

namespace {

// A destination may name an instance ("printer/draft"); the queue is the printer.
QByteArray QueueName(const QString &printer) {
    return printer.section(QLatin1Char('/'), 0, 0).toUtf8();
}

bool Unreachable(ipp_status_t status) {
    return status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || status == IPP_STATUS_ERROR_INTERNAL;
}

PrintJobState StateOf(ipp_jstate_t state) {
    switch (state) {
    case IPP_JSTATE_PENDING:
        return PrintJobState::Pending;
    case IPP_JSTATE_HELD:
        return PrintJobState::Held;
    case IPP_JSTATE_PROCESSING:
        return PrintJobState::Processing;
    case IPP_JSTATE_STOPPED:
        return PrintJobState::Stopped;
    case IPP_JSTATE_CANCELED:
        return PrintJobState::Canceled;
    case IPP_JSTATE_ABORTED:
        return PrintJobState::Aborted;
    case IPP_JSTATE_COMPLETED:
        return PrintJobState::Completed;
    }
    return PrintJobState::Aborted;
}

} // namespace

std::optional<PrintQueueStatus> CupsPrintJobs::Queue(const QString &printer) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     QueueName(printer).constData());
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char *const wanted[] = {"printer-state", "printer-is-accepting-jobs",
                                         "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    const ipp_status_t status = cupsLastError();
    if (!response && (Unreachable(status) || status < IPP_STATUS_ERROR_BAD_REQUEST))
        return std::nullopt;
    PrintQueueStatus queue;
    if (response && ippGetStatusCode(response) <= IPP_STATUS_OK_CONFLICTING) {
        queue.known = true;
        if (ipp_attribute_t *state = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM))
            queue.stopped = ippGetInteger(state, 0) == IPP_PSTATE_STOPPED;
        if (ipp_attribute_t *accepting =
                ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
            queue.accepting = ippGetBoolean(accepting, 0);
        if (ipp_attribute_t *message = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
            queue.message = QString::fromUtf8(ippGetString(message, 0, nullptr));
    }
    ippDelete(response);
    return queue;
}

std::optional<QList<PrintJobInfo>> CupsPrintJobs::Jobs(const QString &printer) {
    cups_job_t *jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, QueueName(printer).constData(), 1, CUPS_WHICHJOBS_ALL);
    if (count < 0)
        return std::nullopt;
    QList<PrintJobInfo> found;
    for (int i = 0; i < count; ++i)
        found << PrintJobInfo{jobs[i].id, QString::fromUtf8(jobs[i].title), StateOf(jobs[i].state)};
    cupsFreeJobs(count, jobs);
    return found;
}

bool CupsPrintJobs::Cancel(const QString &printer, int id) {
    return cupsCancelJob2(CUPS_HTTP_DEFAULT, QueueName(printer).constData(), id, 0) <=
           IPP_STATUS_OK_CONFLICTING;
}
