#pragma once

#include <string>

// Bytes this process may still take: the least of the kernel's MemAvailable (free memory
// plus what the page cache can give back; else the physical memory), the room left under
// the process's address-space and data-size limits (ulimit -v, ulimit -d) and the room left
// in its control groups (a container's memory limit). A source that cannot be read sets no
// bound; with none, there is no bound. Under overcommit a request beyond it does not fail:
// the OOM killer ends the process later, so the steps that would hold gigabytes check
// their estimate against this first.
double memoriaDisponible();

// The room left under the memory limits of the process's control groups, from its own
// group up to the root, the least of them: memory.max less memory.current (cgroup v2), or
// memory.limit_in_bytes less memory.usage_in_bytes (cgroup v1). Every file is read below
// `raiz` ("/" for the running system), so that a test can lay out a tree of its own.
double memoriaDelCgroup(const std::string& raiz);
