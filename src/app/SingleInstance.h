#pragma once
#include <QString>

// True when another copy of the program runs from the same folder (however
// the folder was named: through a link, with ".." or a final slash); it has
// then told the user. Otherwise this copy holds the lock until it ends.
bool CheckPrevInstance();
// Where the lock of the copy running from AppFolder is kept.
QString InstanceLockPath();
// Lets go of the lock (tests start the program several times in one process).
void ReleaseInstanceLock();
