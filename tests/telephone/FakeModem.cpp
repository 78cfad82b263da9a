#include "FakeModem.h"

#include "telephone/Telephone.h"

#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

FakeModem::FakeModem(Reply reply) : reply_(reply) {
    termios raw{};
    cfmakeraw(&raw);
    char name[128] = {};
    if (openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    device_ = QString::fromLocal8Bit(name);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    notifier_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &FakeModem::readMaster);
}

bool FakeModem::Available() {
    static const bool available = FakeModem().valid();
    return available;
}

bool SearchModemNow(int timeoutMs) {
    StartModemSearch();
    return QTest::qWaitFor([] { return ModemSearchDone(); }, timeoutMs);
}

FakeModem::~FakeModem() {
    delete notifier_;
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
}

QList<QByteArray> FakeModem::commands() const {
    QList<QByteArray> list = received_.split('\r');
    list.removeLast(); // what follows the last CR is no whole command
    return list;
}

bool FakeModem::openByProgram() const {
    // Our own descriptor of the terminal side is always there; any other one
    // is the program's.
    int holders = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        if (fd.symLinkTarget() == device_)
            ++holders;
    return holders > 1;
}

void FakeModem::write(const QByteArray &bytes) {
    if (master_ >= 0)
        (void)::write(master_, bytes.constData(), bytes.size());
}

void FakeModem::vanish() {
    delete notifier_;
    notifier_ = nullptr;
    ::close(master_);
    master_ = -1;
}

void FakeModem::readMaster() {
    char buffer[256];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        received_.append(buffer, n);
        pending_.append(buffer, n);
    }
    qsizetype end;
    while ((end = pending_.indexOf('\r')) >= 0) {
        const QByteArray command = pending_.left(end);
        pending_.remove(0, end + 1);
        if (handler_) {
            handler_(command);
            continue;
        }
        if (reply_ == Reply::Ok)
            write("\r\nOK\r\n");
    }
}
