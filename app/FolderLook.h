#pragma once
// The look for an entry's folder before the launch, off the window's thread: a network
// path that does not answer can hold a file-system query for tens of seconds, and the
// window must not freeze meanwhile.
#include "app/ShellServices.h"

#include <string>

// Asks `services` whether the folder is there on a worker thread and waits for the answer
// for at most `timeoutMs`, painting and ticking the timers meanwhile; keys, clicks and drops
// wait in the queue until the answer is in, so nothing else starts halfway. No answer in
// time (or no worker to be had) is Unknown: the launch then goes ahead as before.
FolderPresence LookForFolderAwhile(IShellServices& services, const std::wstring& path, unsigned timeoutMs);
