#pragma once
// A disk whose sync fails, for one scope: every fsync of this process
// reports an I/O error, as a disk that fails or fills only when the data
// is pushed to it does. The test program's own fsync stands in for the C
// library's, so the program's file routines are tested as they are.
class SyncFault {
public:
    SyncFault();
    ~SyncFault();
    SyncFault(const SyncFault &) = delete;
    SyncFault &operator=(const SyncFault &) = delete;

    // Syncs asked for since the program started; a test that sees none
    // cannot tell a failing sync from one that is never made.
    static int Calls();
};

// A rename onto a name ending in targetEnd fails, for one scope, as on a disk
// that refuses it; every other rename goes through.
class RenameFault {
public:
    explicit RenameFault(const char *targetEnd);
    ~RenameFault();
    RenameFault(const RenameFault &) = delete;
    RenameFault &operator=(const RenameFault &) = delete;
};
